#include "app/CAddInManagerDialog.h"

#include "command/LoadResourceString.h"
#include "controls/GridColumnItem.h"
#include "controls/HelpButtonImage.h"
#include "platform/bcg/CBCGPVisualManager.h"
#include "platform/gdi/GdiApi.h"
#include "platform/win/AfxDDX.h"
#include "platform/win/CButton.h"
#include "platform/win/CDataExchange.h"
#include "platform/win/WinConstants.h"

IMPLEMENT_DYNAMIC(CAddInManagerDialog, CDialog)

namespace {
// The grid's note that its current cell changed.
constexpr UINT kGridCurrentCellChanged = 0x80DF;
constexpr UINT IDS_COLUMN_FIRST = 10004;
}  // namespace

BEGIN_MESSAGE_MAP(CAddInManagerDialog, CDialog)
    ON_NOTIFY(kGridCurrentCellChanged, IDC_GRID, &CAddInManagerDialog::OnGridCurrentCell)
    ON_BN_CLICKED(IDC_BUTTON, &CAddInManagerDialog::OnButton)
END_MESSAGE_MAP()

CAddInManagerDialog::CAddInManagerDialog(CWnd* pParent) : CDialog(IDD, pParent) {}
CAddInManagerDialog::~CAddInManagerDialog() = default;

void CAddInManagerDialog::DoDataExchange(CDataExchange* pDX)
{
    CDialog::DoDataExchange(pDX);
    DDX_Text(pDX, 1073, m_strText1);
    DDX_Text(pDX, 1072, m_strText2);
    DDX_Text(pDX, 1074, m_strText3);
    DDX_Text(pDX, 1075, m_strText4);
    DDX_Text(pDX, 1077, m_strText5);
    DDX_Text(pDX, 1078, m_strText6);
}

void CAddInManagerDialog::ColumnWidths(int w, int widths[4])
{
    const int computed[4] = {w / 8, (2 * w) / 8, (4 * w) / 8 - 15, w / 8 - 5};
    int previous = GridColumnItem().m_nWidth;
    for (int i = 0; i < 4; ++i) {
        widths[i] = computed[i] >= 0 ? computed[i] : previous;
        previous = widths[i];
    }
}

BOOL CAddInManagerDialog::CreateGrid()
{
    CWnd* pPlaceholder = GetDlgItem(IDC_PLACEHOLDER);
    if (pPlaceholder == nullptr)
        return FALSE;
    CRect rect;
    pPlaceholder->GetWindowRect(&rect);
    ScreenToClient(&rect);
    if (!m_grid.Create(WS_CHILD | WS_VISIBLE | WS_BORDER | WS_TABSTOP, rect, this, IDC_GRID))
        return FALSE;
    m_grid.ModifyStyleEx(0, WS_EX_STATICEDGE);
    m_grid.ShowRowHeader(FALSE);
    m_grid.EnableMultiSelect(FALSE);
    m_grid.EnableHeaderNotify(FALSE);
    m_grid.SendMessage(WM_SETFONT, SendMessage(WM_GETFONT), TRUE);
    // The grid follows the look the user chose.
    if (CBCGPVisualManager* pLook = CBCGPVisualManager::GetInstance()) {
        m_grid.SetSelectionColor(pLook->GetToolbarHighlightColor());
        m_grid.SetHeaderColor(pLook->GetStatusBarBackColor());
        m_grid.SetHeaderLineColor(::GetSysColor(COLOR_3DSHADOW));
    }
    int widths[4];
    ColumnWidths(rect.Width(), widths);
    const int alignments[4] = {GridColumnItem::alignCenter, GridColumnItem::alignLeft, GridColumnItem::alignLeft,
                               GridColumnItem::alignCenter};
    const int kinds[4] = {GridColumnItem::kindCheck, GridColumnItem::kindReadOnly, GridColumnItem::kindReadOnly,
                          GridColumnItem::kindCheck};
    GridColumnItem column;
    for (int i = 0; i < 4; ++i) {
        column.m_strTitle = LoadResourceString(IDS_COLUMN_FIRST + i);
        column.m_nWidth = widths[i];
        column.m_nAlignment = alignments[i];
        column.m_nKind = kinds[i];
        m_grid.InsertColumn(i, column);
    }
    if (CWnd* pHelp = GetDlgItem(ID_HELP))
        pHelp->SetWindowPos(&m_grid, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
    return TRUE;
}

BOOL CAddInManagerDialog::OnInitDialog()
{
    CDialog::OnInitDialog();
    CreateGrid();
    if (m_grid.GetSafeHwnd() != nullptr)
        m_grid.DeleteAllRows(TRUE);
    if (auto* pHelp = static_cast<CButton*>(GetDlgItem(ID_HELP)))
        if (LoadHelpButtonImage(m_helpImage))
            pHelp->SetBitmap(static_cast<HBITMAP>(m_helpImage.GetSafeHandle()));
    if (m_grid.GetSafeHwnd() != nullptr)
        m_grid.SetFocus();
    return FALSE;
}

void CAddInManagerDialog::OnOK()
{
    CDialog::OnOK();
}

void CAddInManagerDialog::OnGridCurrentCell(NMHDR*, LRESULT* pResult)
{
    if (pResult != nullptr)
        *pResult = 0;
}

void CAddInManagerDialog::OnButton()
{
}
