#include "settings/CColorSettingDialog.h"

#include <algorithm>

#include "platform/bcg/CBCGPDrawManager.h"
#include "platform/gdi/CDC.h"
#include "platform/win/CPaintDC.h"
#include "platform/gdi/GdiApi.h"
#include "platform/win/AfxDDX.h"
#include "platform/win/CDataExchange.h"
#include "settings/SettingsDialogSupport.h"

namespace {

constexpr UINT kNewCaption = 10025;
constexpr UINT kCurrentCaption = 10026;

}  // namespace

BEGIN_MESSAGE_MAP(CColorSettingDialog, CDialog)
ON_WM_PAINT()
ON_WM_SYSCOLORCHANGE()
ON_NOTIFY(CColorCellsCtrl::kNotifyCode, CColorSettingDialog::kUserCells, &CColorSettingDialog::OnCellsChanged)
ON_NOTIFY(CColorCellsCtrl::kNotifyCode, CColorSettingDialog::kFixedCells, &CColorSettingDialog::OnCellsChanged)
ON_EN_CHANGE(CColorSettingDialog::kRed, &CColorSettingDialog::OnRgbChange)
ON_EN_CHANGE(CColorSettingDialog::kGreen, &CColorSettingDialog::OnRgbChange)
ON_EN_CHANGE(CColorSettingDialog::kBlue, &CColorSettingDialog::OnRgbChange)
ON_EN_CHANGE(CColorSettingDialog::kHue, &CColorSettingDialog::OnHlsChange)
ON_EN_CHANGE(CColorSettingDialog::kLum, &CColorSettingDialog::OnHlsChange)
ON_EN_CHANGE(CColorSettingDialog::kSat, &CColorSettingDialog::OnHlsChange)
ON_BN_CLICKED(CColorSettingDialog::kPicker, &CColorSettingDialog::OnPickerClicked)
ON_BN_CLICKED(CColorSettingDialog::kLuminance, &CColorSettingDialog::OnLuminanceClicked)
ON_BN_CLICKED(CColorSettingDialog::kSet, &CColorSettingDialog::OnSet)
END_MESSAGE_MAP()

CColorSettingDialog::CColorSettingDialog(CWnd* pParent) : CDialog(IDD, pParent) {}
CColorSettingDialog::~CColorSettingDialog() = default;

void CColorSettingDialog::SetColorTable(const ColorFeatureTable* pTable)
{
    if (pTable != nullptr)
        m_table = *pTable;
}

int CColorSettingDialog::ToField(double value)
{
    return std::clamp(static_cast<int>(value * 255.0 + 0.5), 0, 255);
}

double CColorSettingDialog::FromField(int field)
{
    return std::min((field + 0.5) / 255.0, 1.0);
}

void CColorSettingDialog::DoDataExchange(CDataExchange* pDX)
{
    CDialog::DoDataExchange(pDX);
    DDX_Control(pDX, kName, m_nameEdit);
    DDX_Control(pDX, kUserCells, m_userCells);
    DDX_Control(pDX, kFixedCells, m_fixedCells);
    for (int i = 0; i < 6; ++i) {
        DDX_Control(pDX, kHueSpin + i, m_spins[i]);
        DDX_Control(pDX, kHue + i, m_edits[i]);
    }
    int* const fields[6] = {&m_nHue, &m_nGreen, &m_nBlue, &m_nLum, &m_nRed, &m_nSat};
    // Red, green and blue first: a bad hue should not hide a bad red.
    for (int i : {4, 1, 2, 0, 3, 5}) {
        DDX_Text(pDX, kHue + i, *fields[i]);
        DDV_MinMaxInt(pDX, *fields[i], 0, 255);
    }
    DDX_Text(pDX, kNumber, m_nColorNo);
    DDV_MinMaxInt(pDX, m_nColorNo, 1, 256);
}

