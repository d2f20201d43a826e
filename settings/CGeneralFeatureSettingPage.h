#pragma once
// The style page of the attributes every shape has: colour, line type and line width, each a number into
// the document's tables where 0 is the layer's own value (32767: differing values).

#include "controls/CSelectColorComboBox.h"
#include "controls/CSelectLineTypeComboBox.h"
#include "controls/CSelectLineWidthComboBox.h"
#include "settings/CFeatureSettingPropertyPage.h"

class GeneralFeatureSetting;

class CGeneralFeatureSettingPage : public CFeatureSettingPropertyPage
{
    DECLARE_DYNCREATE(CGeneralFeatureSettingPage)
public:
    enum { IDD = 500 };
    static constexpr int kColorId = 2101;
    static constexpr int kLineTypeId = 2102;
    static constexpr int kLineWidthId = 2103;

    CGeneralFeatureSettingPage();
    ~CGeneralFeatureSettingPage() override;

    void SetColorTable(const ColorFeatureTable* pTable, const LayerFeatureTable* pLayers, long nLayerID);
    void SetLineTypeTable(const LineTypeFeatureTable* pTable, const LayerFeatureTable* pLayers, long nLayerID);
    void SetLineWidthTable(const LineWidthFeatureTable* pTable, const LayerFeatureTable* pLayers, long nLayerID);

    void SetGeneralFeatureSetting(const GeneralFeatureSetting* pSetting);
    BOOL GetGeneralFeatureSetting(GeneralFeatureSetting* pSetting) const;

    CSelectColorComboBox m_colorList{1, 1, FALSE, TRUE};
    CSelectLineTypeComboBox m_lineTypeList;
    CSelectLineWidthComboBox m_lineWidthList;

protected:
    void DoDataExchange(CDataExchange* pDX) override;
    BOOL OnInitDialog() override;
    void RefreshControls();
    void UpdatePreview();

    afx_msg void OnSelectAttribute();
    afx_msg void OnFocusAttribute();
    DECLARE_MESSAGE_MAP()

    short m_nColorNo = kUndefinedNo;
    short m_nLineTypeNo = kUndefinedNo;
    short m_nLineWidthNo = kUndefinedNo;
};
