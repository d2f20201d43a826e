#pragma once
// The update page of the options dialog (template 537), shown with the Japanese interface only: how often
// the program looks for a newer version (never, every day, every 7 or every 30 days).

#include "controls/CQZ2PropertyPage.h"

class CUpdateOptionsPage : public CQZ2PropertyPage
{
    DECLARE_DYNCREATE(CUpdateOptionsPage)
public:
    enum { IDD = 537 };
    enum : int { kPeriod = 1801 };

    CUpdateOptionsPage();
    ~CUpdateOptionsPage() override;

    int m_ApplicationUpdatePeriod = 0;

    BOOL OnInitDialog() override;

protected:
    void DoDataExchange(CDataExchange* pDX) override;
};
