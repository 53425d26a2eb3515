// Connecting and disconnecting the add-in: the host calls it makes, in order and with every
// argument, the user interface it leaves in the host, and what it does when the host's answers
// are missing.
#include "AddinFixture.h"

#include <gmock/gmock.h>

#include <algorithm>
#include <map>

using testing::ElementsAreArray;

namespace
{
const std::string kFileOpenStrings =
    "\"Facetor_Open\", \"Stereolithography STL Files (*.stl) [Norvek]\", \"stl\"";

// The calls of a connection to a host without any "Facetor" tab, up to the event subscription.
std::vector<std::string> ConnectionJournal(const std::string& moduleHandle)
{
    std::vector<std::string> lines = {
        "app.QueryInterface(ISldWorks) -> S_OK, app",
        "app.GetCommandManager(7) -> S_OK, cmdmgr1",
        "app.SetAddinCallbackInfo(" + moduleHandle + ", callbacks, 7) -> S_OK, -1",
        "app.GetRevisionNumber() -> S_OK, \"21.0.0\"",
        "app.AddFileOpenItem(7, " + kFileOpenStrings + ", \"\", \"\") -> S_OK, -1",
        "cmdmgr1.CreateCommandGroup(1, \"Facetor\", \"Facetor for SolidWorks\", \"Facetor for SolidWorks\", "
        "-1) -> S_OK, "
        "group1",
        "group1.SetSmallImageStrip(<temp file>) -> S_OK",
        "group1.SetLargeImageStrip(<temp file>) -> S_OK",
        "group1.SetSmallIcon(<temp file>) -> S_OK",
        "group1.SetLargeIcon(<temp file>) -> S_OK",
        "group1.SetOptionA(3) -> S_OK",
        "group1.AddCommandItem(\"Import\", -1, \"Import a STL file\", \"Import\", 0, \"Facetor_Import\", "
        "\"\", 0, 3) -> "
        "S_OK, 0",
        "group1.AddCommandItem(\"Help\", -1, \"Display the Facetor for SolidWorks help file\", \"Help\", 1, "
        "\"Facetor_Help\", \"\", 0, 3) -> S_OK, 1",
        "group1.AddCommandItem(\"About\", -1, \"Display the Facetor for SolidWorks about box\", \"About\", "
        "3, "
        "\"Facetor_About\", \"\", 0, 3) -> S_OK, 2",
        "group1.SetOptionB(1) -> S_OK",
        "group1.SetOptionC(1) -> S_OK",
        "group1.Activate() -> S_OK, -1",
    };
    int tab = 0;
    for (const char* type : {"2", "3", "1"})
    {
        const std::string name = std::to_string(++tab);
        lines.insert(lines.end(),
                     {std::string("cmdmgr1.QueryDocumentType(") + type + ") -> S_OK, 0",
                      std::string("cmdmgr1.FindCommandTab(") + type + ", \"Facetor\") -> S_OK, null",
                      std::string("cmdmgr1.AddCommandTab(") + type + ", \"Facetor\") -> S_OK, tab" + name,
                      "tab" + name + ".AddTabBox() -> S_OK, tabbox" + name,
                      "group1.GetCommandId(0) -> S_OK, 1", "group1.GetCommandId(1) -> S_OK, 2",
                      "group1.GetCommandId(2) -> S_OK, 3",
                      "tabbox" + name + ".AddCommands(3, [1, 2, 3], [2, 2, 2]) -> S_OK, -1"});
    }
    lines.insert(lines.end(),
                 {"app.QueryInterface(IConnectionPointContainer) -> S_OK, cpc1",
                  "cpc1.FindConnectionPoint(DSldWorksEvents) -> S_OK, cp1", "cp1.Advise(sink) -> S_OK, 1"});
    return lines;
}

std::vector<std::string> DisconnectionJournal(const std::string& unadvise)
{
    return {"cmdmgr1.RemoveCommandGroup(1) -> S_OK, -1",
            "app.RemoveFileOpenItem(7, " + kFileOpenStrings + ") -> S_OK, -1",
            "app.QueryInterface(IConnectionPointContainer) -> S_OK, cpc1",
            "cpc1.FindConnectionPoint(DSldWorksEvents) -> S_OK, cp1", "cp1.Unadvise(1) -> " + unadvise};
}

class AddinConnection : public AddinFixture
{
};
} // namespace

