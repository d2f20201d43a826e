#include "commands/shape/CToleranceEditDialog.h"

#include <QtGui/QImage>
#include <QtGui/QPainter>

#include "libs/vevure/Draw2dDocument.h"
#include "libs/vevure/DrawingManager.h"
#include "libs/vevure/Feature2dList.h"
#include "libs/vevure/FeatureCreator.h"
#include "libs/vevure/Tolerance2dFeature.h"
#include "platform/afx/CRect.h"
#include "platform/gdi/CDC.h"
#include "platform/win/AfxDDX.h"
#include "platform/win/CDataExchange.h"
#include "platform/win/CEdit.h"
#include "platform/win/WinConstants.h"
#include "platform/win/WinCtrlConstants.h"

namespace {

constexpr UINT kFirstSymbolName = 11521;
constexpr UINT kRefusedCell = 10392;
constexpr UINT kHelpBitmap = 404;
constexpr UINT kCodeBitmap = 416;
constexpr int kCodeImageWidth = 21;
constexpr int kButtonCount = CToleranceEditDialog::kLastCodeButton - CToleranceEditDialog::kFirstCodeButton + 1;
// The button kept as the template leaves it: its code is also a symbol letter, so the cell check would
// refuse what it inserts.
constexpr int kRunOutButton = 2496;

const TCHAR kSymbolCodes[CToleranceEditDialog::kSymbolEntries + 1] = _T(">ucegkdfbajriht");
const TCHAR kSymbolLetters[] = _T("ucegkdfbajriht");

struct CodeButton {
    int nID;
    const TCHAR* code;
    int nImage;  // -1: the template's caption
};
const CodeButton kCodeButtons[kButtonCount] = {
    {2490, _T("\\|"), 0}, {2491, _T("\\m"), 5}, {2492, _T("\\l"), 4}, {2493, _T("\\s"), 3}, {2494, _T("\\1"), 6},
    {2495, _T("\\p"), 2}, {2496, _T("\\t"), -1}, {2497, _T("\\n"), 1}, {2498, _T("\\2"), 7},
};

BOOL IsSymbolLetter(TCHAR ch)
{
    for (const TCHAR* p = kSymbolLetters; *p != 0; ++p)
        if (*p == ch)
            return TRUE;
    return FALSE;
}

BOOL IsDatumEdit(int nID)
{
    return nID >= CToleranceEditDialog::kFirstDatumEdit && nID < CToleranceEditDialog::kFrameEdit;
}

}  // namespace

BEGIN_MESSAGE_MAP(CToleranceEditDialog, CDialog)
ON_CONTROL_RANGE(CBN_SELCHANGE, CToleranceEditDialog::kFirstSymbolCombo, CToleranceEditDialog::kFirstSymbolCombo + 2,
                 &CToleranceEditDialog::OnRowChange)
ON_CONTROL_RANGE(EN_CHANGE, CToleranceEditDialog::kFirstToleranceEdit, CToleranceEditDialog::kFirstDatumEdit + 2,
                 &CToleranceEditDialog::OnRowChange)
ON_EN_CHANGE(CToleranceEditDialog::kFrameEdit, &CToleranceEditDialog::OnFrameChange)
ON_CONTROL_RANGE(CBN_SETFOCUS, CToleranceEditDialog::kFirstSymbolCombo, CToleranceEditDialog::kFirstSymbolCombo + 2,
                 &CToleranceEditDialog::OnComboSetFocus)
ON_CONTROL_RANGE(EN_SETFOCUS, CToleranceEditDialog::kFirstToleranceEdit, CToleranceEditDialog::kFirstDatumEdit + 2,
                 &CToleranceEditDialog::OnEditSetFocus)
ON_CONTROL_RANGE(EN_KILLFOCUS, CToleranceEditDialog::kFirstToleranceEdit, CToleranceEditDialog::kFirstDatumEdit + 2,
                 &CToleranceEditDialog::OnEditKillFocus)
ON_CONTROL_RANGE(BN_CLICKED, CToleranceEditDialog::kFirstCodeButton, CToleranceEditDialog::kLastCodeButton,
                 &CToleranceEditDialog::OnCodeButton)
ON_WM_DRAWITEM()
END_MESSAGE_MAP()

CToleranceEditDialog::CToleranceEditDialog(CWnd* pParent, const Draw2dDocument* pDocument)
    : CDialog(IDD, pParent), m_pDocument(pDocument)
{
}

CToleranceEditDialog::~CToleranceEditDialog() = default;

TCHAR CToleranceEditDialog::SymbolCode(int nEntry)
{
    return nEntry >= 0 && nEntry < kSymbolEntries ? kSymbolCodes[nEntry] : TCHAR(0);
}

