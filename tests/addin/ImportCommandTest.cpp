#include "ImportSTLFile.h"
#include "KzSTL.h"
#include "NVKSWON.h"

#include "registry_testing.h"
#include "sim/Host.h"
#include "win32_testing.h"

#include "ui/ScriptedDriver.h"

#include <gtest/gtest.h>

#include <array>
#include <filesystem>
#include <fstream>
#include <functional>
#include <stdexcept>

namespace
{
using Triangle = std::array<std::array<float, 3>, 3>;
using Solid = std::vector<Triangle>;

// An ASCII file with one "solid" block per solid.
void WriteAsciiStl(const std::filesystem::path& path, const std::vector<Solid>& solids)
{
    std::ofstream out(path);
    for (const Solid& solid : solids)
    {
        out << "solid test\n";
        for (const Triangle& t : solid)
        {
            out << "facet normal 0 0 1\nouter loop\n";
            for (const auto& v : t)
                out << "vertex " << v[0] << " " << v[1] << " " << v[2] << "\n";
            out << "endloop\nendfacet\n";
        }
        out << "endsolid test\n";
    }
}

const Triangle kTriangle = {{{1, 2, 3}, {4, 2, 3}, {1, 5, 3}}};
const std::string kCaption = "\"Facetor for SolidWorks 2013 version 1.0\"";
// What every run asks the host before anything else: its revision for the caption, and its frame.
const std::vector<std::string> kCaptionAndFrame = {
    "app.GetRevisionNumber() -> S_OK, \"21.0.0\"",
    "app.GetFrame() -> S_OK, frame1",
    "frame1.GetWindowHandle() -> S_OK, 4660",
};

std::string MessageLine(const std::wstring& text)
{
    return "MessageBox(null, " + ui::Quoted(text) + ", " + kCaption + ", 0x30) -> 1";
}

void Store(const wchar_t* name, DWORD value)
{
    HKEY key;
    ASSERT_EQ(RegCreateKeyExW(HKEY_CURRENT_USER, L"Software\\Norvek\\Facetor for SolidWorks", 0, nullptr, 0,
                              KEY_WRITE, nullptr, &key, nullptr),
              ERROR_SUCCESS);
    RegSetValueExW(key, name, 0, REG_DWORD, reinterpret_cast<const BYTE*>(&value), sizeof value);
    RegCloseKey(key);
}

// One run of the command in a world of its own: a host, stored settings, a person who answers, and
// a folder of files.
struct Session
{
    Session()
    {
        std::string pattern = (std::filesystem::temp_directory_path() / "facetor-import-XXXXXX").string();
        if (!mkdtemp(pattern.data()))
            throw std::runtime_error("no temporary folder");
        folder = pattern;
        driver.onShow = [this]
        {
            if (driver.messageBoxes.size() > messageBoxesSeen)
            {
                messageBoxesSeen = driver.messageBoxes.size();
                settingsWhenTold = platform::DumpRegistry();
            }
        };
    }
    ~Session()
    {
        std::filesystem::remove_all(folder);
        EXPECT_EQ(host.LiveReferences(), 0);
        EXPECT_EQ(platform::LiveBstrCount(), bstrsBefore);
    }

    std::wstring File(const std::string& name) const { return (folder / name).wstring(); }
    int Import(const std::wstring& path) { return ImportSTLFile(host.Application(), CString(path.c_str())); }

    // What the person saw, without the progress windows.
    std::vector<std::string> Shown() const
    {
        std::vector<std::string> lines;
        for (const std::string& line : driver.log)
            if (line.rfind("Progress", 0) != 0)
                lines.push_back(line);
        return lines;
    }

    // The points of the first face of the newest document, as handed to the host.
    std::vector<double> FirstFacePoints() const
    {
        const auto& documents = host.GetModel().documents;
        if (documents.empty() || documents.back()->bodies.empty() ||
            documents.back()->bodies[0]->planarFaces.empty())
            return {};
        const sim::PlanarFace& face = documents.back()->bodies[0]->planarFaces[0];
        return {face.points.begin(), face.points.begin() + 3 * face.pointCount};
    }