TEST_F(AddinConnection, PutsUpTheUserInterfaceCallByCall)
{
    ISwAddin* addin = CreateAddin();
    ASSERT_NE(addin, nullptr);
    VARIANT_BOOL connected = VARIANT_FALSE;
    EXPECT_EQ(addin->ConnectToSW(m_host.Application(), kCookie, &connected), S_OK);
    EXPECT_EQ(connected, VARIANT_TRUE);
    EXPECT_THAT(Journal(), ElementsAreArray(ConnectionJournal(ModuleHandleText())));

    // The host read every picture while the call ran: real BMP files, 24 bits, of their sizes.
    const sim::UserInterface& ui = m_host.GetModel().userInterface;
    ASSERT_EQ(ui.groups.size(), 1u);
    const sim::CommandGroup& group = *ui.groups[0];
    const struct
    {
        const sim::ImageFile& image;
        LONG width, height;
        size_t bytes;
    } images[] = {{group.largeIcon, 24, 24, 1782},
                  {group.smallIcon, 16, 16, 822},
                  {group.largeImageStrip, 96, 24, 6966},
                  {group.smallImageStrip, 64, 16, 3126}};
    for (const auto& i : images)
    {
        SCOPED_TRACE(i.width);
        EXPECT_TRUE(i.image.readable);
        EXPECT_EQ(i.image.width, i.width);
        EXPECT_EQ(i.image.height, i.height);
        EXPECT_EQ(i.image.bitDepth, 24);
        EXPECT_EQ(i.image.byteCount, i.bytes);
    }
    ASSERT_EQ(ui.tabs.size(), 3u);
    for (const auto& tab : ui.tabs)
        EXPECT_EQ(tab->boxes.size(), 1u);
    // Nothing of the pictures is left, the handler is gone, and the add-in holds the application
    // and the command manager once each.
    EXPECT_TRUE(m_tmpdir.Files().empty());
    EXPECT_EQ(m_host.LiveReferences("app"), 1);
    EXPECT_EQ(m_host.LiveReferences(), 2);
    EXPECT_EQ(m_module.CanUnloadNow(), S_FALSE) << "the add-in lives";

    m_host.ClearJournal();
    VARIANT_BOOL disconnected = VARIANT_FALSE;
    EXPECT_EQ(addin->DisconnectFromSW(&disconnected), E_NOTIMPL);
    EXPECT_EQ(disconnected, VARIANT_TRUE);
    EXPECT_THAT(Journal(), ElementsAreArray(DisconnectionJournal("S_OK")));
    EXPECT_TRUE(ui.groups.empty());
    EXPECT_TRUE(ui.fileOpenItems.empty());
    EXPECT_EQ(ui.tabs.size(), 3u) << "tabs stay";
    EXPECT_EQ(m_host.EventSinkCount(), 0u);
    EXPECT_EQ(m_host.LiveReferences(), 0);
    addin->Release();
}

