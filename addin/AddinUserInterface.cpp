// What the user sees of the add-in inside the host: the File-Open entry for STL files, command
// group 1 with its pictures and three commands, and a "Facetor" tab for three document types.
#include "FacetorAddin.h"

#include "BitmapHandler.h"
#include "HostString.h"

namespace
{
constexpr LONG kCommandGroupId = 1;
constexpr const wchar_t* kTitle = L"Facetor";
constexpr const wchar_t* kProductName = L"Facetor for SolidWorks";
constexpr const wchar_t* kOpenCallback = L"Facetor_Open";
constexpr const wchar_t* kOpenDescription = L"Stereolithography STL Files (*.stl) [Norvek]";
constexpr const wchar_t* kOpenExtension = L"stl";
constexpr LONG kAtTheEnd = -1;    // position of the group and of each item
constexpr LONG kItemOptions = 3;  // the host's option value for every item
constexpr LONG kTabTextStyle = 2; // the host's text style for every command in a tab

struct CommandItem
{
    const wchar_t* name; // also the tooltip
    const wchar_t* hint;
    LONG imageIndex; // cell of the image strips; cell 2 is shown by no item
    const wchar_t* callback;
};
constexpr CommandItem kCommandItems[] = {
    {L"Import", L"Import a STL file", 0, L"Facetor_Import"},
    {L"Help", L"Display the Facetor for SolidWorks help file", 1, L"Facetor_Help"},
    {L"About", L"Display the Facetor for SolidWorks about box", 3, L"Facetor_About"},
};
constexpr int kItemCount = int(sizeof kCommandItems / sizeof kCommandItems[0]);

// The host's document types that get a tab: 2, 3 and 1, in this order.
constexpr LONG kTabDocumentTypes[] = {2, 3, 1};
} // namespace

void CFacetor::AddUserInterface()
{
    VARIANT_BOOL bStatus = VARIANT_FALSE;
    if (m_pSldWorks)
        m_pSldWorks->AddFileOpenItem(m_lCookie, CHostString(kOpenCallback), CHostString(kOpenDescription),
                                     CHostString(kOpenExtension), CHostString(L""), CHostString(L""),
                                     &bStatus);
    // The group and the tabs belong to the command manager; without it there is nothing to add.
    if (!m_pCommandManager)
        return;

    // The host takes its pictures as files: the handler writes the module's bitmaps into
    // temporary files for as long as the group is being built.
    CComObject<CBitmapHandler>* pHandler = NULL;
    CComObject<CBitmapHandler>::CreateInstance(&pHandler);
    if (pHandler != NULL)
        pHandler->AddRef();

    ICommandGroup* pGroup = NULL;
    m_pCommandManager->CreateCommandGroup(kCommandGroupId, CHostString(kTitle), CHostString(kProductName),
                                          CHostString(kProductName), kAtTheEnd, &pGroup);

    BSTR largeIcon = NULL, smallIcon = NULL, largeStrip = NULL, smallStrip = NULL;
    LONG itemIndex[kItemCount] = {-1, -1, -1};
    if (pGroup != NULL)
    {
        // The pictures, each from its bitmap resource; one that the handler cannot write is
        // handed over as a null path.
        const struct
        {
            UINT resource;
            BSTR* path;
            HRESULT (ICommandGroup::*hand)(BSTR);
        } pictures[] = {{IDB_SMALL_IMAGE_STRIP, &smallStrip, &ICommandGroup::SetSmallImageStrip},
                        {IDB_LARGE_IMAGE_STRIP, &largeStrip, &ICommandGroup::SetLargeImageStrip},
                        {IDB_SMALL_ICON, &smallIcon, &ICommandGroup::SetSmallIcon},
                        {IDB_LARGE_ICON, &largeIcon, &ICommandGroup::SetLargeIcon}};
        for (const auto& picture : pictures)
        {
            if (pHandler != NULL)
                pHandler->CreateBitmapFileFromResource(picture.resource, picture.path);
            (pGroup->*picture.hand)(*picture.path);
        }

        // The host's own operations on a group, with the values it is given before and after
        // the items.
        pGroup->SetOptionA(3);
        for (int i = 0; i < kItemCount; i++)
        {
            const CommandItem& item = kCommandItems[i];
            pGroup->AddCommandItem(CHostString(item.name), kAtTheEnd, CHostString(item.hint),
                                   CHostString(item.name), item.imageIndex, CHostString(item.callback),
                                   CHostString(L""), 0, kItemOptions, &itemIndex[i]);
        }
        pGroup->SetOptionB(1);
        pGroup->SetOptionC(1);
        pGroup->Activate(&bStatus);

        // A tab holds the group's commands: without the group a tab would stay empty for good,
        // since a later connection adds nothing to a tab it finds.
        for (const LONG documentType : kTabDocumentTypes)
        {
            LONG lAnswer = 0;
            m_pCommandManager->QueryDocumentType(documentType, &lAnswer);
            ICommandTab* pTab = NULL;
            m_pCommandManager->FindCommandTab(documentType, CHostString(kTitle), &pTab);
            if (pTab == NULL)
            {
                m_pCommandManager->AddCommandTab(documentType, CHostString(kTitle), &pTab);
                ICommandTabBox* pBox = NULL;
                if (pTab != NULL)
                    pTab->AddTabBox(&pBox);
                if (pBox != NULL)
                {
                    LONG commandIds[kItemCount] = {0, 0, 0};
                    for (int i = 0; i < kItemCount; i++)
                        pGroup->GetCommandId(itemIndex[i], &commandIds[i]);
                    const LONG textStyles[kItemCount] = {kTabTextStyle, kTabTextStyle, kTabTextStyle};
                    pBox->AddCommands(kItemCount, commandIds, textStyles, &bStatus);
                    pBox->Release();
                }
            }
            if (pTab != NULL)
                pTab->Release();
        }
    }

    // The host has read the pictures: their files go, and with the last reference the handler.
    if (pHandler != NULL)
    {
        pHandler->Dispose();
        pHandler->Release();
    }
    SysFreeString(largeIcon);
    SysFreeString(smallIcon);
    SysFreeString(largeStrip);
    SysFreeString(smallStrip);
    if (pGroup != NULL)
        pGroup->Release();
}

void CFacetor::RemoveUserInterface()
{
    VARIANT_BOOL bStatus = VARIANT_FALSE;
    if (m_pCommandManager)
        m_pCommandManager->RemoveCommandGroup(kCommandGroupId, &bStatus);
    if (m_pSldWorks)
        m_pSldWorks->RemoveFileOpenItem(m_lCookie, CHostString(kOpenCallback), CHostString(kOpenDescription),
                                        CHostString(kOpenExtension), &bStatus);
}
