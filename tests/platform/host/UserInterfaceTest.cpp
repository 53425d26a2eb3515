// What an add-in puts up in the simulated host, and the host calling it back by name.
#include "sim/Host.h"
#include "win32_testing.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <cstdio>
#include <filesystem>
#include <fstream>

using testing::ElementsAre;

namespace
{
// A BMP file of the given size and depth, or one cut short by `missing` bytes.
std::wstring WriteBmp(const std::filesystem::path& path, int width, int height, int depth, size_t missing = 0)
{
    const size_t row = (size_t(width) * size_t(depth) + 31) / 32 * 4, pixels = row * size_t(height);
    const size_t size = 54 + pixels;
    std::vector<unsigned char> bytes(size, 0xC0);
    auto put = [&](size_t at, uint32_t value, int count) {
        for (int i = 0; i < count; ++i)
            bytes[at + size_t(i)] = (unsigned char)(i < 4 ? value >> (8 * i) : 0);
    };
    bytes[0] = 'B', bytes[1] = 'M';
    put(2, uint32_t(size - missing), 4), put(6, 0, 4), put(10, 54, 4);
    put(14, 40, 4), put(18, uint32_t(width), 4), put(22, uint32_t(height), 4), put(26, 1, 2), put(28, uint32_t(depth), 2);
    put(30, 0, 4), put(34, uint32_t(pixels), 4), put(38, 0, 16);
    std::ofstream(path, std::ios::binary).write(reinterpret_cast<const char*>(bytes.data()), std::streamsize(size - missing));
    return path.wstring();
}

struct Bstr
{
    BSTR text;
    explicit Bstr(const wchar_t* s) : text(s ? SysAllocString(s) : nullptr) {}
    ~Bstr() { SysFreeString(text); }
    operator BSTR() const { return text; }
};

// An add-in's dispatch interface that records what the host asks of it.
struct RecordingCallbacks : IDispatch
{
    std::vector<std::wstring> calls;
    HRESULT QueryInterface(REFIID, void**) override { return E_NOINTERFACE; }
    ULONG AddRef() override { return 1; }
    ULONG Release() override { return 1; }
    HRESULT GetTypeInfoCount(UINT*) override { return E_NOTIMPL; }
    HRESULT GetTypeInfo(UINT, LCID, ITypeInfo**) override { return E_NOTIMPL; }
    HRESULT GetIDsOfNames(REFIID, LPOLESTR* names, UINT count, LCID, DISPID* ids) override
    {
        const std::wstring name = names[0];
        ids[0] = name == L"Facetor_Open" ? 7 : name == L"Facetor_Help" ? 4 : DISPID_UNKNOWN;
        return count == 1 && ids[0] != DISPID_UNKNOWN ? S_OK : DISP_E_UNKNOWNNAME;
    }
    HRESULT Invoke(DISPID id, REFIID, LCID, WORD flags, DISPPARAMS* parameters, VARIANT*, EXCEPINFO*, UINT*) override
    {
        std::wstring call = std::to_wstring(id) + L"/" + std::to_wstring(flags) + L"/" + std::to_wstring(parameters->cArgs);
        if (parameters->cArgs == 1 && parameters->rgvarg[0].vt == VT_BSTR)
            call += L" " + std::wstring(parameters->rgvarg[0].bstrVal);
        calls.push_back(call);
        return S_OK;
    }
};
} // namespace