TEST_F(AddinConnection, AFailedUnadviseIsReportedAndTheNextConnectionSubscribesAgain)
{
    ISwAddin* addin = CreateAddin();
    ASSERT_NE(addin, nullptr);
    VARIANT_BOOL flag = VARIANT_FALSE;
    addin->ConnectToSW(m_host.Application(), kCookie, &flag);
    m_host.ClearJournal();
    m_host.FailCall("Unadvise", 1);
    flag = VARIANT_TRUE;
    EXPECT_EQ(addin->DisconnectFromSW(&flag), E_NOTIMPL);
    EXPECT_EQ(flag, VARIANT_FALSE);
    EXPECT_THAT(Journal(), ElementsAreArray(DisconnectionJournal("E_FAIL")));
    EXPECT_EQ(m_host.LiveReferences(), 0);

    // The sink's cookie was cleared all the same: connecting again subscribes anew, adds the group
    // and the File-Open entry again and leaves the three tabs as they are.
    m_host.ClearJournal();
    addin->ConnectToSW(m_host.Application(), kCookie, &flag);
    EXPECT_EQ(flag, VARIANT_TRUE);
    const std::vector<std::string> journal = Journal();
    EXPECT_EQ(journal.back(), "cp1.Advise(sink) -> S_OK, 2");
    EXPECT_EQ(std::count_if(journal.begin(), journal.end(),
                            [](const std::string& line)
                            { return line.find("AddCommandTab") != std::string::npos; }),
              0);
    const sim::UserInterface& ui = m_host.GetModel().userInterface;
    EXPECT_EQ(ui.groups.size(), 1u);
    EXPECT_EQ(ui.fileOpenItems.size(), 1u);
    ASSERT_EQ(ui.tabs.size(), 3u);
    for (const auto& tab : ui.tabs)
        EXPECT_EQ(tab->boxes.size(), 1u);
    addin->DisconnectFromSW(&flag);
    EXPECT_EQ(flag, VARIANT_TRUE);
    addin->Release();
}

TEST_F(AddinConnection, ATabTheHostHasAlreadyGetsNothing)
{
    ICommandManager* manager = nullptr;
    m_host.Application()->GetCommandManager(0, &manager);
    ICommandTab* tab = nullptr;
    BSTR title = SysAllocString(L"Facetor");
    manager->AddCommandTab(3, title, &tab);
    SysFreeString(title);
    tab->Release();
    manager->Release();
    m_host.ClearJournal();

    ISwAddin* addin = CreateAddin();
    VARIANT_BOOL flag = VARIANT_FALSE;
    addin->ConnectToSW(m_host.Application(), kCookie, &flag);
    const std::vector<std::string> journal = Journal();
    const auto found = std::find(journal.begin(), journal.end(), "cmdmgr1.QueryDocumentType(3) -> S_OK, 1");
    ASSERT_NE(found, journal.end());
    EXPECT_EQ(*std::next(found), "cmdmgr1.FindCommandTab(3, \"Facetor\") -> S_OK, tab1");
    EXPECT_EQ(*std::next(found, 2), "cmdmgr1.QueryDocumentType(1) -> S_OK, 0");
    const auto& tabs = m_host.GetModel().userInterface.tabs;
    ASSERT_EQ(tabs.size(), 3u);
    EXPECT_TRUE(tabs[0]->boxes.empty()) << "the tab the host had";
    EXPECT_EQ(tabs[1]->documentType, 2);
    EXPECT_EQ(tabs[2]->documentType, 1);
    addin->DisconnectFromSW(&flag);
    addin->Release();
}

TEST_F(AddinConnection, PicturesTheHandlerCannotWriteGoAsNullPaths)
{
    // No temporary folder: every picture fails, and the group is built all the same.
    setenv("TMPDIR", (m_tmpdir.Folder() / "missing").c_str(), 1);
    ISwAddin* addin = CreateAddin();
    VARIANT_BOOL flag = VARIANT_FALSE;
    addin->ConnectToSW(m_host.Application(), kCookie, &flag);
    setenv("TMPDIR", m_tmpdir.Folder().c_str(), 1);
    std::vector<std::string> expected = ConnectionJournal(ModuleHandleText());
    for (std::string& line : expected)
        if (const size_t at = line.find("<temp file>"); at != std::string::npos)
            line.replace(at, 11, "null");
    EXPECT_THAT(Journal(), ElementsAreArray(expected));
    const sim::CommandGroup& group = *m_host.GetModel().userInterface.groups.at(0);
    EXPECT_FALSE(group.largeIcon.given);
    EXPECT_EQ(group.items.size(), 3u);
    addin->DisconnectFromSW(&flag);
    addin->Release();
}

