// The connected add-in called back by the host: its commands by name through IDispatch, the two
// toolbar methods, and the application's events.
#include "AddinFixture.h"

#include <gmock/gmock.h>

using testing::Each;
using testing::ElementsAre;
using testing::IsEmpty;

namespace
{
const std::wstring kSample = std::wstring(L"" FACETOR_SOURCE_DIR) + L"/examples/bracket.stl";

class ConnectedAddin : public AddinFixture
{
protected:
    void SetUp() override
    {
        m_addin = CreateAddin();
        ASSERT_NE(m_addin, nullptr);
        VARIANT_BOOL connected = VARIANT_FALSE;
        m_addin->ConnectToSW(m_host.Application(), kCookie, &connected);
        ASSERT_EQ(connected, VARIANT_TRUE);
        m_host.ClearJournal();
    }
    void TearDown() override
    {
        VARIANT_BOOL disconnected = VARIANT_FALSE;
        m_addin->DisconnectFromSW(&disconnected);
        m_addin->Release();
        AddinFixture::TearDown();
    }

    ISwAddin* m_addin = nullptr;
};

std::vector<std::wstring> MessageTexts(const ui::ScriptedDriver& driver)
{
    std::vector<std::wstring> texts;
    for (const ui::MessageBoxRequest& box : driver.messageBoxes)
        texts.push_back(box.text);
    return texts;
}
} // namespace

TEST_F(ConnectedAddin, TheHostCallsTheCommandsByName)
{
    const struct
    {
        const wchar_t* name;
        const wchar_t* argument;
        size_t fileDialogs;
        std::vector<std::wstring> messages;
        size_t aboutBoxes;
        size_t documents;
    } cases[] = {
        // The open-file dialog is cancelled: nothing more happens.
        {L"Facetor_Import", nullptr, 1, {}, 0, 0},
        {L"Facetor_Open", kSample.c_str(), 0, {L"Success"}, 0, 1},
        // No help file lies beside the module.
        {L"Facetor_Help", nullptr, 0, {L"Error displaying Facetor for SolidWorks help file."}, 0, 0},
        {L"Facetor_About", nullptr, 0, {}, 1, 0},
    };
    for (const auto& c : cases)
    {
        SCOPED_TRACE(ui::Utf8(c.name));
        ui::ScriptedDriver driver;
        ui::ScopedDriver scope(driver);
        // While a command runs it holds one reference of its own on the application.
        std::vector<long> applicationReferences;
        driver.onShow = [&] { applicationReferences.push_back(m_host.LiveReferences("app")); };
        const size_t documents = m_host.GetModel().documents.size();

        EXPECT_EQ(m_host.InvokeCallback(c.name, c.argument), S_OK);
        EXPECT_EQ(driver.fileDialogs.size(), c.fileDialogs);
        EXPECT_EQ(MessageTexts(driver), c.messages);
        EXPECT_EQ(driver.aboutCaptions.size(), c.aboutBoxes);
        EXPECT_EQ(m_host.GetModel().documents.size() - documents, c.documents);
        EXPECT_THAT(applicationReferences, Each(2));
        EXPECT_EQ(m_host.LiveReferences("app"), 1);
    }
    EXPECT_EQ(m_host.GetModel().documents.at(0)->bodies.size(), 2u);
}

TEST_F(ConnectedAddin, TheToolbarMethodsAnswerThroughDispatch)
{
    IDispatch* dispatch = nullptr;
    ASSERT_EQ(m_addin->QueryInterface(IID_IDispatch, reinterpret_cast<void**>(&dispatch)), S_OK);
    const struct
    {
        const wchar_t* name;
        DISPID id;
        VARTYPE result;
    } methods[] = {{L"ToolbarEnable0", 4, VT_I4}, {L"ToolbarCallback0", 3, VT_EMPTY}};
    for (const auto& m : methods)
    {
        SCOPED_TRACE(ui::Utf8(m.name));
        std::wstring name = m.name;
        LPOLESTR names[] = {name.data()};
        DISPID id = DISPID_UNKNOWN;
        ASSERT_EQ(dispatch->GetIDsOfNames(GUID_NULL, names, 1, LOCALE_USER_DEFAULT, &id), S_OK);
        EXPECT_EQ(id, m.id);
        DISPPARAMS none{nullptr, nullptr, 0, 0};
        VARIANT result;
        VariantInit(&result);
        EXPECT_EQ(dispatch->Invoke(id, GUID_NULL, LOCALE_USER_DEFAULT, DISPATCH_METHOD, &none, &result,
                                   nullptr, nullptr),
                  S_OK);
        EXPECT_EQ(result.vt, m.result);
        if (m.result == VT_I4)
        {
            EXPECT_EQ(result.lVal, 1);
        }
    }
    std::wstring unknown = L"Facetor_Export";
    LPOLESTR names[] = {unknown.data()};
    DISPID id = 0;
    EXPECT_EQ(dispatch->GetIDsOfNames(GUID_NULL, names, 1, LOCALE_USER_DEFAULT, &id), DISP_E_UNKNOWNNAME);
    dispatch->Release();
    EXPECT_THAT(m_host.Journal(), IsEmpty());
}

TEST_F(ConnectedAddin, EventsAreAnsweredAndChangeNothing)
{
    // A handler that was called leaves its S_OK in the answer; an event the sink map does not list
    // (7) reaches none and leaves the answer empty. A handler whose parameters were not the host's
    // would not be called either.
    for (const DISPID event : {4, 5, 11, 12, 7})
    {
        VARIANT answer;
        EXPECT_EQ(m_host.FireEvent(event, &answer), S_OK) << event;
        EXPECT_EQ(answer.vt, event == 7 ? VT_EMPTY : VT_ERROR) << event;
        if (answer.vt == VT_ERROR)
        {
            EXPECT_EQ(answer.scode, S_OK) << event;
        }
        VariantClear(&answer);
    }
    EXPECT_THAT(m_host.Journal(), IsEmpty());
    EXPECT_TRUE(m_host.GetModel().documents.empty());
    EXPECT_THAT(m_driver.log, IsEmpty());
}

TEST_F(AddinFixture, AnUnconnectedAddinRunsNoCommand)
{
    ISwAddin* addin = CreateAddin();
    IFacetor* facetor = nullptr;
    ASSERT_EQ(addin->QueryInterface(IID_IFacetor, reinterpret_cast<void**>(&facetor)), S_OK);
    EXPECT_EQ(facetor->Facetor_Import(), S_OK);
    EXPECT_EQ(facetor->Facetor_Open(nullptr), S_OK);
    EXPECT_EQ(facetor->Facetor_Help(), S_OK);
    EXPECT_EQ(facetor->Facetor_About(), S_OK);
    EXPECT_EQ(facetor->ToolbarEnable0(nullptr), E_POINTER);
    EXPECT_THAT(m_driver.log, IsEmpty());
    facetor->Release();
    addin->Release();
}
