// The DLL module's registration over its object map: each class in map order under the system
// default locale, stopping at the first failure, and the type library only when every class
// succeeded. The two classes here only record how their registration was called.
#include "TestModule.h"
#include "registry_testing.h"

#include "atlbase.h"
#include "atlcom.h"

#include "Clock_i.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace
{
struct RegistryCall
{
    std::string name;
    bool registering;
    LCID locale;

    bool operator==(const RegistryCall&) const = default;
};

std::vector<RegistryCall> g_calls;

template <class T> class CRecordedClass : public CComObjectRootEx<CComSingleThreadModel>, public IUnknown
{
public:
    BEGIN_COM_MAP(T)
    COM_INTERFACE_ENTRY(IUnknown)
    END_COM_MAP()

    static HRESULT WINAPI UpdateRegistry(BOOL bRegister)
    {
        g_calls.push_back({T::kName, bRegister != FALSE, GetThreadLocale()});
        return T::s_result;
    }

    static inline HRESULT s_result = S_OK;
};

constexpr CLSID CLSID_First = {0x0C10C4E5, 0x0101, 0x4000, {0x80, 0, 0, 0, 0, 0, 0x01, 0x01}};
constexpr CLSID CLSID_Second = {0x0C10C4E5, 0x0102, 0x4000, {0x80, 0, 0, 0, 0, 0, 0x01, 0x02}};

class CFirst : public CRecordedClass<CFirst>, public CComCoClass<CFirst, &CLSID_First>
{
public:
    static constexpr const char* kName = "first";
};

class CSecond : public CRecordedClass<CSecond>, public CComCoClass<CSecond, &CLSID_Second>
{
public:
    static constexpr const char* kName = "second";
};
} // namespace

OBJECT_ENTRY_AUTO(CLSID_First, CFirst)
OBJECT_ENTRY_AUTO(CLSID_Second, CSecond)

namespace
{
bool TypeLibraryRegistered()
{
    wchar_t libid[39];
    StringFromGUID2(LIBID_ClockLib, libid, 39);
    HKEY key = nullptr;
    if (RegOpenKeyExW(HKEY_CLASSES_ROOT, (std::wstring(L"TypeLib\\") + libid).c_str(), 0, KEY_READ, &key) !=
        ERROR_SUCCESS)
        return false;
    RegCloseKey(key);
    return true;
}

TEST(ModuleRegistration, RunsTheClassesInMapOrderUnderTheSystemLocaleAndStopsAtTheFirstFailure)
{
    platform::TemporaryRegistry registry;
    constexpr LCID kCallers = 0x0407, kSystem = LOCALE_SYSTEM_DEFAULT;
    const struct
    {
        const char* what;
        bool registering;
        HRESULT first, second;
        std::vector<RegistryCall> calls;
        bool typeLibraryAfter;
    } cases[] = {
        {"first fails", true, E_ACCESSDENIED, S_OK, {{"first", true, kSystem}}, false},
        {"second fails", true, S_OK, E_FAIL, {{"first", true, kSystem}, {"second", true, kSystem}}, false},
        {"registered", true, S_OK, S_OK, {{"first", true, kSystem}, {"second", true, kSystem}}, true},
        {"first fails to go", false, E_ACCESSDENIED, S_OK, {{"first", false, kSystem}}, true},
        {"unregistered", false, S_OK, S_OK, {{"first", false, kSystem}, {"second", false, kSystem}}, false},
    };
    for (const auto& c : cases)
    {
        SCOPED_TRACE(c.what);
        g_calls.clear();
        CFirst::s_result = c.first;
        CSecond::s_result = c.second;
        SetThreadLocale(kCallers);
        const HRESULT result =
            c.registering ? _AtlModule.DllRegisterServer() : _AtlModule.DllUnregisterServer();
        EXPECT_EQ(result, FAILED(c.first) ? c.first : c.second);
        EXPECT_EQ(g_calls, c.calls);
        EXPECT_EQ(GetThreadLocale(), kCallers) << "the caller's locale comes back";
        EXPECT_EQ(TypeLibraryRegistered(), c.typeLibraryAfter);
    }
    SetThreadLocale(0x0409);
    CFirst::s_result = S_OK;
    CSecond::s_result = S_OK;
}
} // namespace
