#include "idl/TypeLibrarySource.h"

#include <gtest/gtest.h>

#include <stdexcept>
#include <string>

namespace
{
const std::string kLibrary = R"(
    [uuid(5D1E2C3A-0003-4000-8000-000000000003), version(1.2)] library L { };)";

std::string ErrorOf(const std::string& text)
{
    try
    {
        idl::ParseLibrary(text, "t.idl");
    }
    catch (const std::runtime_error& error)
    {
        return error.what();
    }
    return "";
}

TEST(TypeLibraryParser, ReadsInterfacesDispinterfacesAndClasses)
{
    const idl::Library library = idl::ParseLibrary(R"(
        import "oaidl.idl";
        /* a comment */
        [object, uuid(5D1E2C3A-0001-4000-8000-000000000001), dual, oleautomation, helpstring("I \"one\"")]
        interface I : IDispatch
        {
            HRESULT First([in] IDispatch* host, [out] IUnknown** out);
            [id(9)] HRESULT Second([in, out] unsigned short* value, [out, retval] VARIANT_BOOL* done);
            HRESULT Third(void);
        };
        [uuid(5d1e2c3a-0002-4000-8000-000000000002)]
        library L
        {
            importlib("stdole2.tlb");
            [uuid(5D1E2C3A-0004-4000-8000-000000000004)]
            dispinterface E { properties: methods: [id(4)] void Changed(double at); };
            [uuid(5D1E2C3A-0005-4000-8000-000000000005), helpstring("C")]
            coclass C { [default] interface I; [default, source] dispinterface E; };
        };)",
                                                   "t.idl");
    EXPECT_EQ(library.name, "L");
    EXPECT_EQ(idl::GuidText(library.uuid), "{5D1E2C3A-0002-4000-8000-000000000002}");
    ASSERT_EQ(library.interfaces.size(), 2u);
    const idl::Interface& dual = library.interfaces[0];
    EXPECT_EQ(dual.kind, idl::InterfaceKind::Dual);
    EXPECT_EQ(dual.helpString, "I \"one\"");
    ASSERT_EQ(dual.methods.size(), 3u);
    // Without an id a method is numbered by its position.
    EXPECT_EQ(dual.methods[0].id, 0x60020000);
    EXPECT_EQ(dual.methods[1].id, 9);
    EXPECT_EQ(dual.methods[2].id, 0x60020002);
    const idl::Parameter& host = dual.methods[0].parameters[0];
    EXPECT_EQ(host.type.vt, VT_DISPATCH);
    EXPECT_EQ(host.type.pointers, 0) << "the interface's own pointer is part of its type";
    EXPECT_EQ(dual.methods[0].parameters[1].type.pointers, 1);
    const idl::Parameter& done = dual.methods[1].parameters[1];
    EXPECT_TRUE(done.out && done.retval && !done.in);
    EXPECT_EQ(done.type.vt, VT_BOOL);
    EXPECT_EQ(dual.methods[1].parameters[0].type.spelling, "unsigned short");
    EXPECT_TRUE(dual.methods[1].parameters[0].in && dual.methods[1].parameters[0].out);

    const idl::Interface& events = library.interfaces[1];
    EXPECT_EQ(events.kind, idl::InterfaceKind::Dispatch);
    EXPECT_EQ(events.methods[0].result.vt, VT_VOID);
    EXPECT_TRUE(events.methods[0].parameters[0].in) << "in is the default direction";
    ASSERT_EQ(library.coclasses.size(), 1u);
    EXPECT_TRUE(library.coclasses[0].members[1].isSource);
}

TEST(TypeLibraryParser, NamesTheLineOfWhatItCannotTake)
{
    const std::string dual = "[object, uuid(5D1E2C3A-0001-4000-8000-000000000001), dual]\n";
    struct Case
    {
        std::string text;
        std::string error;
    };
    const Case cases[] = {
        {"import \"a.idl\";", "t.idl:1: no library block"},
        {kLibrary + kLibrary, "only one library block is allowed"},
        {"[uuid(5D1E2C3A-0003)] library L {};", "t.idl:1: '5D1E2C3A-0003' is not a GUID"},
        {"[version(1.2)] library L {};", "library L has no uuid"},
        {"[uuid(5D1E2C3A-0003-4000-8000-000000000003), shiny] library L {};",
         "the attribute shiny is not supported on a library"},
        {dual +
             "interface I : IDispatch {\n HRESULT F([in] float* a, [in] long b, [out, retval] long* c, [in] "
             "long d);\n};" +
             kLibrary,
         "t.idl:3: the retval parameter of F must come last"},
        {dual + "interface I : IDispatch { HRESULT F([out] long a); };" + kLibrary,
         "out-parameter a must be a pointer"},
        {dual + "interface I : IDispatch { HRESULT F([retval] long* a); };" + kLibrary,
         "retval parameter a must also be out"},
        {dual + "interface I : IDispatch { HRESULT F([in] wchar_t a); };" + kLibrary,
         "the type wchar_t is not supported"},
        {dual + "interface I : IDispatch { HRESULT F([in] IDispatch a); };" + kLibrary,
         "IDispatch must be used through a pointer"},
        {dual + "interface I : IDispatch { long F(); };" + kLibrary, "method F must return HRESULT"},
        {dual + "interface I : IDispatch { [id(1)] HRESULT F(); [id(1)] HRESULT G(); };" + kLibrary,
         "method G repeats the id of F"},
        {dual + "interface I : IUnknown { HRESULT F(); };" + kLibrary,
         "a dual interface must derive from IDispatch"},
        {"[uuid(5D1E2C3A-0001-4000-8000-000000000001)] dispinterface E { properties: methods: HRESULT F(); "
         "};" +
             kLibrary,
         "method F needs an id"},
        {"[uuid(5D1E2C3A-0003-4000-8000-000000000003)] library L {\n"
         "[uuid(5D1E2C3A-0004-4000-8000-000000000004)] coclass C { interface Missing; }; };",
         "coclass C names the undefined interface Missing"},
        {"#include \"x.h\"", "t.idl:1: preprocessor lines are not supported"},
        {"[helpstring(\"open\n\")]", "t.idl:1: a string must end on its line"},
        {"[helpstring(\"open", "t.idl:1: unterminated string"},
    };
    for (const Case& c : cases)
        EXPECT_NE(ErrorOf(c.text).find(c.error), std::string::npos) << c.text << "\n -> " << ErrorOf(c.text);
}
} // namespace
