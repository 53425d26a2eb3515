// A new part document and the active document that it becomes.
#include "NVKSWON.h"

bool NVKSWON::OpenNewPart(ISldWorks* pApp, const wchar_t* noPartError, IPartDoc** ppPart, IModelDoc** ppDoc)
{
    *ppPart = NULL;
    *ppDoc = NULL;
    pApp->NewPartDocument(ppPart);
    if (*ppPart == NULL)
    {
        m_strError = noPartError;
        return false;
    }
    // The new part is the active document; unit, sketch and the host's preparing and finishing
    // operations go through that interface.
    pApp->GetActiveDocument(ppDoc);
    if (*ppDoc == NULL)
    {
        m_strError = L"Unable to retrieve active model";
        (*ppPart)->Release();
        *ppPart = NULL;
        return false;
    }
    return true;
}

void NVKSWON::CloseNewPart(IPartDoc* pPart, IModelDoc* pDoc, bool sketchOpen)
{
    if (sketchOpen)
    {
        pDoc->FinishFirst();
        pDoc->ToggleSketch3D(0);
    }
    pDoc->FinishSecond();
    pDoc->FinishThird();
    pDoc->Release();
    pPart->Release();
}
