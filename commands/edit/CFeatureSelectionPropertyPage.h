#pragma once
// What the selection filter's pages share: the document they list, their tab's base caption, the " *"
// mark behind it while anything is checked, and Check All (2457) and Uncheck All (2458).

#include "platform/win/CPropertyPage.h"

class Draw2dDocument;
class SelectionFilter;

class CFeatureSelectionPropertyPage : public CPropertyPage
{
public:
    enum : int { kCheckAll = 2457, kUncheckAll = 2458, kPlaceholder = 1001 };

    explicit CFeatureSelectionPropertyPage(UINT nIDTemplate);
    ~CFeatureSelectionPropertyPage() override;

    void SetDocument(const Draw2dDocument* pDocument) { m_pDocument = pDocument; }
    void SetBaseCaption(const CString& caption) { m_strBaseCaption = caption; }
    const CString& GetBaseCaption() const { return m_strBaseCaption; }

    // The page's part filter, copied in before the sheet opens and out after OK.
    virtual void LoadFilter(const SelectionFilter& filter) = 0;
    virtual void StoreFilter(SelectionFilter& filter) const = 0;
    // Whether the part filter held now restricts anything.
    virtual BOOL IsFilterRestricting() const = 0;

    // The rows or items shown, checked or not (for pages that have them).
    virtual void SetAllChecks(BOOL bCheck) { (void)bCheck; }
    virtual BOOL HasAnyCheck() const { return FALSE; }
    // The tab text: the base caption, with " *" while anything is checked.
    void UpdateTabMark();

protected:
    afx_msg void OnCheckAll();
    afx_msg void OnUncheckAll();
    DECLARE_MESSAGE_MAP()

    // The rectangle of the placeholder control, in the page's client coordinates; it is hidden.
    CRect PlaceholderRect();

    const Draw2dDocument* m_pDocument = nullptr;
    CString m_strBaseCaption;
};