CString CToleranceEditDialog::CodeOfButton(int nID)
{
    for (const CodeButton& b : kCodeButtons)
        if (b.nID == nID)
            return b.code;
    return CString();
}

CString CToleranceEditDialog::DropLoneBackslash(const CString& text)
{
    int run = 0;
    for (int i = text.GetLength() - 1; i >= 0 && text[i] == _T('\\'); --i)
        ++run;
    return run % 2 == 1 ? text.Left(text.GetLength() - 1) : text;
}

BOOL CToleranceEditDialog::IsCellAcceptable(const CString& text)
{
    for (int i = 0; i + 1 < text.GetLength(); ++i) {
        if (text[i] != _T('\\'))
            continue;
        if (IsSymbolLetter(text[i + 1]))
            return FALSE;
        ++i;
    }
    return TRUE;
}

CString CToleranceEditDialog::BuildFrameString(const CString symbols[kRows], const CString tolerances[kRows],
                                               const CString datums[kRows])
{
    CString result, previous;
    for (int r = 0; r < kRows; ++r) {
        CString symbol = DropLoneBackslash(symbols[r]);
        const CString tolerance = DropLoneBackslash(tolerances[r]);
        const CString datum = DropLoneBackslash(datums[r]);
        if (symbol.IsEmpty() && tolerance.IsEmpty() && datum.IsEmpty())
            continue;
        CString row;
        if (r == 0) {
            previous = symbol;
        } else {
            if (!result.IsEmpty())
                row = _T("\\*");
            if (symbol == previous)
                symbol = _T("\\>");
            if (symbol != _T("\\>"))
                previous = symbol;
        }
        row += symbol;
        if (!tolerance.IsEmpty() || !datum.IsEmpty()) {
            row += _T("\\|") + tolerance;
            if (!datum.IsEmpty())
                row += _T("\\|") + datum;
        }
        if (row != _T("\\*\\>"))
            result += row;
    }
    return result;
}

void CToleranceEditDialog::DoDataExchange(CDataExchange* pDX)
{
    CDialog::DoDataExchange(pDX);
    DDX_Control(pDX, kPreview, m_preview);
    for (int r = 0; r < kRows; ++r)
        DDX_Control(pDX, kFirstSymbolCombo + r, m_symbols[r]);
    for (int i = 0; i < kButtonCount; ++i)
        DDX_Control(pDX, kFirstCodeButton + i, m_codeButtons[i]);
    if (GetDlgItem(kHelpButton) != nullptr)
        DDX_Control(pDX, kHelpButton, m_helpButton);
    DDX_Text(pDX, kFrameEdit, m_strText);
}

BOOL CToleranceEditDialog::OnInitDialog()
{
    CDialog::OnInitDialog();
    if (m_helpButton.GetSafeHwnd() != nullptr)
        m_helpButton.SetImage(kHelpBitmap);
    m_preview.ShowWindow(SW_SHOWNA);

    for (int r = 0; r < kRows; ++r) {
        m_symbols[r].ResetContent();
        for (int e = 0; e < kSymbolEntries; ++e) {
            CString name;
            name.LoadString(kFirstSymbolName + e);
            const int index = m_symbols[r].AddString(name);
            if (index >= 0)
                m_symbols[r].SetItemData(index, static_cast<DWORD_PTR>(kSymbolCodes[e]));
        }
    }
    if (!m_strText.IsEmpty())
        ReadFrameString(TRUE);
    else
        RenderPreview(m_strText);

    // The images of the code buttons: squares of the strip, magenta see-through.
    CBitmap strip;
    if (strip.LoadBitmap(kCodeBitmap)) {
        const QImage all = strip.GetImage().convertToFormat(QImage::Format_ARGB32);
        for (int i = 0; i < kButtonCount; ++i) {
            const int n = kCodeButtons[i].nImage;
            if (n < 0 || (n + 1) * kCodeImageWidth > all.width())
                continue;
            QImage one = all.copy(n * kCodeImageWidth, 0, kCodeImageWidth, all.height());
            for (int y = 0; y < one.height(); ++y)
                for (int x = 0; x < one.width(); ++x)
                    if ((one.pixel(x, y) & 0xFFFFFF) == 0xFF00FF)
                        one.setPixel(x, y, 0);
            if (m_codeImages[i].CreateFromImage(one)) {
                m_codeButtons[i].SetWindowText(CString());
                m_codeButtons[i].SetImage(static_cast<HBITMAP>(m_codeImages[i].GetSafeHandle()));
            }
        }
    }

    // The combo boxes centred on their rows' edits.
    for (int r = 0; r < kRows; ++r) {
        CWnd* pEdit = GetDlgItem(kFirstToleranceEdit + r);
        if (pEdit == nullptr)
            continue;
        CRect edit, combo;
        pEdit->GetWindowRect(&edit);
        m_symbols[r].GetWindowRect(&combo);
        ScreenToClient(&edit);
        ScreenToClient(&combo);
        const int c = (edit.top + edit.bottom) / 2;
        const int top = c - combo.Height() / 2;
        m_symbols[r].SetWindowPos(nullptr, combo.left, top, combo.Width(), combo.Height(), SWP_NOZORDER);
    }

    SetCodeButtons(buttonsOff);
    if (auto* pFrame = static_cast<CEdit*>(GetDlgItem(kFrameEdit)))
        pFrame->SetReadOnly(TRUE);
    m_bReady = TRUE;
    return TRUE;
}

