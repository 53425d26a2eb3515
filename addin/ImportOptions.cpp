// The options dialog runs in this module's own state, so that its template and init data come
// from this module's resources.
#include "ImportOptions.h"

#include "FacetorOptionsDlg.h"

BOOL GetImportOptions(int* pnUnits, int* pnImportAs, int* pbMultiBody, int* pbYUp, int* pbProgress)
{
    AFX_MANAGE_STATE(AfxGetStaticModuleState());

    // The dialog goes before the module state is restored, on both ways out.
    CFacetorOptionsDlg dialog(NULL);
    if (dialog.DoModal() == IDCANCEL)
        return FALSE;
    *pnUnits = dialog.m_nUnits;
    *pnImportAs = dialog.m_nImportAs;
    *pbMultiBody = dialog.m_bMultiBody;
    *pbYUp = dialog.m_bYUp;
    *pbProgress = dialog.m_bProgress;
    return TRUE;
}