    long bstrsBefore = platform::LiveBstrCount();
    std::filesystem::path folder;
    platform::TemporaryRegistry store;
    sim::Host host;
    ui::ScriptedDriver driver;
    ui::ScopedDriver scope{driver};
    size_t messageBoxesSeen = 0;
    std::string settingsWhenTold;
};

const std::string kOptionsDialog = "Dialog(\"Facetor for SolidWorks Options\")";

TEST(ImportCommand, EachOutcomeHasItsMessageAndResult)
{
    const struct
    {
        const char* situation;
        std::string path; // a file of the session's folder; "" asks in the open-file dialog
        int fileDialog;   // the person's answer there
        bool cancelOptions;
        const char* failingHostCall;
        std::function<std::wstring()> message; // null: none
        std::vector<std::string> shownBefore;  // what the person saw before the message, if any
        bool settingsStored;                   // when the message came, or at the end
        size_t documents;
        int result;
    } cases[] = {
        {"path without .stl",
         "part.obj",
         0,
         false,
         nullptr,
         [] { return L"Please specify a file name with a .stl extension"; },
         {},
         false,
         0,
         0},
        {"open-file dialog cancelled",
         "",
         IDCANCEL,
         false,
         nullptr,
         nullptr,
         {"FileDialog(open, \"Stereolithography STL Files (*.stl)|*.stl||\") -> 2, \"\""},
         false,
         0,
         0},
        {"options dialog cancelled", "part.stl", 0, true, nullptr, nullptr, {kOptionsDialog}, false, 0, 0},
        {"file cannot be read",
         "missing.stl",
         0,
         false,
         nullptr,
         [] { return KzSTL::GetError().Str(); },
         {kOptionsDialog},
         true,
         0,
         0},
        {"file without meshes",
         "empty.stl",
         0,
         false,
         nullptr,
         [] { return L"STL file does not contain meshes"; },
         {kOptionsDialog},
         true,
         0,
         0},
        {"bridge fails",
         "part.stl",
         0,
         false,
         "NewPartDocument",
         [] { return NVKSWON::GetError().Str(); },
         {kOptionsDialog},
         true,
         0,
         0},
        {"part built",
         "part.stl",
         0,
         false,
         nullptr,
         [] { return L"Success"; },
         {kOptionsDialog},
         true,
         1,
         1},
    };
    for (const auto& c : cases)
    {
        SCOPED_TRACE(c.situation);
        Session s;
        WriteAsciiStl(s.folder / "part.stl", {{kTriangle}});
        WriteAsciiStl(s.folder / "part.obj", {{kTriangle}});
        WriteAsciiStl(s.folder / "empty.stl", {{}});
        if (c.fileDialog)
            s.driver.QueueFileDialog(c.fileDialog, L"");
        if (c.cancelOptions)
            s.driver.QueueDialog([](ui::ModalDialog& d) { d.Click(IDCANCEL); });
        if (c.failingHostCall)
            s.host.FailCall(c.failingHostCall, 1);

        EXPECT_EQ(s.Import(c.path.empty() ? L"" : s.File(c.path)), c.result);

        std::vector<std::string> expected = c.shownBefore;
        if (c.message)
        {
            const std::wstring text = c.message();
            EXPECT_FALSE(text.empty());
            expected.push_back(MessageLine(text));
        }
        EXPECT_EQ(s.Shown(), expected);
        const std::string settings = c.message ? s.settingsWhenTold : platform::DumpRegistry();
        EXPECT_EQ(!settings.empty(), c.settingsStored) << settings;

        const std::vector<std::string> journal = s.host.Journal();
        ASSERT_GE(journal.size(), kCaptionAndFrame.size());
        EXPECT_EQ(std::vector<std::string>(journal.begin(), journal.begin() + 3), kCaptionAndFrame);
        EXPECT_EQ(journal.size() > 3, c.failingHostCall || c.result == 1); // only the bridge goes further
        EXPECT_EQ(s.host.GetModel().documents.size(), c.documents);
    }
}

TEST(ImportCommand, AGivenPathIsCutAfterItsFirstStlInTheCaseGiven)
{
    const struct
    {
        const char* given;
        const char* read; // the path the reader was given; null: none, the path was refused
    } cases[] = {
        {"PART.STL", "PART.STL"},    {"Part.Stl.bak", "Part.Stl"}, {"Part.Stlx", "Part.Stl"},
        {"x.stl/part.stl", "x.stl"}, // a folder's ".stl" counts too, so the folder is read
        {"part.obj", nullptr},
    };
    for (const auto& c : cases)
    {
        SCOPED_TRACE(c.given);
        Session s;
        WriteAsciiStl(s.folder / "PART.STL", {{kTriangle}});
        WriteAsciiStl(s.folder / "Part.Stl", {{kTriangle}});
        WriteAsciiStl(s.folder / "part.obj", {{kTriangle}});
        std::filesystem::create_directory(s.folder / "x.stl");
        WriteAsciiStl(s.folder / "x.stl" / "part.stl", {{kTriangle}});

        const int result = s.Import(s.File(c.given));
        std::wstring message = L"Please specify a file name with a .stl extension";
        if (c.read && std::filesystem::is_directory(s.folder / c.read))
            message = L"Cannot read the STL file \"" + s.File(c.read) + L"\": it is a folder.";
        else if (c.read)
            message = L"Success";
        EXPECT_EQ(result, message == L"Success" ? 1 : 0);
        EXPECT_EQ(s.Shown().back(), MessageLine(message));
        EXPECT_EQ(s.Shown().size(), c.read ? 2u : 1u) << "the options dialog comes only with a path taken";
        EXPECT_TRUE(s.driver.fileDialogs.empty());
    }
}

TEST(ImportCommand, WithoutAPathTheOpenFileDialogComesFirstAndItsChoiceIsReadAsIs)
{
    const struct
    {
        const char* typed;
        int frameHandle;
        HWND parent;
        int result;
    } cases[] = {
        {"part", 0x1234, reinterpret_cast<HWND>(0x1234), 1},     // the default extension is added
        {"mesh.obj", 0x1234, reinterpret_cast<HWND>(0x1234), 1}, // not searched for ".stl"
        {"part.stl", 0, nullptr, 1},                             // no frame: no parent
        {"missing", 0x1234, reinterpret_cast<HWND>(0x1234), 0},
    };
    for (const auto& c : cases)
    {
        SCOPED_TRACE(c.typed);
        Session s;
        WriteAsciiStl(s.folder / "part.stl", {{kTriangle}});
        WriteAsciiStl(s.folder / "mesh.obj", {{kTriangle}});
        s.host.SetFrameHandle(c.frameHandle);
        s.driver.QueueFileDialog(IDOK, s.File(c.typed));

        EXPECT_EQ(s.Import(L""), c.result);
        const std::vector<std::string> shown = s.Shown();
        ASSERT_EQ(shown.size(), 3u);
        EXPECT_EQ(shown[0].rfind("FileDialog(open, \"Stereolithography STL Files (*.stl)|*.stl||\") -> 1", 0),
                  0u);
        EXPECT_EQ(shown[1], kOptionsDialog);
        EXPECT_EQ(shown[2], MessageLine(c.result ? L"Success" : KzSTL::GetError().Str()));
        const ui::FileDialogRequest& request = s.driver.fileDialogs[0];
        EXPECT_EQ(request.defaultExtension, L"stl");
        EXPECT_EQ(request.fileName, L"");
        EXPECT_EQ(request.flags,
                  DWORD(OFN_HIDEREADONLY | OFN_OVERWRITEPROMPT | OFN_ENABLEHOOK | OFN_EXPLORER));
        EXPECT_EQ(request.parent, c.parent);
    }
}

TEST(ImportCommand, YUpTurnsTheFilesZAxisIntoTheYAxisOnlyForAFlagOfOne)
{
    const struct
    {
        DWORD storedYUp;
        std::vector<double> points; // in metres
    } cases[] = {
        {1, {1, 3, -2, 4, 3, -2, 1, 3, -5}},
        {0, {1, 2, 3, 4, 2, 3, 1, 5, 3}},
        {2, {1, 2, 3, 4, 2, 3, 1, 5, 3}}, // ticked in another way, but not 1
    };
    for (const auto& c : cases)
    {
        SCOPED_TRACE(c.storedYUp);
        Session s;
        WriteAsciiStl(s.folder / "part.stl", {{kTriangle}});
        Store(L"Units", 2);
        Store(L"Y Up", c.storedYUp);
        EXPECT_EQ(s.Import(s.File("part.stl")), 1);
        EXPECT_EQ(s.FirstFacePoints(), c.points);
    }
}

TEST(ImportCommand, TheBridgeGetsTheOptionsAsTheDialogGaveThem)
{
    const struct
    {
        DWORD units, importAs, multiBody, progress;
        LONG lengthUnit;
        size_t documents, faces, lines;
        bool progressShown;
    } cases[] = {
        {4, 1, 0, 0, 4, 2, 0, 6, false}, // feet, 3D sketch, a part per mesh, no progress
        {0, 0, 1, 1, 0, 1, 2, 0, true},  // millimetres, solids, one part, progress
    };
    for (const auto& c : cases)
    {
        SCOPED_TRACE(c.units);
        Session s;
        WriteAsciiStl(s.folder / "two.stl", {{kTriangle}, {kTriangle}});
        Store(L"Import As", c.importAs);
        Store(L"Units", c.units);
        Store(L"MultiBody", c.multiBody);
        Store(L"Progress", c.progress);
        EXPECT_EQ(s.Import(s.File("two.stl")), 1);

        const auto& documents = s.host.GetModel().documents;
        ASSERT_EQ(documents.size(), c.documents);
        size_t faces = 0, lines = 0;
        for (const auto& document : documents)
        {
            EXPECT_EQ(document->lengthUnit, c.lengthUnit);
            faces += document->FaceCount();
            lines += document->SketchEntityCount(sim::SketchEntityKind::Line);
        }
        EXPECT_EQ(faces, c.faces);
        EXPECT_EQ(lines, c.lines);
        size_t started = 0;
        for (const ui::ProgressEvent& event : s.driver.progress)
            started += event.call == ui::ProgressCall::StartProgress;
        EXPECT_EQ(started > 0, c.progressShown);
    }
}
TEST(ImportCommand, OnlyTheOptionsDialogRunsInTheModulesOwnState)
{
    Session s;
    WriteAsciiStl(s.folder / "part.stl", {{kTriangle}});
    AFX_MODULE_STATE callerState(GetModuleHandleW(nullptr));
    AFX_MANAGE_STATE(&callerState);
    std::vector<AFX_MODULE_STATE*> during;
    s.driver.onShow = [&] { during.push_back(AfxGetModuleState()); };
    s.driver.QueueFileDialog(IDOK, s.File("part.stl"));

    EXPECT_EQ(s.Import(L""), 1);
    // the open-file dialog, the options dialog, "Success"
    EXPECT_EQ(during,
              (std::vector<AFX_MODULE_STATE*>{&callerState, AfxGetStaticModuleState(), &callerState}));
    EXPECT_EQ(AfxGetModuleState(), &callerState);
}
TEST(ImportCommand, CorpusFilesBecomeOnePartWithABodyPerMesh)
{
    const std::filesystem::path corpus = std::filesystem::path(FACETOR_SOURCE_DIR) / "tests/data/stl";
    const struct
    {
        const char* file;
        size_t bodies, faces;
    } cases[] = {
        {"MeshIO.jl/binary_stl_from_solidworks.STL", 1, 12}, // binary, extension in capitals
        {"trimesh/multibody.stl", 2, 32},                    // two named solids, CRLF
    };
    for (const auto& c : cases)
    {
        SCOPED_TRACE(c.file);
        Session s;
        EXPECT_EQ(s.Import((corpus / c.file).wstring()), 1);
        EXPECT_EQ(s.Shown().back(), MessageLine(L"Success"));
        const auto& documents = s.host.GetModel().documents;
        ASSERT_EQ(documents.size(), 1u);
        EXPECT_EQ(documents[0]->bodies.size(), c.bodies);
        EXPECT_EQ(documents[0]->FaceCount(), c.faces);
    }
}
} // namespace
