#pragma once
// The "Open" page of the DXF/DWG settings sheet (template 600): how a drawing is read, and how the model
// space is laid out on paper when the paper space is read as well.

#include "controls/CQZ2DoubleEdit.h"
#include "platform/win/CPropertyPage.h"

class ACadConvSetting;
struct NMHDR;

class CDxfConverterOpenSettingPropertyPage : public CPropertyPage
{
    DECLARE_DYNAMIC(CDxfConverterOpenSettingPropertyPage)
public:
    enum { IDD = 600 };
    // The user's own paper size in the paper list.
    static constexpr int kUserPaperType = 5;

    CDxfConverterOpenSettingPropertyPage();
    ~CDxfConverterOpenSettingPropertyPage() override;

    void LoadFrom(const ACadConvSetting& setting);
    void SaveTo(ACadConvSetting& setting) const;

    BOOL OnInitDialog() override;
    // Enables the controls by the check boxes, radio buttons and the paper type.
    void UpdateControls();

    // The values as the controls show them.
    int m_nDefLineWidthIndex = 2;
    int m_bWhiteToBlack = FALSE;
    int m_bResolveDimension = FALSE;
    int m_bResolveLeader = FALSE;
    int m_bWidePolylineToHatch = FALSE;
    int m_bAdjustTextHeight = FALSE;
    int m_nTextHeightFactorMode = 0;  // 0 automatic, 1 the factor below
    double m_dTextHeightPercent = 100.0;
    int m_bResolveMtext = FALSE;
    int m_nHatchTransparency = 0;
    int m_bBlockNameWithFileName = FALSE;
    int m_bReadPaperSpace = TRUE;
    int m_nPaperType = 3;
    int m_nPaperOrient = 0;  // 0 portrait, 1 landscape
    double m_dPaperSizeX = 297.0;
    double m_dPaperSizeY = 420.0;
    int m_nScaleMode = 0;  // 0 fit to the paper, 1 the scale below
    double m_dScaleNumerator = 1.0;
    double m_dScaleDenominator = 1.0;
    int m_nPartLayoutOrgPointType = 0;
    double m_dPaperMarginX = 0.0;
    double m_dPaperMarginY = 0.0;

protected:
    void DoDataExchange(CDataExchange* pDX) override;
    afx_msg void OnClicked();
    afx_msg void OnPaperTypeChange();
    afx_msg void OnPaperSizeChange();
    afx_msg void OnDeltaPosDouble(NMHDR* pNotify, LRESULT* pResult);
    DECLARE_MESSAGE_MAP()

private:
    CQZ2DoubleEdit* DoubleEditOfSpin(int nSpinID);

    CQZ2DoubleEdit m_editTextPercent;
    CQZ2DoubleEdit m_editPaperSizeX;
    CQZ2DoubleEdit m_editPaperSizeY;
    CQZ2DoubleEdit m_editScaleNumerator;
    CQZ2DoubleEdit m_editScaleDenominator;
    CQZ2DoubleEdit m_editMarginX;
    CQZ2DoubleEdit m_editMarginY;
    // Set while the page itself writes the size edits, so that only typing turns the orientation.
    BOOL m_bFillingSizes = FALSE;
};
