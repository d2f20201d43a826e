#pragma once
// Names and spaces a hatch pattern made of shapes: the name, and the two directions along which the motif
// repeats, each an angle and a spacing. The motif itself is not edited here. The caller copies the pattern
// in, runs the dialog and on OK reads the pattern back.

#include "controls/CQZ2DoubleEdit.h"
#include "libs/vevure/ShapeHatchPattern.h"
#include "platform/afx/CStringArray.h"
#include "platform/gdi/CBitmap.h"
#include "platform/win/CDialog.h"
#include "platform/win/CSpinButtonCtrl.h"
#include "settings/HatchPatternPreview.h"

class Draw2dDocument;

class CShapeHatchPatternSettingDialog : public CDialog
{
public:
    enum { IDD = 529 };
    static constexpr int kNameEdit = 2405;
    static constexpr int kAngle1Edit = 2512;
    static constexpr int kSpace1Edit = 2511;
    static constexpr int kAngle2Edit = 2049;
    static constexpr int kSpace2Edit = 2505;
    static constexpr int kPreview = 2516;

    explicit CShapeHatchPatternSettingDialog(CWnd* pParent = nullptr);
    ~CShapeHatchPatternSettingDialog() override;

    ShapeHatchPattern m_pattern;
    CStringArray m_usedNames;
    // FALSE refuses a name in use; TRUE asks whether to replace that pattern.
    BOOL m_bReplace = FALSE;
    Draw2dDocument* m_pDocument = nullptr;

    BOOL OnInitDialog() override;
    void OnOK() override;
    const HatchPatternPreview& GetPreview() const { return m_preview; }

protected:
    void DoDataExchange(CDataExchange* pDX) override;
    afx_msg void OnFocusField(UINT nID);
    afx_msg void OnDeltaPos(UINT nID, NMHDR* pNMHDR, LRESULT* pResult);
    afx_msg void OnDrawItem(int nIDCtl, LPDRAWITEMSTRUCT lpDrawItemStruct);
    DECLARE_MESSAGE_MAP()

private:
    // Reads all fields; FALSE when one is refused (or while a read is under way).
    BOOL ReadFields();

    double m_dAngle1 = 0.0;
    double m_dSpace1 = 0.0;
    double m_dAngle2 = 0.0;
    double m_dSpace2 = 0.0;
    CString m_strName;
    CQZ2DoubleEdit m_edits[4];
    CSpinButtonCtrl m_spins[4];
    HatchPatternPreview m_preview;
    CBitmap m_helpImage;
    // Set while fields are read, so that the focus a refused field takes back reads nothing again.
    BOOL m_bReading = FALSE;
    BOOL m_bFocusWhileReading = FALSE;
    BOOL m_bSkipFocusRead = FALSE;
};
