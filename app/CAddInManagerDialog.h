#pragma once
// The add-in manager's dialog (template 710): a grid of add-ins with their load and start-up ticks,
// and the selected add-in's texts. Nothing is ever listed and its buttons change nothing.

#include "controls/CGridCtrl.h"
#include "platform/afx/CString.h"
#include "platform/gdi/CBitmap.h"
#include "platform/win/CDialog.h"

class CAddInManagerDialog : public CDialog
{
    DECLARE_DYNAMIC(CAddInManagerDialog)
public:
    enum { IDD = 710 };
    static constexpr UINT IDC_PLACEHOLDER = 1068;
    static constexpr UINT IDC_GRID = 1076;
    static constexpr UINT IDC_BUTTON = 1070;

    explicit CAddInManagerDialog(CWnd* pParent = nullptr);
    ~CAddInManagerDialog() override;

    BOOL OnInitDialog() override;
    // Creates the grid in the placeholder's place, with its four columns; FALSE when it cannot be made.
    BOOL CreateGrid();
    // The column widths for a placeholder W pixels wide; a width below 0 takes the previous column's
    // (the first one's default 50).
    static void ColumnWidths(int nPlaceholderWidth, int widths[4]);

    CGridCtrl& GetGrid() { return m_grid; }

    CString m_strText1;
    CString m_strText2;
    CString m_strText3;
    CString m_strText4;
    CString m_strText5;
    CString m_strText6;

protected:
    DECLARE_MESSAGE_MAP()
    void DoDataExchange(CDataExchange* pDX) override;
    void OnOK() override;
    afx_msg void OnGridCurrentCell(NMHDR* pNMHDR, LRESULT* pResult);
    afx_msg void OnButton();

    CGridCtrl m_grid;
    CBitmap m_helpImage;
};
