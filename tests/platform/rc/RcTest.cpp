// Faults in a resource script stop the build with the place and the problem.
#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>

namespace
{
struct Outcome
{
    int status;
    std::string message;
};

class ResourceCompiler : public ::testing::Test
{
protected:
    void SetUp() override
    {
        std::string pattern = (std::filesystem::temp_directory_path() / "facetor-rc-XXXXXX").string();
        ASSERT_NE(mkdtemp(pattern.data()), nullptr);
        m_folder = pattern;
    }
    void TearDown() override { std::filesystem::remove_all(m_folder); }

    Outcome Compile(const std::string& script)
    {
        std::ofstream(m_folder + "/test.rc") << script;
        const std::string command = std::string(FACETOR_RC) + " " + m_folder + "/test.rc " + m_folder +
                                    "/out.cpp 2>" + m_folder + "/errors.txt";
        const int status = std::system(command.c_str());
        std::ifstream errors(m_folder + "/errors.txt");
        std::stringstream text;
        text << errors.rdbuf();
        return {WEXITSTATUS(status), text.str()};
    }

    std::string m_folder;
};

TEST_F(ResourceCompiler, RejectsFaultsWithTheirPlace)
{
    const struct
    {
        const char* script;
        const char* message;
    } cases[] = {
        {"1 DIALOGEX 0, 0, 1, 1\nBEGIN\n  BUTTON \"x\", 1, 0, 0, 1, 1\nEND\n",
         "test.rc:3: a control statement expected"},
        {"1 DIALOGEX 0, 0, 1, 1\nSTYLE WS_NOSUCH\nBEGIN\nEND\n",
         "test.rc:2: a number expected, not 'WS_NOSUCH'"},
        {"1 DIALOGEX 0, 0, 1, 1\nCAPTION \"open\nBEGIN\nEND\n", "test.rc:2: a string is not closed"},
        {"#include \"missing.h\"\n", "test.rc:1: cannot find missing.h"},
        {"#ifdef X\n", "#if without #endif"},
        {"2 BITMAP \"absent.bmp\"\n", "test.rc:1: cannot read absent.bmp"},
        {"1 DIALOG 0, 0, 1, 1\nBEGIN\nEND\n", "test.rc:1: DIALOG resources are not supported"},
        {"1 DIALOGEX 0, 0, 1, 1\nBEGIN\n", "the script ends too early"},
        {"#define A B\n#define B A\n1 DIALOGEX A, 0, 1, 1\nBEGIN\nEND\n", "expands without end"},
    };
    for (const auto& c : cases)
    {
        const Outcome outcome = Compile(c.script);
        EXPECT_EQ(outcome.status, 1) << c.script;
        EXPECT_NE(outcome.message.find(c.message), std::string::npos) << c.script << "\n" << outcome.message;
        EXPECT_FALSE(std::filesystem::exists(m_folder + "/out.cpp")) << c.script;
    }
}

TEST_F(ResourceCompiler, SystemHeadersNeedNotBePresent)
{
    const Outcome outcome = Compile("#include \"afxres.h\"\n#include <winres.h>\n7 RCDATA BEGIN 1L, 2 END\n");
    EXPECT_EQ(outcome.status, 0) << outcome.message;
    std::ifstream generated(m_folder + "/out.cpp");
    std::stringstream text;
    text << generated.rdbuf();
    EXPECT_NE(text.str().find("0x01, 0x00, 0x00, 0x00, 0x02, 0x00"), std::string::npos) << text.str();
}
} // namespace
