#pragma once
// The page of the SFC/P21 settings sheet (template 603): which shapes are broken up when writing, and
// three switches that last only for the run.

#include "platform/win/CPropertyPage.h"

class SXFSetting;

class CSxfConverterSaveSettingPropertyPage : public CPropertyPage
{
    DECLARE_DYNAMIC(CSxfConverterSaveSettingPropertyPage)
public:
    enum { IDD = 603 };

    CSxfConverterSaveSettingPropertyPage();
    ~CSxfConverterSaveSettingPropertyPage() override;

    void LoadFrom(const SXFSetting& setting);
    void SaveTo(SXFSetting& setting) const;

    int m_bResolveDimension = FALSE;
    int m_bResolveLead = FALSE;
    int m_bResolveBalloon = FALSE;
    int m_bSwitch1 = FALSE;
    int m_bSwitch2 = FALSE;
    int m_bSwitch3 = FALSE;
    // Check box 2329 is shown but bound to nothing.
    int m_bUnbound = FALSE;

protected:
    void DoDataExchange(CDataExchange* pDX) override;
};