BOOL CColorSettingDialog::OnInitDialog()
{
    m_bWriting = TRUE;
    CDialog::OnInitDialog();
    for (int i = 0; i < 6; ++i) {
        m_spins[i].SetBuddy(&m_edits[i]);
        m_spins[i].SetRange(0, 255);
    }
    m_fixedCells.Initialize(&m_table, 1, 16, 16, TRUE);
    m_userCells.Initialize(&m_table, 17, 256, 10, FALSE);
    m_nColorNo = 17;
    m_userCells.SetCurSel(17);
    m_userCells.SetShowSelection(TRUE);
    m_fixedCells.SetShowSelection(FALSE);
    const COLORREF rgb = m_table.GetColorRef(17);
    m_strName = m_table.GetColorName(17);
    m_nameEdit.SetWindowText(m_strName);
    SetHelpButtonImage(this, m_helpImage);

    // The two pickers take the places of their frames in the template.
    const struct {
        CBCGPColorPickerCtrl* pControl;
        int nId;
        int nFrame;
        CBCGPColorPickerCtrl::COLORTYPE type;
    } pickers[] = {{&m_picker, kPicker, kPickerFrame, CBCGPColorPickerCtrl::PICKER},
                   {&m_luminance, kLuminance, kLuminanceFrame, CBCGPColorPickerCtrl::LUMINANCE}};
    for (const auto& p : pickers) {
        CRect rc(0, 0, 100, 100);
        if (CWnd* pFrame = GetDlgItem(p.nFrame)) {
            pFrame->GetWindowRect(&rc);
            ScreenToClient(&rc);
            pFrame->ShowWindow(SW_HIDE);
        }
        p.pControl->Create(WS_CHILD | WS_VISIBLE | WS_TABSTOP, rc, this, static_cast<UINT>(p.nId));
        p.pControl->SetType(p.type);
    }
    double h = 0.0, s = 0.0, l = 0.0;
    CBCGPDrawManager::RGBtoHSL(rgb, &h, &s, &l);
    m_picker.SetHLS(h, l, s, TRUE);
    m_luminance.SetHLS(h, l, s, TRUE);
    m_luminance.SetLuminanceBarWidth(14);
    m_nRed = GetRValue(rgb);
    m_nGreen = GetGValue(rgb);
    m_nBlue = GetBValue(rgb);
    HlsFieldsFrom(h, l, s);
    WriteFields();
    m_currentColor = rgb;
    m_newColor = rgb;
    m_bWriting = FALSE;
    // The user cells take the focus: the fixed cells, first in the tab order, would report colour 1 as
    // chosen when they got it.
    m_userCells.SetFocus();
    return FALSE;
}

void CColorSettingDialog::HlsFieldsFrom(double hue, double lum, double sat)
{
    m_nHue = ToField(hue);
    m_nLum = ToField(lum);
    m_nSat = ToField(sat);
}

void CColorSettingDialog::WriteFields()
{
    const BOOL bWas = m_bWriting;
    m_bWriting = TRUE;
    const int* const fields[6] = {&m_nHue, &m_nGreen, &m_nBlue, &m_nLum, &m_nRed, &m_nSat};
    for (int i = 0; i < 6; ++i) {
        CString text;
        text.Format(_T("%d"), *fields[i]);
        CString shown;
        m_edits[i].GetWindowText(shown);
        if (shown != text)
            m_edits[i].SetWindowText(text);
    }
    if (CWnd* pNumber = GetDlgItem(kNumber)) {
        CString text;
        text.Format(_T("%d"), m_nColorNo);
        CString shown;
        pNumber->GetWindowText(shown);
        if (shown != text)
            pNumber->SetWindowText(text);
    }
    m_bWriting = bWas;
}

void CColorSettingDialog::FillSwatch(const CRect& rc)
{
    if (rc.IsRectEmpty() || !IsWindowVisible())
        return;
    InvalidateRect(&rc, FALSE);
}