TEST_F(AddinConnection, WithoutAnApplicationOrAConnectionNothingIsCalled)
{
    ISwAddin* addin = CreateAddin();
    ASSERT_NE(addin, nullptr);
    VARIANT_BOOL flag = VARIANT_TRUE;
    EXPECT_EQ(addin->DisconnectFromSW(&flag), E_NOTIMPL) << "never connected";
    EXPECT_EQ(flag, VARIANT_FALSE);
    EXPECT_EQ(addin->ConnectToSW(nullptr, kCookie, &flag), S_OK);
    EXPECT_EQ(flag, VARIANT_FALSE) << "no application, no connection";
    EXPECT_TRUE(m_host.Journal().empty());
    EXPECT_EQ(addin->DisconnectFromSW(nullptr), E_NOTIMPL) << "no out-flag to write";

    addin->ConnectToSW(m_host.Application(), kCookie, &flag);
    addin->DisconnectFromSW(&flag);
    m_host.ClearJournal();
    flag = VARIANT_TRUE;
    EXPECT_EQ(addin->DisconnectFromSW(&flag), E_NOTIMPL) << "a second time";
    EXPECT_EQ(flag, VARIANT_FALSE);
    EXPECT_TRUE(m_host.Journal().empty());
    addin->Release();
}

// Each host call of a connection and disconnection fails in turn, with an error or with no
// object: the add-in goes on, skips what needs what it did not get, and leaves nothing behind
// (the fixture's checks). The connection-point look-ups are failed with errors only: answering
// S_OK without the object breaks COM's contract, and the class library trusts it as ATL does.
TEST_F(AddinConnection, EachHostCallFailingInTurn)
{
    std::vector<std::string> operations;
    {
        ISwAddin* addin = CreateAddin();
        VARIANT_BOOL flag = VARIANT_FALSE;
        addin->ConnectToSW(m_host.Application(), kCookie, &flag);
        addin->DisconnectFromSW(&flag);
        addin->Release();
        for (const std::string& line : m_host.Journal())
            operations.push_back(line.substr(line.find('.') + 1, line.find('(') - line.find('.') - 1));
    }
    ASSERT_EQ(operations.size(), 49u);
    std::map<std::string, int> seen;
    for (const std::string& operation : operations)
    {
        const int nth = ++seen[operation];
        const auto is = [&](const char* name, int n) { return operation == name && nth == n; };
        for (const bool withoutObject : {false, true})
        {
            if (withoutObject &&
                (is("QueryInterface", 2) || is("QueryInterface", 3) || operation == "FindConnectionPoint"))
                continue;
            SCOPED_TRACE(operation + " #" + std::to_string(nth) + (withoutObject ? " without object" : ""));
            sim::Host host;
            if (withoutObject)
                host.FailCallWithoutObject(operation, nth);
            else
                host.FailCall(operation, nth);
            ISwAddin* addin = CreateAddin();
            VARIANT_BOOL connected = VARIANT_FALSE, disconnected = VARIANT_FALSE;
            EXPECT_EQ(addin->ConnectToSW(host.Application(), kCookie, &connected), S_OK);
            EXPECT_EQ(addin->DisconnectFromSW(&disconnected), E_NOTIMPL);
            addin->Release();

            // Only a missing application leaves the add-in unconnected; the subscription ends
            // when it was made and its ending did not fail.
            const bool noApplication = is("QueryInterface", 1);
            const bool advised = !noApplication && !is("QueryInterface", 2) &&
                                 !is("FindConnectionPoint", 1) && !(operation == "Advise" && !withoutObject);
            const bool unadviseFailed = is("QueryInterface", 3) || is("FindConnectionPoint", 2) ||
                                        (operation == "Unadvise" && !withoutObject);
            EXPECT_EQ(connected, noApplication ? VARIANT_FALSE : VARIANT_TRUE);
            EXPECT_EQ(disconnected, advised && !unadviseFailed ? VARIANT_TRUE : VARIANT_FALSE);
            EXPECT_EQ(host.EventSinkCount(), advised && unadviseFailed ? 1u : 0u);
            EXPECT_EQ(host.LiveReferences(), 0);
            EXPECT_TRUE(m_tmpdir.Files().empty());
            EXPECT_EQ(platform::LiveBstrCount(), m_bstrs);
        }
    }
}
