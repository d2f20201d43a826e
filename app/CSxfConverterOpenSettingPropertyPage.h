#pragma once
// The reading page of the SFC/P21 converter (template 602, one check box). The sheet is made without
// it: reading takes no options yet.

#include "platform/win/CPropertyPage.h"

class CSxfConverterOpenSettingPropertyPage : public CPropertyPage
{
    DECLARE_DYNAMIC(CSxfConverterOpenSettingPropertyPage)
public:
    enum { IDD = 602 };

    CSxfConverterOpenSettingPropertyPage();
    ~CSxfConverterOpenSettingPropertyPage() override;

    int m_bWhiteToBlack = FALSE;

protected:
    void DoDataExchange(CDataExchange* pDX) override;
};