TEST(SimulatedHostUserInterface, GroupsReadTheirImagesWhileTheCallRuns)
{
    const long bstrs = platform::LiveBstrCount();
    const auto folder = std::filesystem::temp_directory_path();
    sim::Host host;
    {
        ICommandManager* manager = nullptr;
        host.Application()->GetCommandManager(5, &manager);
        ICommandGroup* group = nullptr;
        manager->CreateCommandGroup(1, Bstr(L"Facetor"), Bstr(L"tip"), Bstr(L"hint"), -1, &group);
        const std::wstring strip = WriteBmp(folder / "sim_strip.bmp", 64, 16, 24);
        const std::wstring cut = WriteBmp(folder / "sim_cut.bmp", 24, 24, 24, 1);
        group->SetSmallImageStrip(Bstr(strip.c_str()));
        group->SetLargeImageStrip(Bstr(cut.c_str()));
        group->SetSmallIcon(nullptr);
        std::filesystem::remove(folder / "sim_strip.bmp");
        std::filesystem::remove(folder / "sim_cut.bmp");
        group->SetLargeIcon(Bstr(strip.c_str())); // gone by now
        LONG index = -1, id = -1;
        group->AddCommandItem(Bstr(L"Import"), -1, Bstr(L"h"), Bstr(L"Import"), 0, Bstr(L"Facetor_Import"), Bstr(L""),
                              0, 3, &index);
        group->GetCommandId(index, &id);
        EXPECT_EQ(group->GetCommandId(1, &id), E_INVALIDARG);
        group->Release();
        VARIANT_BOOL done = VARIANT_FALSE;
        EXPECT_EQ(manager->CreateCommandGroup(1, Bstr(L"again"), nullptr, nullptr, -1, &group), E_INVALIDARG);
        EXPECT_EQ(group, nullptr);
        manager->RemoveCommandGroup(1, &done);
        manager->RemoveCommandGroup(1, &done);
        manager->Release();
    }
    const std::vector<std::string> journal = host.Journal();
    ASSERT_EQ(journal.size(), 12u);
    EXPECT_EQ(journal[0], "app.GetCommandManager(5) -> S_OK, cmdmgr1");
    EXPECT_EQ(journal[1], "cmdmgr1.CreateCommandGroup(1, \"Facetor\", \"tip\", \"hint\", -1) -> S_OK, group1");
    EXPECT_EQ(journal[4], "group1.SetSmallIcon(null) -> S_OK");
    EXPECT_EQ(journal[6], "group1.AddCommandItem(\"Import\", -1, \"h\", \"Import\", 0, \"Facetor_Import\", \"\", 0, 3) "
                          "-> S_OK, 0");
    EXPECT_EQ(journal[7], "group1.GetCommandId(0) -> S_OK, 1");
    EXPECT_EQ(journal[10], "cmdmgr1.RemoveCommandGroup(1) -> S_OK, -1");
    EXPECT_EQ(journal[11], "cmdmgr1.RemoveCommandGroup(1) -> S_OK, 0");
    EXPECT_TRUE(host.GetModel().userInterface.groups.empty());
    EXPECT_EQ(host.LiveReferences(), 0);
    EXPECT_EQ(platform::LiveBstrCount(), bstrs);
}

TEST(SimulatedHostUserInterface, ImageFilesAsTheHostReadThem)
{
    const auto folder = std::filesystem::temp_directory_path();
    const struct
    {
        const char* name;
        int width, height, depth;
        size_t missing;
        bool readable;
        size_t bytes;
    } cases[] = {
        {"strip", 64, 16, 24, 0, true, 54 + 192 * 16},
        {"odd width pads rows", 5, 3, 24, 0, true, 54 + 16 * 3},
        {"one byte short", 24, 24, 24, 1, false, 54 + 72 * 24 - 1},
        {"no such depth", 4, 4, 7, 0, false, 54 + 4 * 4},
    };
    for (const auto& c : cases)
    {
        SCOPED_TRACE(c.name);
        sim::Host host;
        ICommandManager* manager = nullptr;
        host.Application()->GetCommandManager(0, &manager);
        ICommandGroup* group = nullptr;
        manager->CreateCommandGroup(1, nullptr, nullptr, nullptr, -1, &group);
        const std::wstring path = WriteBmp(folder / "sim_image.bmp", c.width, c.height, c.depth, c.missing);
        group->SetLargeImageStrip(Bstr(path.c_str()));
        std::filesystem::remove(folder / "sim_image.bmp");
        group->Release();
        manager->Release();
        const sim::ImageFile& image = host.GetModel().userInterface.groups.at(0)->largeImageStrip;
        EXPECT_TRUE(image.given);
        EXPECT_EQ(image.path, path);
        EXPECT_EQ(image.readable, c.readable);
        EXPECT_EQ(image.byteCount, c.bytes);
        EXPECT_EQ(image.width, c.width);
        EXPECT_EQ(image.height, c.height);
        EXPECT_EQ(image.bitDepth, c.depth);
    }
}

