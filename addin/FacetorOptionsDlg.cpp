// The options dialog and its stored settings.
#include "FacetorOptionsDlg.h"

#include "NVKRegistry.h"

#include "ImportSettings.h"

CFacetorOptionsDlg::CFacetorOptionsDlg(CWnd* pParent)
    : CDialog(CFacetorOptionsDlg::IDD, pParent), m_nImportAs(-1), m_bProgress(0), m_nUnits(-1),
      m_bMultiBody(0), m_bYUp(0)
{
}

CFacetorOptionsDlg::~CFacetorOptionsDlg() {}

void CFacetorOptionsDlg::DoDataExchange(CDataExchange* pDX)
{
    DDX_Radio(pDX, IDC_RADIO_SOLID, m_nImportAs);
    DDX_Check(pDX, IDC_CHECK_PROGRESS, m_bProgress);
    DDX_CBIndex(pDX, IDC_COMBO_UNITS, m_nUnits);
    DDX_Check(pDX, IDC_CHECK_MULTIBODY, m_bMultiBody);
    DDX_Check(pDX, IDC_CHECK_YUP, m_bYUp);
}

BEGIN_MESSAGE_MAP(CFacetorOptionsDlg, CDialog)
END_MESSAGE_MAP()

BOOL CFacetorOptionsDlg::OnInitDialog()
{
    CDialog::OnInitDialog();

    NVKRegistry registry;
    registry.SetKey(kSettingsKey, 1);
    // Stored values are taken as they are: one that no control can show shows as no choice.
    m_nImportAs = registry.ReadInt(kImportAsValue, 0);
    m_nUnits = registry.ReadInt(kUnitsValue, 3);
    m_bMultiBody = registry.ReadBool(kMultiBodyValue, 1);
    m_bYUp = registry.ReadBool(kYUpValue, 1);
    m_bProgress = registry.ReadBool(kProgressValue, 1);
    UpdateData(FALSE);
    return TRUE;
}

void CFacetorOptionsDlg::OnOK()
{
    if (!UpdateData(TRUE))
        return;

    NVKRegistry registry;
    registry.SetKey(kSettingsKey, 1);
    // All five every time, changed or not.
    registry.WriteInt(kImportAsValue, m_nImportAs);
    registry.WriteInt(kUnitsValue, m_nUnits);
    registry.WriteBool(kMultiBodyValue, m_bMultiBody);
    registry.WriteBool(kYUpValue, m_bYUp);
    registry.WriteBool(kProgressValue, m_bProgress);
    CDialog::OnOK();
}
