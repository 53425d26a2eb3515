#include "HostUtils.h"

#include "sim/Host.h"
#include "ui/ScriptedDriver.h"
#include "win32_testing.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <set>
#include <string>
#include <vector>

#include <stdlib.h>
#include <unistd.h>

using testing::ElementsAre;
using testing::IsEmpty;

namespace
{
namespace fs = std::filesystem;

std::string Quoted(const fs::path& path)
{
    return "\"" + path.string() + "\"";
}

// The name of the file in `folder` that a journal line of LoadFile opens; empty for another line.
std::string LoadedName(const std::string& line, const fs::path& folder)
{
    const std::string start = "app.LoadFile(\"" + folder.string() + "/";
    const size_t end = line.find("\", \"\") -> ");
    if (line.rfind(start, 0) != 0 || end == std::string::npos)
        return "";
    return line.substr(start.size(), end - start.size());
}

class ModelFiles : public testing::Test
{
protected:
    void SetUp() override
    {
        char pattern[] = "/tmp/facetor-dxf-XXXXXX";
        m_folder = mkdtemp(pattern);
        HostUtils::SetError(L"-");
    }
    void TearDown() override
    {
        EXPECT_EQ(host.LiveReferences(), 0) << "a host reference was kept";
        EXPECT_EQ(platform::LiveBstrCount(), bstrsBefore);
        fs::remove_all(m_folder);
    }

    // Files (and folders, named with a trailing '/') made in a fresh subfolder, which is returned.
    fs::path Folder(const std::vector<std::string>& entries)
    {
        const fs::path folder = m_folder / std::to_string(++m_folders);
        fs::create_directory(folder);
        for (const std::string& entry : entries)
        {
            if (entry.back() == '/')
                fs::create_directory(folder / entry.substr(0, entry.size() - 1));
            else
                std::ofstream(folder / entry) << "0\nSECTION\n0\nEOF\n";
        }
        return folder;
    }

    static std::set<std::string> Entries(const fs::path& folder)
    {
        std::set<std::string> names;
        for (const auto& entry : fs::directory_iterator(folder))
            names.insert(entry.path().filename().string());
        return names;
    }

    static std::string Error() { return ui::Utf8(std::wstring((LPCWSTR)HostUtils::GetError())); }
    static CString Path(const fs::path& path) { return CString(path.wstring()); }

    sim::Host host;
    long bstrsBefore = platform::LiveBstrCount();
    fs::path m_folder;
    int m_folders = 0;
};
} // namespace

TEST_F(ModelFiles, SaveActiveModelNeedsADocumentAndAWrittenFile)
{
    const fs::path target = m_folder / "out.sldprt";
    // No document yet.
    EXPECT_EQ(HostUtils::SaveActiveModel(host.Application(), Path(target)), 0);
    EXPECT_EQ(Error(), "Unable to retrieve active model");
    EXPECT_THAT(host.Journal(), ElementsAre("app.GetActiveDocument() -> S_OK, null"));

    host.GetModel().AddDocument(sim::DocumentType::Part);
    struct Case
    {
        const char* what;
        fs::path path;
        const char* failing;
        int result;
        const char* error; // the text after the call; "-" is the one before it
        const char* outcome;
    };
    const Case cases[] = {
        {"written", target, nullptr, 1, "-", "S_OK, 0"},
        {"non-zero status", m_folder / "none" / "out.sldprt", nullptr, 0, "Unable to extract solid data",
         "S_OK, 1"},
        {"failed call", target, "WriteModel", 0, "Unable to extract solid data", "E_FAIL"},
    };
    for (const Case& c : cases)
    {
        SCOPED_TRACE(c.what);
        HostUtils::SetError(L"-");
        host.ClearJournal();
        if (c.failing)
            host.FailCall(c.failing, host.CallCount(c.failing) + 1);
        EXPECT_EQ(HostUtils::SaveActiveModel(host.Application(), Path(c.path)), c.result);
        EXPECT_EQ(Error(), c.error);
        EXPECT_THAT(host.Journal(),
                    ElementsAre("app.GetActiveDocument() -> S_OK, doc1",
                                "doc1.WriteModel(" + Quoted(c.path) + ", 0, -1, -1) -> " + c.outcome));
    }
    EXPECT_TRUE(fs::exists(target));
}

TEST_F(ModelFiles, LoadDXFFileAsksTheHostOnceAndReleasesWhatItGives)
{
    const fs::path folder = Folder({"plan.dxf"});
    struct Case
    {
        const char* what;
        std::string name;
        bool withoutDocument;
        int result;
        const char* error;
        const char* outcome;
    };
    const Case cases[] = {
        {"opened", "plan.dxf", false, 1, "-", "S_OK, doc1"},
        {"missing", "gone.dxf", false, 0, "Unable to load DXF file\n", "E_FAIL"},
        // Only the result counts, not the document.
        {"opened without a document", "plan.dxf", true, 1, "-", "S_OK, null"},
    };
    for (const Case& c : cases)
    {
        SCOPED_TRACE(c.what);
        HostUtils::SetError(L"-");
        host.ClearJournal();
        if (c.withoutDocument)
            host.FailCallWithoutObject("LoadFile", host.CallCount("LoadFile") + 1);
        EXPECT_EQ(HostUtils::LoadDXFFile(host.Application(), Path(folder / c.name)), c.result);
        EXPECT_EQ(Error(), c.error);
        EXPECT_THAT(host.Journal(),
                    ElementsAre("app.LoadFile(" + Quoted(folder / c.name) + ", \"\") -> " + c.outcome));
    }
    EXPECT_TRUE(fs::exists(folder / "plan.dxf")) << "a single load deletes nothing";
}

