#pragma once
// The selection filter's pages that show their candidates as one check list: Check All, Uncheck All and
// the tab mark work on the list's checks, and a check changed by the user updates the mark.
// CFeatureSelectionNumberListPage adds what the colour, line type and line width pages share: one row per
// table number the document's shapes use, checked when the page's part filter holds it.

#include <vector>

#include "commands/edit/CFeatureSelectionPropertyPage.h"
#include "platform/win/CCheckListBox.h"

class CFeatureSelectionCheckListPage : public CFeatureSelectionPropertyPage
{
public:
    CFeatureSelectionCheckListPage(UINT nIDTemplate, int nListID);
    ~CFeatureSelectionCheckListPage() override;

    void SetAllChecks(BOOL bCheck) override;
    BOOL HasAnyCheck() const override;

    CCheckListBox m_list;

protected:
    void DoDataExchange(CDataExchange* pDX) override;
    afx_msg void OnCheckChanged(UINT nID);
    DECLARE_MESSAGE_MAP()

    const int m_nListID;
};

class CFeatureSelectionNumberListPage : public CFeatureSelectionCheckListPage
{
public:
    using CFeatureSelectionCheckListPage::CFeatureSelectionCheckListPage;
    ~CFeatureSelectionNumberListPage() override;

    // One row per used number, in ascending order; the list and its buttons are disabled without any.
    BOOL OnInitDialog() override;
    // The part filter becomes the checked rows' numbers.
    void OnOK() override;

protected:
    // The numbers the document's shapes use, ascending.
    virtual std::vector<short> UsedNumbers() const = 0;
    virtual CString RowText(short nNumber) const = 0;
    virtual BOOL IsInFilter(short nNumber) const = 0;
    virtual void ClearFilter() = 0;
    virtual void AddToFilter(short nNumber) = 0;
    // The number a row stands for.
    short RowNumber(int nRow) const;
};
