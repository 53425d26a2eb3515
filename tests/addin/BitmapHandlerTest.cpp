#include "ServerModule.h"

#include "Facetor_i.h"
#include "ole_testing.h"
#include "registry_testing.h"
#include "win32_testing.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <regex>
#include <string>
#include <vector>

#include <sys/inotify.h>
#include <unistd.h>

namespace
{
namespace fs = std::filesystem;

std::vector<char> ReadFile(const fs::path& path)
{
    std::ifstream in(path, std::ios::binary);
    return std::vector<char>(std::istreambuf_iterator<char>(in), {});
}

template <typename T> T At(const std::vector<char>& bytes, size_t offset)
{
    T value{};
    if (offset + sizeof value <= bytes.size())
        std::memcpy(&value, bytes.data() + offset, sizeof value);
    return value;
}

std::string Narrow(BSTR text)
{
    return std::string(text, text + SysStringLen(text));
}

// A temporary folder of the test's own as TMPDIR; the previous one comes back afterwards.
class BitmapHandler : public testing::Test
{
protected:
    void SetUp() override
    {
        std::string pattern = (fs::temp_directory_path() / "facetor-bitmaps-XXXXXX").string();
        ASSERT_TRUE(mkdtemp(pattern.data()));
        m_folder = pattern;
        if (const char* previous = std::getenv("TMPDIR"))
            m_previousTmpdir = previous;
        SetTmpdir(m_folder.string());
        m_handler = m_module.Create<IBitmapHandler>(CLSID_BitmapHandler, IID_IBitmapHandler);
        ASSERT_NE(m_handler, nullptr);
    }

    void TearDown() override
    {
        if (m_handler)
            m_handler->Release();
        if (m_previousTmpdir.empty())
            unsetenv("TMPDIR");
        else
            setenv("TMPDIR", m_previousTmpdir.c_str(), 1);
        fs::permissions(m_folder, fs::perms::owner_all);
        fs::remove_all(m_folder);
        EXPECT_EQ(platform::LiveBstrCount(), m_bstrs);
        EXPECT_EQ(platform::LiveBitmapCount(), 0);
        EXPECT_EQ(platform::LivePictureCount(), 0);
        EXPECT_EQ(platform::LiveStreamCount(), 0);
        EXPECT_EQ(platform::LiveGlobalCount(), 0);
    }

    static void SetTmpdir(const std::string& folder) { setenv("TMPDIR", folder.c_str(), 1); }

    // The path of the file written for the resource; empty when the call failed.
    fs::path Create(ULONG resource)
    {
        BSTR path = nullptr;
        const HRESULT hr = m_handler->CreateBitmapFileFromResource(resource, &path);
        EXPECT_EQ(hr, S_OK) << resource;
        const fs::path file = path ? Narrow(path) : "";
        SysFreeString(path);
        return file;
    }

    std::vector<fs::path> FilesInFolder() const
    {
        std::vector<fs::path> files;
        for (const auto& entry : fs::directory_iterator(m_folder))
            files.push_back(entry.path());
        return files;
    }

