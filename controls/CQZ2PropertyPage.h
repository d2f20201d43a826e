#pragma once
// The base of the program's property pages. Besides being a page of a sheet, it can make itself a
// modeless child dialog inside another window (the settings dialogs show one page beside their tree).

#include "platform/win/CPropertyPage.h"

class DialogTemplate;

class CQZ2PropertyPage : public CPropertyPage
{
    DECLARE_DYNCREATE(CQZ2PropertyPage)
public:
    CQZ2PropertyPage();
    CQZ2PropertyPage(UINT nIDTemplate, UINT nIDCaption);
    ~CQZ2PropertyPage() override;

    // The page's own template as a child of pParent; FALSE when the window cannot be made.
    BOOL CreateAsChild(CWnd* pParent);
    // The page's own template, as CreateAsChild makes it; FALSE when it cannot be loaded.
    BOOL GetPageTemplate(DialogTemplate& out);
};
