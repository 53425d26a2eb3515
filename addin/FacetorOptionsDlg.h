// The import options dialog: what the meshes become, their unit, one part or many, Y up, and
// progress. It opens with the stored settings and stores them when confirmed.
#pragma once

#include "afxwin.h"

#include "resource.h"

class CFacetorOptionsDlg : public CDialog
{
public:
    explicit CFacetorOptionsDlg(CWnd* pParent = NULL);
    virtual ~CFacetorOptionsDlg();

    enum
    {
        IDD = IDD_OPTIONS
    };

    int m_nImportAs;  // ImportAs: the ticked radio button, -1 for none
    int m_bProgress;  // progress window
    int m_nUnits;     // LengthUnit: the selected list item, -1 for none
    int m_bMultiBody; // one multibody part for all meshes
    int m_bYUp;       // the file's Y axis points upwards

protected:
    void DoDataExchange(CDataExchange* pDX) override;
    BOOL OnInitDialog() override;
    void OnOK() override;

    DECLARE_MESSAGE_MAP()
};