    const long m_bstrs = platform::LiveBstrCount();
    ServerModule m_module;
    fs::path m_folder;
    std::string m_previousTmpdir;
    IBitmapHandler* m_handler = nullptr;
};

TEST_F(BitmapHandler, WritesEachToolbarBitmapAsTheBmpFileThePictureSaves)
{
    struct Case
    {
        ULONG resource;
        const char* source;
        LONG width, height;
        size_t bytes;
    };
    const Case cases[] = {{208, "Toolbar16.bmp", 64, 16, 3126},
                          {205, "Toolbar24.bmp", 96, 24, 6966},
                          {204, "Import16.bmp", 16, 16, 822},
                          {202, "Import24.bmp", 24, 24, 1782},
                          {65536 + 202, "Import24.bmp", 24, 24, 1782}}; // the low 16 bits name the resource
    const std::regex name("swt[0-9A-F]{1,4}\\.TMP", std::regex::icase);
    for (const Case& c : cases)
    {
        SCOPED_TRACE(c.resource);
        const fs::path file = Create(c.resource);
        EXPECT_EQ(file.parent_path(), m_folder);
        EXPECT_TRUE(std::regex_match(file.filename().string(), name)) << file;
        const std::vector<char> bytes = ReadFile(file);
        ASSERT_EQ(bytes.size(), c.bytes);
        EXPECT_EQ(At<WORD>(bytes, 0), 0x4D42); // "BM"
        EXPECT_EQ(At<DWORD>(bytes, 2), c.bytes);
        EXPECT_EQ(At<DWORD>(bytes, 10), 54u);
        EXPECT_EQ(At<LONG>(bytes, 18), c.width);
        EXPECT_EQ(At<LONG>(bytes, 22), c.height);
        EXPECT_EQ(At<WORD>(bytes, 28), 24);
        // The pixels are the resource's, bottom row first as in the source file.
        const std::vector<char> source = ReadFile(fs::path(FACETOR_SOURCE_DIR) / "resources" / c.source);
        ASSERT_EQ(source.size(), c.bytes);
        EXPECT_TRUE(std::equal(bytes.begin() + 54, bytes.end(), source.begin() + 54));
    }
    EXPECT_EQ(FilesInFolder().size(), std::size(cases));
}

TEST_F(BitmapHandler, DisposeDeletesItsFilesNewestFirstAndOnlyOnce)
{
    EXPECT_EQ(m_handler->Dispose(), S_OK) << "nothing to delete";
    const fs::path first = Create(208);
    const fs::path second = Create(208);
    const fs::path third = Create(204);
    EXPECT_NE(first, second);
    ASSERT_EQ(FilesInFolder().size(), 3u);

    // A file that cannot be deleted is dropped all the same.
    fs::permissions(second, fs::perms::owner_read);
    const int watch = inotify_init1(IN_NONBLOCK);
    ASSERT_GE(watch, 0);
    inotify_add_watch(watch, m_folder.c_str(), IN_DELETE);
    EXPECT_EQ(m_handler->Dispose(), S_OK);
    std::vector<std::string> deleted;
    alignas(inotify_event) char buffer[4096];
    for (ssize_t length; (length = read(watch, buffer, sizeof buffer)) > 0;)
        for (char* at = buffer; at < buffer + length;)
        {
            const auto* event = reinterpret_cast<const inotify_event*>(at);
            deleted.push_back(event->name);
            at += sizeof(inotify_event) + event->len;
        }
    close(watch);
    EXPECT_EQ(deleted, (std::vector<std::string>{third.filename().string(), first.filename().string()}));
    EXPECT_EQ(FilesInFolder(), std::vector<fs::path>{second});

    fs::permissions(second, fs::perms::owner_all);
    EXPECT_EQ(m_handler->Dispose(), S_OK);
    EXPECT_EQ(FilesInFolder(), std::vector<fs::path>{second}) << "it is not tried again";
    const fs::path later = Create(205);
    EXPECT_EQ(m_handler->Dispose(), S_OK);
    EXPECT_FALSE(fs::exists(later)) << "the handler stays usable";
}

TEST_F(BitmapHandler, ReleasingItWithoutDisposingLeavesItsFiles)
{
    const fs::path file = Create(202);
    EXPECT_EQ(m_module.CanUnloadNow(), S_FALSE);
    m_handler->Release();
    m_handler = nullptr;
    EXPECT_TRUE(fs::exists(file));
    EXPECT_EQ(m_module.CanUnloadNow(), S_OK);
}

TEST_F(BitmapHandler, AFailureWritesNoFileAndLeavesTheOutArgumentAsItWas)
{
    const std::string tooLong = "/tmp/" + std::string(300, 'x');
    struct Case
    {
        const char* what;
        std::string folder;
        ULONG resource;
    };
    const Case cases[] = {{"no temporary folder", (m_folder / "missing").string(), 208},
                          {"a folder longer than a path may be", tooLong, 208},
                          {"no such bitmap", m_folder.string(), 999}};
    for (const Case& c : cases)
    {
        SetTmpdir(c.folder);
        BSTR path = reinterpret_cast<BSTR>(0x1234);
        EXPECT_EQ(m_handler->CreateBitmapFileFromResource(c.resource, &path), E_FAIL) << c.what;
        EXPECT_EQ(path, reinterpret_cast<BSTR>(0x1234)) << c.what;
        EXPECT_TRUE(FilesInFolder().empty()) << c.what;
    }
    EXPECT_EQ(m_handler->CreateBitmapFileFromResource(208, nullptr), E_POINTER);
    EXPECT_TRUE(FilesInFolder().empty());
}

TEST_F(BitmapHandler, AnswersByNameThroughTheRegisteredTypeLibrary)
{
    platform::TemporaryRegistry registry;
    IDispatch* dispatch = nullptr;
    ASSERT_EQ(m_handler->QueryInterface(IID_IDispatch, reinterpret_cast<void**>(&dispatch)), S_OK);
    std::wstring create = L"CreateBitmapFileFromResource", dispose = L"dispose";
    LPOLESTR names[] = {create.data(), dispose.data()};
    DISPID id = 0;
    EXPECT_EQ(dispatch->GetIDsOfNames(GUID_NULL, names, 1, LOCALE_USER_DEFAULT, &id),
              TYPE_E_LIBNOTREGISTERED);

    ASSERT_EQ(m_module.RegisterServer(), S_OK);
    UINT count = 0;
    EXPECT_EQ(dispatch->GetTypeInfoCount(&count), S_OK);
    EXPECT_EQ(count, 1u);
    ITypeInfo* info = nullptr;
    EXPECT_EQ(dispatch->GetTypeInfo(1, 0, &info), DISP_E_BADINDEX);
    ASSERT_EQ(dispatch->GetTypeInfo(0, 0, &info), S_OK);
    BSTR interfaceName = nullptr;
    info->GetDocumentation(MEMBERID_NIL, &interfaceName, nullptr, nullptr, nullptr);
    EXPECT_EQ(Narrow(interfaceName), "IBitmapHandler");
    SysFreeString(interfaceName);
    info->Release();
    ASSERT_EQ(dispatch->GetIDsOfNames(GUID_NULL, names, 1, LOCALE_USER_DEFAULT, &id), S_OK);
    EXPECT_EQ(id, 1);
    VARIANT argument;
    VariantInit(&argument);
    argument.vt = VT_I4;
    argument.lVal = 208;
    DISPPARAMS params{&argument, nullptr, 1, 0};
    VARIANT result;
    VariantInit(&result);
    ASSERT_EQ(dispatch->Invoke(id, GUID_NULL, LOCALE_USER_DEFAULT, DISPATCH_METHOD, &params, &result, nullptr,
                               nullptr),
              S_OK);
    ASSERT_EQ(result.vt, VT_BSTR);
    const fs::path file = Narrow(result.bstrVal);
    VariantClear(&result);
    EXPECT_EQ(fs::file_size(file), 3126u);

    ASSERT_EQ(dispatch->GetIDsOfNames(GUID_NULL, names + 1, 1, LOCALE_USER_DEFAULT, &id), S_OK);
    EXPECT_EQ(id, 2);
    DISPPARAMS none{nullptr, nullptr, 0, 0};
    EXPECT_EQ(dispatch->Invoke(id, GUID_NULL, LOCALE_USER_DEFAULT, DISPATCH_METHOD, &none, nullptr, nullptr,
                               nullptr),
              S_OK);
    EXPECT_FALSE(fs::exists(file));
    dispatch->Release();
}
} // namespace
