#pragma once
// The settings sheet of a file converter: its pages, OK and Cancel, a help button with its icon at the
// left end of the button row and beside it the check box "Show these settings when importing", which
// on OK becomes the sheet's flag.

#include "platform/gdi/CBitmap.h"
#include "platform/win/CButton.h"
#include "platform/win/CPropertySheet.h"

class CFileConverterSettingPropertySheet : public CPropertySheet
{
    DECLARE_DYNAMIC(CFileConverterSettingPropertySheet)
public:
    static constexpr UINT IDC_SHOW_AT_CONVERSION = 2395;

    CFileConverterSettingPropertySheet(LPCTSTR pszCaption, CWnd* pParentWnd = nullptr, UINT iSelectPage = 0);
    ~CFileConverterSettingPropertySheet() override;

    BOOL OnInitDialog() override;

    // Whether the sheet is shown when a conversion runs.
    BOOL m_bShowAtConversion = TRUE;

protected:
    BOOL OnCommand(WPARAM wParam, LPARAM lParam) override;

    CButton m_helpButton;
    CButton m_showCheck;
    CBitmap m_helpImage;
};
