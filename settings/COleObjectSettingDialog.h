#pragma once
// The display of embedded objects (template 526): width and height, the scales in percent of the natural
// size kept in step with them, and an optional background fill with a colour of the document's table. A
// value in which the selected objects differ is mixed (DBL_MAX sizes, FLT_MAX scales): its field is
// empty and it stays as it is unless typed.

#include <memory>

#include "controls/CQZ2DoubleEdit.h"
#include "platform/gdi/CBitmap.h"
#include "platform/win/CButton.h"
#include "platform/win/CDialog.h"
#include "platform/win/CSpinButtonCtrl.h"

class ColorFeatureTable;
class CSelectColorComboBox;
class LayerFeatureTable;
class OleObjectSetting;

class COleObjectSettingDialog : public CDialog
{
public:
    enum { IDD = 526 };
    enum : int {
        kBackground = 2307,
        kScaleXSpin = 2308,
        kScaleYSpin = 2309,
        kWidthSpin = 2310,
        kHeightSpin = 2311,
        kWidth = 2312,
        kHeight = 2313,
        kScaleX = 2314,
        kScaleY = 2315,
        kBackColor = 2316
    };

    COleObjectSettingDialog(CWnd* pParent, BOOL bAllowMixed);
    ~COleObjectSettingDialog() override;

    void SetColorTable(const ColorFeatureTable* pColors, const LayerFeatureTable* pLayers, long nLayerID);
    BOOL SetOleObjectSetting(const OleObjectSetting* pSetting);
    BOOL GetOleObjectSetting(OleObjectSetting* pSetting) const;

    CButton m_backgroundCheck;
    CSpinButtonCtrl m_spins[4];
    CQZ2DoubleEdit m_widthEdit;
    CQZ2DoubleEdit m_heightEdit;
    CQZ2DoubleEdit m_scaleXEdit;
    CQZ2DoubleEdit m_scaleYEdit;
    std::unique_ptr<CSelectColorComboBox> m_pColorCombo;

    BOOL m_bBackground = FALSE;
    double m_dWidth = 0.0;
    double m_dHeight = 0.0;
    float m_fScaleX = 100.0f;
    float m_fScaleY = 100.0f;
    short m_nBackColorNo = 32767;
    double m_dNaturalWidth = 0.0;
    double m_dNaturalHeight = 0.0;

    BOOL OnInitDialog() override;

protected:
    void DoDataExchange(CDataExchange* pDX) override;
    afx_msg void OnBackgroundClicked();
    afx_msg void OnFieldLeft(UINT nID);
    afx_msg void OnFieldEntered(UINT nID);
    afx_msg void OnSpin(NMHDR* pNotify, LRESULT* pResult);
    afx_msg void OnMeasureItem(int nIDCtl, LPMEASUREITEMSTRUCT lpMeasureItemStruct);
    DECLARE_MESSAGE_MAP()

private:
    // Recomputes the partner of the field (a scale from its size or the other way round); FALSE when the
    // fields do not read or nothing could be computed.
    BOOL Recalculate(int nField);

    int m_nLastLeft = 0;
    short m_nLayerColorNo = 32767;
    const ColorFeatureTable* m_pColors = nullptr;
    BOOL m_bAllowMixed = FALSE;
    CBitmap m_helpImage;
};
