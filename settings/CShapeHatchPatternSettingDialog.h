#pragma once
// Names and spaces a hatch pattern made of shapes: the name, and the two directions along which the motif
// repeats, each an angle and a spacing. The motif itself is not edited here. The caller copies the pattern
// in, runs the dialog and on OK reads the pattern back.

#include "controls/CQZ2DoubleEdit.h"
#include "libs/vevure/ShapeHatchPattern.h"
#include "platform/win/CSpinButtonCtrl.h"
#include "settings/CHatchPatternSettingDialogBase.h"

class CShapeHatchPatternSettingDialog : public CHatchPatternSettingDialogBase
{
public:
    enum { IDD = 529 };
    static constexpr int kAngle1Edit = 2512;
    static constexpr int kSpace1Edit = 2511;
    static constexpr int kAngle2Edit = 2049;
    static constexpr int kSpace2Edit = 2505;

    explicit CShapeHatchPatternSettingDialog(CWnd* pParent = nullptr);
    ~CShapeHatchPatternSettingDialog() override;

    ShapeHatchPattern m_pattern;
    // FALSE refuses a name in use; TRUE asks whether to replace that pattern.
    BOOL m_bReplace = FALSE;

    BOOL OnInitDialog() override;
    void OnOK() override;

protected:
    void DoDataExchange(CDataExchange* pDX) override;
    const HatchPatternBase* GetEditedPattern() const override { return &m_pattern; }
    afx_msg void OnFocusField(UINT nID);
    afx_msg void OnDeltaPos(UINT nID, NMHDR* pNMHDR, LRESULT* pResult);
    DECLARE_MESSAGE_MAP()

private:
    // The angles and spacings read into the pattern.
    void StoreFields();

    double m_dAngle1 = 0.0;
    double m_dSpace1 = 0.0;
    double m_dAngle2 = 0.0;
    double m_dSpace2 = 0.0;
    CQZ2DoubleEdit m_edits[4];
    CSpinButtonCtrl m_spins[4];
};
