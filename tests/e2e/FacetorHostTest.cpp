// facetor-host run as a user runs it: the module registered, the sample imported by both roads,
// the import's failures, settings kept from one run to the next, and nothing left behind.
#include "ProgramRun.h"

#include <nlohmann/json.hpp>

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>

using testing::HasSubstr;
using testing::Not;

namespace
{
const std::string kSample = std::string(FACETOR_SOURCE_DIR) + "/examples/bracket.stl";
const std::string kCaption = "Facetor for SolidWorks 2013 version 1.0: ";

// A user of their own: a registry and a temporary folder in a fresh folder.
class FacetorHost : public testing::Test
{
protected:
    FacetorHost()
    {
        char pattern[] = "/tmp/facetor-host-test-XXXXXX";
        m_folder = mkdtemp(pattern);
        std::filesystem::create_directory(TemporaryFolder());
    }
    ~FacetorHost() override { std::filesystem::remove_all(m_folder); }

    std::filesystem::path TemporaryFolder() const { return m_folder / "tmp"; }

    ProgramResult Run(const std::vector<std::string>& arguments, const std::string& input = "")
    {
        ProgramResult result = RunProgram(FACETOR_HOST_PROGRAM, arguments, input,
                                          {"FACETOR_REGISTRY=" + (m_folder / "registry.reg").string(),
                                           "TMPDIR=" + TemporaryFolder().string()});
        // Whatever the command did, the add-in gave back every host reference and string, its
        // module could go, and no temporary file stayed.
        EXPECT_THAT(result.err, Not(HasSubstr("not released")));
        EXPECT_THAT(result.err, Not(HasSubstr("not freed")));
        EXPECT_THAT(result.err, Not(HasSubstr("stays loaded")));
        EXPECT_TRUE(std::filesystem::is_empty(TemporaryFolder()));
        return result;
    }

    void Register()
    {
        const ProgramResult registered = Run({"register"});
        ASSERT_EQ(registered.status, 0) << registered.err;
    }

    std::filesystem::path m_folder;
};

std::vector<std::string> Lines(const std::string& text)
{
    std::vector<std::string> lines;
    for (size_t start = 0, end; start < text.size(); start = end + 1)
    {
        end = text.find('\n', start);
        if (end == std::string::npos)
            end = text.size();
        lines.push_back(text.substr(start, end - start));
    }
    return lines;
}
} // namespace

TEST_F(FacetorHost, ImportsTheSampleAsSolidAndAsSketch)
{
    Register();
    const struct
    {
        const char* as;
        const char* summary;
    } cases[] = {
        // The bracket has 12 corners and 20 triangles, the pin 32 corners and 60 triangles.
        {"solid", "Part1: part, unit 0, 2 bodies, 80 faces, 0 sketch lines, 0 other sketch entities"},
        {"sketch", "Part1: part, unit 0, 0 bodies, 0 faces, 120 sketch lines, 0 other sketch entities"},
    };
    for (const auto& c : cases)
    {
        SCOPED_TRACE(c.as);
        const ProgramResult result =
            Run({"import", kSample, "--as", c.as, "--units", "mm", "--multibody", "--y-up", "--no-progress"});
        EXPECT_EQ(result.status, 0) << result.err;
        const std::vector<std::string> lines = Lines(result.out);
        EXPECT_THAT(lines, testing::Contains(kCaption + "Success"));
        EXPECT_EQ(lines.back(), c.summary);
    }
}

TEST_F(FacetorHost, FailedAndCancelledImportsMakeNoDocument)
{
    Register();
    const struct
    {
        const char* name;
        std::vector<std::string> arguments;
        std::string input;
        std::string message; // empty: no message box
    } cases[] = {
        {"no .stl in the name",
         {"import", "bracket.obj"},
         "",
         "Please specify a file name with a .stl extension"},
        {"missing file", {"import", "/nonexistent/part.stl"}, "", "/nonexistent/part.stl"},
        {"open-file dialog cancelled", {"import"}, "\n", ""},
    };
    for (const auto& c : cases)
    {
        SCOPED_TRACE(c.name);
        const ProgramResult result = Run(c.arguments, c.input);
        EXPECT_EQ(result.status, 1);
        EXPECT_THAT(result.out, Not(HasSubstr("Part1")));
        if (c.message.empty())
            EXPECT_THAT(result.out, Not(HasSubstr(kCaption)));
        else
            EXPECT_THAT(result.out, HasSubstr(c.message));
    }
}

