#pragma once
// The "Save" page of the DXF/DWG settings sheet (template 601): how a drawing is written.

#include "controls/CQZ2DoubleEdit.h"
#include "platform/win/CPropertyPage.h"

class ACadConvSetting;
struct NMHDR;

class CDxfConverterSaveSettingPropertyPage : public CPropertyPage
{
    DECLARE_DYNAMIC(CDxfConverterSaveSettingPropertyPage)
public:
    enum { IDD = 601 };

    CDxfConverterSaveSettingPropertyPage();
    ~CDxfConverterSaveSettingPropertyPage() override;

    void LoadFrom(const ACadConvSetting& setting);
    void SaveTo(ACadConvSetting& setting) const;
    // The image file type stored for a list index of the image combo, and back (any other type shows
    // the first entry).
    static int ImageFileTypeOfIndex(int nIndex);
    static int IndexOfImageFileType(int nType);

    BOOL OnInitDialog() override;
    void UpdateControls();

    int m_nSaveType = 0;
    int m_nDwgVersionIndex = 0;
    int m_bBlackToWhite = FALSE;
    int m_bResolveDimension = FALSE;
    int m_bGothicForHorizontalText = FALSE;
    int m_bAdjustTextHeight = FALSE;
    int m_nTextHeightFactorMode = 0;  // 0 automatic, 1 the factor below
    double m_dTextHeightPercent = 100.0;
    int m_nImageFileIndex = 0;

protected:
    void DoDataExchange(CDataExchange* pDX) override;
    afx_msg void OnClicked();
    afx_msg void OnDeltaPosPercent(NMHDR* pNotify, LRESULT* pResult);
    DECLARE_MESSAGE_MAP()

private:
    CQZ2DoubleEdit m_editTextPercent;
};