void CToleranceEditDialog::SetCodeButtons(int nState)
{
    for (int i = 0; i < kButtonCount; ++i) {
        const int nID = kFirstCodeButton + i;
        if (nID == kRunOutButton || m_codeButtons[i].GetSafeHwnd() == nullptr)
            continue;
        BOOL bEnable = FALSE;
        if (nState == buttonsTolerance)
            bEnable = nID != kFirstCodeButton;
        else if (nState == buttonsDatum)
            bEnable = TRUE;
        m_codeButtons[i].EnableWindow(bEnable);
    }
}

void CToleranceEditDialog::OnRowChange(UINT)
{
    if (m_bReady)
        RebuildFrameString();
}

void CToleranceEditDialog::RebuildFrameString()
{
    CString symbols[kRows], tolerances[kRows], datums[kRows];
    for (int r = 0; r < kRows; ++r) {
        const int sel = m_symbols[r].GetCurSel();
        if (sel >= 0) {
            symbols[r] = _T("\\");
            symbols[r] += static_cast<TCHAR>(m_symbols[r].GetItemData(sel));
        }
        if (CWnd* p = GetDlgItem(kFirstToleranceEdit + r))
            p->GetWindowText(tolerances[r]);
        if (CWnd* p = GetDlgItem(kFirstDatumEdit + r))
            p->GetWindowText(datums[r]);
    }
    const CString result = BuildFrameString(symbols, tolerances, datums);
    CWnd* pFrame = GetDlgItem(kFrameEdit);
    if (pFrame == nullptr)
        return;
    CString now;
    pFrame->GetWindowText(now);
    if (now != result)
        pFrame->SetWindowText(result);
}

void CToleranceEditDialog::OnFrameChange()
{
    CWnd* pFrame = GetDlgItem(kFrameEdit);
    ReadFrameString(pFrame != nullptr && GetFocus() == pFrame);
}

void CToleranceEditDialog::ReadFrameString(BOOL bFill)
{
    CString frame;
    if (CWnd* pFrame = GetDlgItem(kFrameEdit))
        pFrame->GetWindowText(frame);
    RenderPreview(frame);
    if (!bFill)
        return;
    Tolerance2dFeature tolerance;
    if (!tolerance.SetText(frame))
        return;
    // Filling the rows must not write the frame string again.
    const BOOL bReady = m_bReady;
    m_bReady = FALSE;
    const int rows = tolerance.GetToleranceCellSize();
    for (int r = 0; r < kRows && r < rows; ++r) {
        const int cells = tolerance.GetToleranceCellSize(r);
        const CString symbol = cells > 0 ? tolerance.GetToleranceCellText(r, 0) : CString();
        if (symbol.GetLength() >= 2 && symbol[0] == _T('\\')) {
            for (int e = 0; e < m_symbols[r].GetCount(); ++e) {
                if (static_cast<TCHAR>(m_symbols[r].GetItemData(e)) == symbol[1]) {
                    if (m_symbols[r].GetCurSel() != e)
                        m_symbols[r].SetCurSel(e);
                    break;
                }
            }
        }
        CString now;
        if (CWnd* p = GetDlgItem(kFirstToleranceEdit + r); p != nullptr && cells > 1) {
            const CString text = tolerance.GetToleranceCellText(r, 1);
            p->GetWindowText(now);
            if (now != text)
                p->SetWindowText(text);
        }
        CString datums;
        for (int c = 2; c < cells; ++c) {
            if (!datums.IsEmpty())
                datums += _T("\\|");
            datums += tolerance.GetToleranceCellText(r, c);
        }
        if (CWnd* p = GetDlgItem(kFirstDatumEdit + r); p != nullptr && !datums.IsEmpty()) {
            p->GetWindowText(now);
            if (now != datums)
                p->SetWindowText(datums);
        }
    }
    m_bReady = bReady;
}

