#pragma once
// The style page of point markers: form, colour, size and rotation.

#include "controls/CQZ2DoubleEdit.h"
#include "controls/CSelectColorComboBox.h"
#include "platform/win/CComboBox.h"
#include "platform/win/CSpinButtonCtrl.h"
#include "settings/CFeatureSettingPropertyPage.h"

class PointMarkerSetting;

class CPointMarkerSettingPage : public CFeatureSettingPropertyPage
{
    DECLARE_DYNCREATE(CPointMarkerSettingPage)
public:
    enum { IDD = 501 };
    static constexpr int kTypeId = 2201;
    static constexpr int kColorId = 2202;
    static constexpr int kSizeId = 2203;
    static constexpr int kSizeSpinId = 2204;
    static constexpr int kRotationId = 2205;
    static constexpr int kRotationSpinId = 2206;
    static constexpr int kTypeCount = 10;

    CPointMarkerSettingPage();
    ~CPointMarkerSettingPage() override;

    void SetColorTable(const ColorFeatureTable* pTable, const LayerFeatureTable* pLayers, long nLayerID);
    void SetPointMarkerSetting(const PointMarkerSetting* pSetting);
    BOOL GetPointMarkerSetting(PointMarkerSetting* pSetting) const;

    CSpinButtonCtrl m_sizeSpin;
    CSpinButtonCtrl m_rotationSpin;
    CComboBox m_typeList;
    CQZ2DoubleEdit m_sizeEdit;
    CQZ2DoubleEdit m_rotationEdit;
    double m_dRotateAngle = 0.0;
    double m_dSize = 0.0;
    int m_nType = -1;
    CSelectColorComboBox m_colorList{1, 1, FALSE, TRUE};
    short m_nColorNo = kUndefinedNo;

protected:
    void DoDataExchange(CDataExchange* pDX) override;
    BOOL OnInitDialog() override;
    void RefreshControls();
    void UpdatePreview();

    afx_msg void OnDeltaPosSize(NMHDR* pNMHDR, LRESULT* pResult);
    afx_msg void OnDeltaPosRotation(NMHDR* pNMHDR, LRESULT* pResult);
    afx_msg void OnCommit();
    afx_msg void OnFocusField();
    afx_msg void OnTyping();
    DECLARE_MESSAGE_MAP()
};