void CColorSettingDialog::SetCurrentColor(COLORREF rgb)
{
    m_currentColor = rgb;
    if (GetSafeHwnd() == nullptr || !IsWindowVisible())
        return;
    FillSwatch(m_rcCurrent);
    double h = 0.0, s = 0.0, l = 0.0;
    CBCGPDrawManager::RGBtoHSL(rgb, &h, &s, &l);
    m_picker.SetHLS(h, l, s, TRUE);
    m_luminance.SetHLS(h, l, s, TRUE);
    m_nRed = GetRValue(rgb);
    m_nGreen = GetGValue(rgb);
    m_nBlue = GetBValue(rgb);
    HlsFieldsFrom(h, l, s);
    WriteFields();
}

void CColorSettingDialog::SetNewColor(COLORREF rgb)
{
    m_newColor = rgb;
    if (GetSafeHwnd() != nullptr)
        FillSwatch(m_rcNew);
}

void CColorSettingDialog::OnPaint()
{
    CPaintDC dc(this);
    CWnd* pFrame = GetDlgItem(kSwatchFrame);
    if (pFrame == nullptr)
        return;
    CRect rcFrame;
    pFrame->GetWindowRect(&rcFrame);
    ScreenToClient(&rcFrame);
    CRect box(rcFrame.left + 5, rcFrame.bottom - 24 - 30, rcFrame.left + 5 + 58, rcFrame.bottom - 24);
    const COLORREF frame = GetSysColor(COLOR_WINDOWFRAME);
    dc.Draw3dRect(&box, frame, frame);
    CFont* pOld = dc.SelectObject(GetFont());
    dc.SetBkMode(TRANSPARENT);
    dc.SetTextColor(GetSysColor(COLOR_WINDOWTEXT));
    CRect above(box.left - 20, box.top - 22, box.right + 20, box.top);
    CRect below(box.left - 20, box.bottom, box.right + 20, box.bottom + 22);
    CString text = LoadSettingsString(kNewCaption);
    dc.DrawText(text, &above, DT_CENTER | DT_VCENTER | DT_SINGLELINE);
    text = LoadSettingsString(kCurrentCaption);
    dc.DrawText(text, &below, DT_CENTER | DT_VCENTER | DT_SINGLELINE);
    if (pOld != nullptr)
        dc.SelectObject(pOld);
    CRect inner = box;
    inner.DeflateRect(1, 1);
    const int half = inner.Height() / 2;
    m_rcNew = CRect(inner.left, inner.top, inner.right, inner.top + half);
    m_rcCurrent = CRect(inner.left, inner.top + half, inner.right, inner.bottom);
    dc.FillSolidRect(&m_rcNew, m_newColor);
    dc.FillSolidRect(&m_rcCurrent, m_currentColor);
}

void CColorSettingDialog::EnableEditing(BOOL bEnable)
{
    m_nameEdit.EnableWindow(bEnable);
    m_picker.EnableWindow(bEnable);
    m_luminance.EnableWindow(bEnable);
    for (int i = 0; i < 6; ++i) {
        m_edits[i].EnableWindow(bEnable);
        m_spins[i].EnableWindow(bEnable);
    }
    if (CWnd* pSet = GetDlgItem(kSet))
        pSet->EnableWindow(bEnable);
}

void CColorSettingDialog::ChooseColor(BOOL bFixed)
{
    CColorCellsCtrl& cells = bFixed ? m_fixedCells : m_userCells;
    const int no = cells.m_nCurrentNo;
    if (no < 1 || no > ColorFeatureTable::kColorCount)
        return;
    m_nColorNo = no;
    const COLORREF rgb = m_table.GetColorRef(static_cast<short>(no));
    m_strName = m_table.GetColorName(static_cast<short>(no));
    m_bWriting = TRUE;
    m_nameEdit.SetWindowText(m_strName);
    m_bWriting = FALSE;
    EnableEditing(!bFixed);
    SetCurrentColor(rgb);
    SetNewColor(rgb);
    WriteFields();
    (bFixed ? m_userCells : m_fixedCells).SetShowSelection(FALSE);
    cells.SetShowSelection(TRUE);
}