TEST(SimulatedHostUserInterface, TabsAreFoundByTypeAndTitleAndKeepTheirBoxes)
{
    sim::Host host;
    ICommandManager* manager = nullptr;
    host.Application()->GetCommandManager(0, &manager);
    ICommandTab* tab = nullptr;
    manager->FindCommandTab(3, Bstr(L"Facetor"), &tab);
    EXPECT_EQ(tab, nullptr);
    manager->AddCommandTab(3, Bstr(L"Facetor"), &tab);
    ICommandTabBox* box = nullptr;
    tab->AddTabBox(&box);
    const LONG ids[] = {4, 5}, styles[] = {2, 2};
    VARIANT_BOOL done = VARIANT_FALSE;
    box->AddCommands(2, ids, styles, &done);
    box->Release();
    tab->Release();
    LONG count = -1;
    manager->QueryDocumentType(3, &count);
    manager->FindCommandTab(2, Bstr(L"Facetor"), &tab);
    manager->FindCommandTab(3, Bstr(L"Facetor"), &tab);
    tab->Release();
    manager->Release();
    EXPECT_THAT(host.Journal(),
                ElementsAre("app.GetCommandManager(0) -> S_OK, cmdmgr1",
                            "cmdmgr1.FindCommandTab(3, \"Facetor\") -> S_OK, null",
                            "cmdmgr1.AddCommandTab(3, \"Facetor\") -> S_OK, tab1", "tab1.AddTabBox() -> S_OK, tabbox1",
                            "tabbox1.AddCommands(2, [4, 5], [2, 2]) -> S_OK, -1",
                            "cmdmgr1.QueryDocumentType(3) -> S_OK, 1",
                            "cmdmgr1.FindCommandTab(2, \"Facetor\") -> S_OK, null",
                            "cmdmgr1.FindCommandTab(3, \"Facetor\") -> S_OK, tab1"));
    const auto& tabs = host.GetModel().userInterface.tabs;
    ASSERT_EQ(tabs.size(), 1u);
    ASSERT_EQ(tabs[0]->boxes.size(), 1u);
    EXPECT_EQ(tabs[0]->boxes[0].commandIds, (std::vector<LONG>{4, 5}));
    EXPECT_EQ(host.LiveReferences(), 0);
}

TEST(SimulatedHostUserInterface, FileOpenItemsAndCallbacksByName)
{
    const long bstrs = platform::LiveBstrCount();
    sim::Host host;
    RecordingCallbacks callbacks;
    EXPECT_EQ(host.InvokeCallback(L"Facetor_Help"), E_UNEXPECTED);
    ISldWorks* app = host.Application();
    VARIANT_BOOL done = VARIANT_FALSE;
    app->SetAddinCallbackInfo(0x1000, &callbacks, 9, &done);
    app->AddFileOpenItem(9, Bstr(L"Facetor_Open"), Bstr(L"STL"), Bstr(L"stl"), Bstr(L""), Bstr(L""), &done);
    EXPECT_EQ(host.InvokeCallback(L"Facetor_Open", L"/tmp/a.stl"), S_OK);
    EXPECT_EQ(host.InvokeCallback(L"Facetor_Help"), S_OK);
    EXPECT_EQ(host.InvokeCallback(L"Facetor_Nothing"), DISP_E_UNKNOWNNAME);
    app->RemoveFileOpenItem(9, Bstr(L"Facetor_Open"), Bstr(L"other"), Bstr(L"stl"), &done);
    EXPECT_EQ(host.GetModel().userInterface.fileOpenItems.size(), 1u);
    app->RemoveFileOpenItem(9, Bstr(L"Facetor_Open"), Bstr(L"STL"), Bstr(L"stl"), &done);
    EXPECT_TRUE(host.GetModel().userInterface.fileOpenItems.empty());
    EXPECT_THAT(callbacks.calls, ElementsAre(L"7/1/1 /tmp/a.stl", L"4/1/0"));
    EXPECT_THAT(host.Journal(),
                ElementsAre("app.SetAddinCallbackInfo(4096, callbacks, 9) -> S_OK, -1",
                            "app.AddFileOpenItem(9, \"Facetor_Open\", \"STL\", \"stl\", \"\", \"\") -> S_OK, -1",
                            "app.RemoveFileOpenItem(9, \"Facetor_Open\", \"other\", \"stl\") -> S_OK, 0",
                            "app.RemoveFileOpenItem(9, \"Facetor_Open\", \"STL\", \"stl\") -> S_OK, -1"));
    EXPECT_EQ(platform::LiveBstrCount(), bstrs);
}
