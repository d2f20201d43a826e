#pragma once
// Edits a hatch pattern made of line families: its name and up to 32 lines, each an origin, an angle, a
// spacing and the colour, type and width of its lines, with a picture of the pattern that follows every
// change. The caller copies the pattern in, runs the dialog and on OK reads the pattern back.

#include "controls/CQZ2DoubleEdit.h"
#include "controls/CSelectColorComboBox.h"
#include "controls/CSelectLineTypeComboBox.h"
#include "controls/CSelectLineWidthComboBox.h"
#include "libs/vevure/LineHatchPattern.h"
#include "platform/win/CComboBox.h"
#include "platform/win/CSpinButtonCtrl.h"
#include "settings/CHatchPatternSettingDialogBase.h"

class CLineHatchPatternSettingDialog : public CHatchPatternSettingDialogBase
{
public:
    enum { IDD = 528 };
    static constexpr int kItemList = 2502, kAddButton = 2497, kDeleteButton = 2503;
    static constexpr int kColorList = 2074, kLineTypeList = 2075, kLineWidthList = 2076;
    static constexpr int kOriginXEdit = 2505, kOriginYEdit = 2506, kAngleEdit = 2047, kSpaceEdit = 2504;
    static constexpr int kMaxItems = 32;

    explicit CLineHatchPatternSettingDialog(CWnd* pParent = nullptr);
    ~CLineHatchPatternSettingDialog() override;

    LineHatchPattern m_pattern;
    // Set: the dialog adds a first line as it opens.
    BOOL m_bNewPattern = TRUE;

    BOOL OnInitDialog() override;
    void OnOK() override;
    int GetCurrentItem() const;

protected:
    void DoDataExchange(CDataExchange* pDX) override;
    const HatchPatternBase* GetEditedPattern() const override { return &m_pattern; }

    afx_msg void OnAdd();
    afx_msg void OnDelete();
    afx_msg void OnSelectItem();
    afx_msg void OnSelectAttribute(UINT nID);
    afx_msg void OnFocusField(UINT nID);
    afx_msg void OnDeltaPos(UINT nID, NMHDR* pNMHDR, LRESULT* pResult);
    afx_msg void OnMeasureItem(int nIDCtl, LPMEASUREITEMSTRUCT lpMeasureItemStruct);
    DECLARE_MESSAGE_MAP()

private:
    // Reads the fields and stores origin, angle and spacing into the current line; FALSE when a field
    // is refused.
    BOOL CommitFields();
    void LoadItem(int nIndex);
    void EnableItemControls(BOOL bEnable);
    CString ItemText(int nIndex) const;

    double m_dOriginX = 0.0;
    double m_dOriginY = 0.0;
    double m_dAngle = 0.0;
    double m_dSpace = 0.0;
    CComboBox m_itemList;
    CSelectColorComboBox m_colorList{1, 1, FALSE, TRUE};
    CSelectLineTypeComboBox m_lineTypeList;
    CSelectLineWidthComboBox m_lineWidthList;
    CQZ2DoubleEdit m_edits[4];
    CSpinButtonCtrl m_spins[4];
};
