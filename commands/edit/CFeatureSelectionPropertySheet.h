#pragma once
// The selection filter in seven pages: shape kinds, layers, drawings, colours, line types, line widths and
// attribute values. The sheet edits a copy; the caller writes it back after OK. A tab whose part filter
// restricts anything reads with " *"; with the switch shown, a check box turns the filter on or off.

#include <memory>

#include "platform/gdi/CBitmap.h"
#include "platform/win/CButton.h"
#include "platform/win/CPropertySheet.h"

class CFeatureSelectionPropertyPage;
class Draw2dDocument;
class SelectionFilter;

class CFeatureSelectionPropertySheet : public CPropertySheet
{
public:
    enum : int { kSwitch = 2457, kHelp = 57670 };
    enum Page { kFeaturePage, kLayerPage, kDrawingPage, kColorPage, kLineTypePage, kLineWidthPage,
                kAttributePage, kPages };

    CFeatureSelectionPropertySheet(LPCTSTR pszCaption, CWnd* pParentWnd, UINT iSelectPage);
    ~CFeatureSelectionPropertySheet() override;

    void SetDocument(const Draw2dDocument* pDocument);
    BOOL SetSelectionFilter(const SelectionFilter& filter);
    BOOL GetSelectionFilter(SelectionFilter& filter) const;

    CFeatureSelectionPropertyPage* GetFilterPage(int nPage) const { return m_pages[nPage].get(); }
    // The tab of the page reads with " *" when bMark.
    void SetPageMark(CFeatureSelectionPropertyPage* pPage, BOOL bMark);
    CString GetTabText(int nPage) const;

    BOOL m_bShowSwitch = FALSE;
    BOOL m_bFilterOn = FALSE;
    CButton m_switch;
    CButton m_helpButton;

    BOOL OnInitDialog() override;

protected:
    afx_msg void OnSwitchClicked();
    afx_msg void OnHelpClicked();
    DECLARE_MESSAGE_MAP()

    std::unique_ptr<CFeatureSelectionPropertyPage> m_pages[kPages];
    CBitmap m_helpImage;
};