TEST_F(FacetorHost, TheOpenFileDialogAsksOnTheTerminalAndTheOptionsAreRemembered)
{
    Register();
    const ProgramResult first =
        Run({"import", "--as", "sketch", "--units", "in", "--no-multibody", "--no-y-up"}, kSample + "\n");
    EXPECT_EQ(first.status, 0) << first.err;
    // One part per mesh, each a sketch of its edges.
    EXPECT_THAT(first.out, HasSubstr("Part1: part, unit 3, 0 bodies, 0 faces, 30 sketch lines"));
    EXPECT_THAT(first.out, HasSubstr("Part2: part, unit 3, 0 bodies, 0 faces, 90 sketch lines"));

    // The options dialog shows what the first run stored, and the import follows it.
    const ProgramResult second = Run({"import", kSample});
    EXPECT_EQ(second.status, 0) << second.err;
    EXPECT_THAT(second.out, HasSubstr("  [Inches]\n"));
    EXPECT_THAT(second.out, HasSubstr("  [ ] Create multibody part (in case of multiple meshes)\n"));
    EXPECT_THAT(second.out, HasSubstr("  [ ] Y axis points upwards\n"));
    EXPECT_THAT(second.out, HasSubstr("Part2: part, unit 3, 0 bodies, 0 faces, 90 sketch lines"));
}

TEST_F(FacetorHost, SavesTheDocumentsAsJson)
{
    Register();
    const std::filesystem::path saved = m_folder / "saved";
    const ProgramResult result = Run({"import", kSample, "--as", "solid", "--units", "m", "--multibody",
                                      "--no-y-up", "--save", saved.string()});
    ASSERT_EQ(result.status, 0) << result.err;
    std::ifstream file(saved / "Part1.json");
    const nlohmann::json part = nlohmann::json::parse(file);
    EXPECT_EQ(part["type"], "part");
    EXPECT_EQ(part["lengthUnit"], 2);
    ASSERT_EQ(part["bodies"].size(), 2u);
    const nlohmann::json& bracket = part["bodies"][0];
    EXPECT_EQ(bracket["faceCount"], 20);
    // The bracket's first facet, in metres as the file gives them.
    EXPECT_EQ(bracket["planarFaces"][0]["points"],
              nlohmann::json::parse("[[0, 0, 0], [40, 0, 0], [40, 0, 20]]"));
    EXPECT_EQ(bracket["planarFaces"][0]["normal"], nlohmann::json::parse("[0, -1, 0]"));
}

TEST_F(FacetorHost, CommandsUsageAndRegistration)
{
    const ProgramResult unregistered = Run({"about"});
    EXPECT_EQ(unregistered.status, 1);
    EXPECT_THAT(unregistered.err, HasSubstr("register"));

    Register();
    const ProgramResult about = Run({"about", "--journal"});
    EXPECT_EQ(about.status, 0);
    EXPECT_THAT(about.out, HasSubstr("About Facetor for SolidWorks 2013 version 1.0\n"));
    EXPECT_THAT(about.out, HasSubstr("app.SetAddinCallbackInfo("));

    const ProgramResult help = Run({"help"});
    EXPECT_EQ(help.status, 1); // no help file beside the module
    EXPECT_THAT(help.out, HasSubstr(kCaption + "Error displaying Facetor for SolidWorks help file."));

    EXPECT_EQ(Run({"--help"}).status, 0);
    for (const std::vector<std::string>& wrong : {std::vector<std::string>{},
                                                  {"import", "--as", "cube"},
                                                  {"import", "--lean", "--journal"},
                                                  {"print"}})
        EXPECT_EQ(Run(wrong).status, 2);

    EXPECT_EQ(Run({"unregister"}).status, 0);
    EXPECT_EQ(Run({"about"}).status, 1);
}
