#pragma once
// Puts the drawings of a document, or the placed part layouts of one paper, into a new order with Up and
// Down. It only collects the order; ApplyOrder (or the caller) writes it to the document in one undo step.

#include "platform/afx/CDWordArray.h"
#include "platform/gdi/CBitmap.h"
#include "platform/win/CDialog.h"
#include "platform/win/CListBox.h"

class Draw2dDocument;

class CDrawingSortDialog : public CDialog
{
public:
    enum { IDD = 561, IDC_LIST = 2440, IDC_UP = 2441, IDC_DOWN = 2442, IDC_CAPTION = 2443 };

    explicit CDrawingSortDialog(CWnd* pParent = nullptr);
    ~CDrawingSortDialog() override;

    // Mode 0: the drawings; mode 1: the layouts placed on the paper. FALSE for another mode.
    BOOL SetSortTarget(int nMode, long nPaperID);
    int GetMode() const { return m_nMode; }
    // Writes the collected order in one undo step; FALSE when the document refuses it or nothing was collected.
    BOOL ApplyOrder();

    Draw2dDocument* m_pDocument = nullptr;
    int m_nStartIndex = 0;
    CDWordArray m_order;
    CListBox m_list;

protected:
    void DoDataExchange(CDataExchange* pDX) override;
    BOOL OnInitDialog() override;
    void OnOK() override;
    afx_msg void OnUp();
    afx_msg void OnDown();
    afx_msg void OnSelChange();
    DECLARE_MESSAGE_MAP()

    void UpdateButtons();
    void Move(int nBy);

    int m_nMode = 0;
    long m_nPaperID = -1;
    CBitmap m_helpImage;
};