TEST_F(ModelFiles, LoadDXFFilesOpensAndDeletesOnlyTheMatchingFiles)
{
    struct Case
    {
        const char* what;
        std::vector<std::string> entries;
        std::string path; // in the folder
        int refused;      // the nth load the host refuses, or 0
        int result, count;
        const char* error;
        std::vector<std::string> loaded;
        std::set<std::string> left;
    };
    const std::vector<std::string> example = {"model_1.dxf", "model_2.dxf", "other.dxf"};
    const std::vector<Case> cases = {
        {"two of three", example, "model.tmp", 0, 1, 2, "-", {"model_1.dxf", "model_2.dxf"}, {"other.dxf"}},
        {"one refused",
         example,
         "model.tmp",
         2,
         0,
         1,
         "Unable to load DXF file\n",
         {"model_1.dxf", "model_2.dxf"},
         {"other.dxf"}},
        {"no extension", example, "model", 0, 1, 2, "-", {"model_1.dxf", "model_2.dxf"}, {"other.dxf"}},
        // Near misses stay: another extension, a folder, another base name; any letter case matches.
        {"files around the match",
         {"model_1.dxf", "model_1.dxf1", "model_x.dxf/", "other.dxf", "model_3.DXF", "model.tmp"},
         "model.tmp",
         0,
         1,
         2,
         "-",
         {"model_1.dxf", "model_3.DXF"},
         {"model_1.dxf1", "model_x.dxf", "other.dxf", "model.tmp"}},
        {"none matching",
         {"other.dxf", "model.tmp"},
         "model.tmp",
         0,
         0,
         0,
         "Unable to read 2D data\n",
         {},
         {"other.dxf", "model.tmp"}},
        // Wildcards in the base name are its own characters.
        {"wildcards in the name",
         {"model_1.dxf", "m*_1.dxf", "m?del.dxf"},
         "m*.tmp",
         0,
         1,
         1,
         "-",
         {"m*_1.dxf"},
         {"model_1.dxf", "m?del.dxf"}},
        {"only a folder matching",
         {"model_x.dxf/"},
         "model.tmp",
         0,
         0,
         0,
         "Unable to read 2D data\n",
         {},
         {"model_x.dxf"}},
        {"no such folder", {}, "none/model.tmp", 0, 0, 0, "Unable to read 2D data\n", {}, {}},
    };
    for (const Case& c : cases)
    {
        SCOPED_TRACE(c.what);
        const fs::path folder = Folder(c.entries);
        HostUtils::SetError(L"-");
        host.ClearJournal();
        host.ClearFailures();
        if (c.refused)
            host.FailCall("LoadFile", host.CallCount("LoadFile") + c.refused);
        int count = 42;
        EXPECT_EQ(HostUtils::LoadDXFFiles(host.Application(), Path(folder / c.path), &count), c.result);
        EXPECT_EQ(count, c.count);
        EXPECT_EQ(Error(), c.error);
        std::vector<std::string> loaded;
        for (const std::string& line : host.Journal())
            loaded.push_back(LoadedName(line, folder));
        EXPECT_EQ(loaded, c.loaded);
        EXPECT_EQ(Entries(folder), c.left);
    }
}

TEST_F(ModelFiles, APathTooLongToSplitIsRefusedBeforeAnyFileIsTouched)
{
    // Split buffers left empty would search the current folder for every DXF file.
    const fs::path folder = Folder({"a.dxf", "b.dxf"});
    const fs::path previous = fs::current_path();
    fs::current_path(folder);
    const std::wstring longPart(300, L'm');
    const std::wstring paths[] = {
        (folder / longPart).wstring() + L".tmp",
        folder.wstring() + L"/" + longPart + L"/model.tmp",
        (folder / L"model.").wstring() + longPart,
    };
    for (const std::wstring& path : paths)
    {
        HostUtils::SetError(L"-");
        int count = 42;
        EXPECT_EQ(HostUtils::LoadDXFFiles(host.Application(), CString(path), &count), 0);
        EXPECT_EQ(count, 0);
        EXPECT_EQ(Error(), "Unable to read 2D data\n");
    }
    fs::current_path(previous);
    EXPECT_THAT(host.Journal(), IsEmpty());
    EXPECT_EQ(Entries(folder), (std::set<std::string>{"a.dxf", "b.dxf"}));
}
