// The add-in as the host meets it: Facetor.dll loaded by path and registered, the host's type
// library registered, a simulated host, a scripted person and a temporary folder of the test's
// own. At the end every host reference, string, bitmap and picture must have been given back.
#pragma once

#include "ScopedTmpdir.h"
#include "ServerModule.h"

#include "Facetor_i.h"
#include "ole_testing.h"
#include "registry_testing.h"
#include "win32_testing.h"

#include "sim/Host.h"
#include "ui/ScriptedDriver.h"

#include <gtest/gtest.h>

#include <regex>
#include <string>
#include <vector>

class AddinFixture : public testing::Test
{
protected:
    static constexpr LONG kCookie = 7;

    AddinFixture()
    {
        EXPECT_EQ(m_module.RegisterServer(), S_OK);
        EXPECT_EQ(m_host.RegisterTypeLibrary(), S_OK);
    }

    void TearDown() override
    {
        EXPECT_TRUE(m_tmpdir.Files().empty()) << "a temporary file was left behind";
        EXPECT_EQ(m_host.LiveReferences(), 0);
        EXPECT_EQ(m_module.CanUnloadNow(), S_OK);
        EXPECT_EQ(platform::LiveBstrCount(), m_bstrs);
        EXPECT_EQ(platform::LiveBitmapCount(), 0);
        EXPECT_EQ(platform::LivePictureCount(), 0);
        EXPECT_EQ(platform::LiveStreamCount(), 0);
    }

    ISwAddin* CreateAddin() { return m_module.Create<ISwAddin>(CLSID_Facetor, IID_ISwAddin); }

    // The journal with each temporary file's path written as <temp file>.
    std::vector<std::string> Journal() const
    {
        const std::regex file("\"" + m_tmpdir.Folder().string() + "/swt[0-9A-F]{1,4}\\.TMP\"");
        std::vector<std::string> lines = m_host.Journal();
        for (std::string& line : lines)
            line = std::regex_replace(line, file, "<temp file>");
        return lines;
    }

    // The module handle as the add-in hands it to the host: cut to 32 bits.
    static std::string ModuleHandleText()
    {
        return std::to_string(LONG(LONG_PTR(GetModuleHandleW(L"Facetor.dll"))));
    }

    platform::TemporaryRegistry m_registry;
    ScopedTmpdir m_tmpdir;
    const long m_bstrs = platform::LiveBstrCount();
    ServerModule m_module;
    ui::ScriptedDriver m_driver;
    ui::ScopedDriver m_scope{m_driver};
    sim::Host m_host;
};
