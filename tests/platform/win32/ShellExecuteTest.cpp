#include "windows.h"

#include "ui/ScriptedDriver.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <fstream>
#include <string>

namespace
{
TEST(ShellExecute, OpenHandsAnExistingFileToTheSeam)
{
    ui::ScriptedDriver driver;
    ui::ScopedDriver scope(driver);
    char name[] = "/tmp/facetor-shell-XXXXXX";
    const int fd = mkstemp(name);
    ASSERT_GE(fd, 0);
    const std::wstring file(name, name + sizeof name - 1);

    const auto found =
        reinterpret_cast<UINT_PTR>(ShellExecuteW(nullptr, L"open", file.c_str(), L"", nullptr, SW_SHOW));
    EXPECT_GT(found, 32u);
    EXPECT_EQ(driver.shellOpened, std::vector<std::wstring>{file});

    std::remove(name);
    const auto missing =
        reinterpret_cast<UINT_PTR>(ShellExecuteW(nullptr, L"open", file.c_str(), L"", nullptr, SW_SHOW));
    EXPECT_EQ(missing, UINT_PTR(SE_ERR_FNF));
    EXPECT_EQ(driver.shellOpened.size(), 1u);
}
} // namespace
