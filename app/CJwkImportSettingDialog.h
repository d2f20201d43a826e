#pragma once
// The settings of a JWK symbol import, asked once for the first JWK file chosen: every symbol on one
// layer of the drawing (choice 0), or on the layers of a reference JWC file (choice 1); the check box
// takes colours and line types from the reference file's pens. The reference file must be an existing
// regular file whenever it is used.

#include "platform/afx/CString.h"
#include "platform/gdi/CBitmap.h"
#include "platform/win/CDialog.h"
#include "structure/CLayerComboBox.h"

class Draw2dDocument;

class CJwkImportSettingDialog : public CDialog
{
public:
    enum : int {
        kTemplateID = 604, kFirstChoice = 2380, kSecondChoice = 2381, kLayerCombo = 2384, kPens = 2385,
        kPath = 2386, kBrowse = 2387, kHelp = 57670
    };

    explicit CJwkImportSettingDialog(CWnd* pParent = nullptr);
    ~CJwkImportSettingDialog() override;

    // Set before DoModal: the drawing whose layers are offered.
    Draw2dDocument* m_pDocument = nullptr;
    // After IDOK: the layer shown (choice 0), the reference file's path, the choice and the check box.
    long m_nLayerID = -1;
    CString m_strPath;
    int m_nChoice = 0;
    int m_bPens = FALSE;

    BOOL OnInitDialog() override;
    void OnOK() override;
    // Whether the path names an existing regular file (a folder does not count).
    static BOOL IsExistingFile(const CString& strPath);

protected:
    void DoDataExchange(CDataExchange* pDX) override;
    afx_msg void OnChoiceOrPens();
    afx_msg void OnBrowse();
    DECLARE_MESSAGE_MAP()

private:
    // The layer combo only for choice 0; the path and Browse for choice 1 or with the check box set.
    void UpdateControls();

    CLayerComboBox m_layerCombo;
    CBitmap m_helpImage;
};