void CColorSettingDialog::OnCellsChanged(NMHDR* pNotify, LRESULT* pResult)
{
    if (pResult != nullptr)
        *pResult = 0;
    if (pNotify == nullptr)
        return;
    ChooseColor(pNotify->idFrom == static_cast<UINT_PTR>(kFixedCells));
}

void CColorSettingDialog::OnRgbChange()
{
    if (m_bWriting || !UpdateData(TRUE))
        return;
    const COLORREF rgb = RGB(m_nRed & 0xFF, m_nGreen & 0xFF, m_nBlue & 0xFF);
    if (m_picker.GetColor() != rgb)
        m_picker.SetColor(rgb);
    if (m_luminance.GetColor() != rgb)
        m_luminance.SetColor(rgb);
    SetNewColor(rgb);
    // The hue, luminance and saturation fields follow, so that a later edit of one of them starts from
    // this colour rather than from the one before.
    double h = 0.0, s = 0.0, l = 0.0;
    CBCGPDrawManager::RGBtoHSL(rgb, &h, &s, &l);
    HlsFieldsFrom(h, l, s);
    WriteFields();
}

void CColorSettingDialog::OnHlsChange()
{
    if (m_bWriting || !UpdateData(TRUE))
        return;
    const double h = FromField(m_nHue), l = FromField(m_nLum), s = FromField(m_nSat);
    const COLORREF rgb = CBCGPDrawManager::HLStoRGB_ONE(h, l, s);
    m_picker.SetHLS(h, l, s, TRUE);
    m_luminance.SetHLS(h, l, s, TRUE);
    SetNewColor(rgb);
    m_nRed = GetRValue(rgb);
    m_nGreen = GetGValue(rgb);
    m_nBlue = GetBValue(rgb);
    WriteFields();
}

void CColorSettingDialog::OnPickerClicked()
{
    const COLORREF rgb = m_picker.GetColor();
    m_nRed = GetRValue(rgb);
    m_nGreen = GetGValue(rgb);
    m_nBlue = GetBValue(rgb);
    m_luminance.SetHLS(m_picker.GetHue(), m_luminance.GetLuminance(), m_picker.GetSaturation(), TRUE);
    HlsFieldsFrom(m_picker.GetHue(), m_picker.GetLuminance(), m_picker.GetSaturation());
    WriteFields();
    SetNewColor(rgb);
}

void CColorSettingDialog::OnLuminanceClicked()
{
    m_picker.SetHLS(m_picker.GetHue(), m_luminance.GetLuminance(), m_picker.GetSaturation(), TRUE);
    HlsFieldsFrom(m_picker.GetHue(), m_picker.GetLuminance(), m_picker.GetSaturation());
    const COLORREF rgb = CBCGPDrawManager::HLStoRGB_ONE(FromField(m_nHue), FromField(m_nLum), FromField(m_nSat));
    m_nRed = GetRValue(rgb);
    m_nGreen = GetGValue(rgb);
    m_nBlue = GetBValue(rgb);
    WriteFields();
    SetNewColor(rgb);
}

void CColorSettingDialog::OnSet()
{
    if (m_nColorNo <= ColorFeatureTable::kFixedColorCount)
        return;
    m_nameEdit.GetWindowText(m_strName);
    // The typed name is kept with the colour.
    m_table.SetColor(static_cast<short>(m_nColorNo), m_newColor, m_strName);
    m_userCells.SetCurSel(m_nColorNo);
    m_userCells.Invalidate(FALSE);
    SetCurrentColor(m_newColor);
}

void CColorSettingDialog::OnSysColorChange()
{
    CDialog::OnSysColorChange();
    Invalidate(TRUE);
}
