#pragma once
// The tab order dialog: the tabs of a document window as a list whose entries move up and down; on OK
// it holds the new order as the tabs' former indices, for the tab view to rearrange its tabs.

#include "platform/afx/CStringArray.h"
#include "platform/afx/CUIntArray.h"
#include "platform/win/CDialog.h"
#include "platform/win/CListBox.h"

class CQZ2TabView;

class CTabViewSortDialog : public CDialog
{
public:
    explicit CTabViewSortDialog(CWnd* pParent = nullptr);
    ~CTabViewSortDialog() override;

    // Set by the caller before DoModal: the tab view whose tabs are listed and the entry first selected.
    CQZ2TabView* m_pTabView = nullptr;
    int m_nInitialSelection = 0;
    // After IDOK: entry i is the former index of the tab that goes to position i, and its text.
    CUIntArray m_order;
    CStringArray m_names;

    BOOL OnInitDialog() override;
    void OnOK() override;

protected:
    void DoDataExchange(CDataExchange* pDX) override;
    afx_msg void OnMoveUp();
    afx_msg void OnMoveDown();
    afx_msg void OnSelectionChange();
    DECLARE_MESSAGE_MAP()

private:
    void MoveSelected(int nBy);
    void UpdateButtons();

    CListBox m_list;
};