void CToleranceEditDialog::RenderPreview(const CString& frame)
{
    if (m_pDocument == nullptr || m_preview.GetSafeHwnd() == nullptr)
        return;
    CRect rect;
    m_preview.GetWindowRect(&rect);
    // The frame in the look a placed one gets.
    std::unique_ptr<Tolerance2dFeature> pFrame(
        FeatureCreator::CreateToleranceFeature(nullptr, frame, RuVaPnt2d(), m_pDocument->GetDimensionSetting()));
    if (!pFrame)
        return;
    pFrame->SetLayerID(m_pDocument->GetCurrentLayerID());
    Feature2dList list;
    list.AddFeature(pFrame.get(), 1);
    std::unique_ptr<QImage> image(
        DrawingManager::CreateFeatureListImage(m_pDocument, &list, rect.Width(), rect.Height(), RGB(255, 255, 255), 0.1));
    if (!image || image->isNull())
        return;
    m_pPreview = std::move(image);
    m_preview.RedrawWindow(nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_UPDATENOW);
}

void CToleranceEditDialog::OnDrawItem(int nIDCtl, LPDRAWITEMSTRUCT lpDrawItemStruct)
{
    if (nIDCtl != kPreview || lpDrawItemStruct == nullptr) {
        CDialog::OnDrawItem(nIDCtl, lpDrawItemStruct);
        return;
    }
    const RECT& r = lpDrawItemStruct->rcItem;
    CDC* pDC = CDC::FromHandle(lpDrawItemStruct->hDC);
    QPainter* pPainter = pDC != nullptr ? pDC->GetQPainter() : nullptr;
    if (pPainter == nullptr)
        return;
    pPainter->fillRect(QRect(r.left, r.top, r.right - r.left, r.bottom - r.top), Qt::white);
    if (!m_pPreview)
        return;
    const double x = r.left + (r.right - r.left - m_pPreview->width()) * 0.5;
    const double y = r.top + (r.bottom - r.top - m_pPreview->height()) * 0.5;
    pPainter->drawImage(QPointF(x, y), *m_pPreview);
}

void CToleranceEditDialog::OnComboSetFocus(UINT)
{
    SetCodeButtons(buttonsOff);
}

void CToleranceEditDialog::OnEditSetFocus(UINT nID)
{
    SetCodeButtons(IsDatumEdit(static_cast<int>(nID)) ? buttonsDatum : buttonsTolerance);
}

void CToleranceEditDialog::OnEditKillFocus(UINT nID)
{
    auto* pEdit = static_cast<CEdit*>(GetDlgItem(static_cast<int>(nID)));
    if (pEdit == nullptr)
        return;
    m_pInsertTarget = pEdit;
    int start = 0, end = 0;
    pEdit->GetSel(start, end);
    m_nInsertPosition = start;
    CheckCell(static_cast<int>(nID));
}

BOOL CToleranceEditDialog::CheckCell(int nID)
{
    auto* pEdit = static_cast<CEdit*>(GetDlgItem(nID));
    if (pEdit == nullptr || m_bChecking)
        return TRUE;
    CString text;
    pEdit->GetWindowText(text);
    if (IsCellAcceptable(text))
        return TRUE;
    m_bChecking = TRUE;
    CString message;
    message.LoadString(kRefusedCell);
    MessageBox(message, nullptr, MB_OK | MB_ICONEXCLAMATION);
    pEdit->SetFocus();
    pEdit->SetSel(0, text.GetLength() - 1);
    m_bChecking = FALSE;
    return FALSE;
}

void CToleranceEditDialog::OnCodeButton(UINT nID)
{
    if (m_pInsertTarget == nullptr)
        return;
    const CString code = CodeOfButton(static_cast<int>(nID));
    CString text;
    m_pInsertTarget->GetWindowText(text);
    const int at = m_nInsertPosition < 0 || m_nInsertPosition > text.GetLength() ? text.GetLength()
                                                                                 : m_nInsertPosition;
    text = text.Left(at) + code + text.Mid(at);
    m_pInsertTarget->SetWindowText(text);
    m_nInsertPosition = at + code.GetLength();
    if (auto* pEdit = static_cast<CEdit*>(m_pInsertTarget)) {
        pEdit->SetSel(m_nInsertPosition, m_nInsertPosition);
        pEdit->SendMessage(EM_SCROLLCARET, 0, 0);
    }
}

void CToleranceEditDialog::OnOK()
{
    // A refused cell that was never corrected keeps the dialog open.
    for (int nID = kFirstToleranceEdit; nID < kFrameEdit; ++nID)
        if (!CheckCell(nID))
            return;
    CDialog::OnOK();
}
