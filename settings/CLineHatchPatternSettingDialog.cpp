#include "settings/CLineHatchPatternSettingDialog.h"

#include "controls/DoubleEditExchange.h"
#include "libs/ruva/RuVaPnt2d.h"
#include "libs/vevure/Draw2dDocument.h"
#include "libs/vevure/LayerFeatureTable.h"
#include "libs/vevure/LineHatchPatternLineItem.h"
#include "platform/win/AfxDDX.h"
#include "platform/win/CDataExchange.h"
#include "platform/win/CWinApp.h"
#include "platform/win/WinConstants.h"
#include "platform/win/WinCtrlConstants.h"
#include "platform/win/WinMessages.h"
#include "settings/SettingsDialogSupport.h"

namespace {
constexpr UINT kItemFormat = 10256;
constexpr UINT kMsgTooManyItems = 10259;
constexpr double kLargest = 1e15;
constexpr short kNoLayerValue = 32767;
// The numeric edits and their spins, in the order of m_edits.
constexpr int kEditIds[4] = {CLineHatchPatternSettingDialog::kOriginXEdit, CLineHatchPatternSettingDialog::kOriginYEdit,
                             CLineHatchPatternSettingDialog::kAngleEdit, CLineHatchPatternSettingDialog::kSpaceEdit};
constexpr int kSpinIds[4] = {2508, 2509, 2048, 2510};
}  // namespace

using Dlg = CLineHatchPatternSettingDialog;

BEGIN_MESSAGE_MAP(CLineHatchPatternSettingDialog, CHatchPatternSettingDialogBase)
    ON_BN_CLICKED(Dlg::kAddButton, &Dlg::OnAdd)
    ON_BN_CLICKED(Dlg::kDeleteButton, &Dlg::OnDelete)
    ON_CBN_SELENDOK(Dlg::kItemList, &Dlg::OnSelectItem)
    ON_CONTROL_RANGE(CBN_SELENDOK, Dlg::kColorList, Dlg::kLineWidthList, &Dlg::OnSelectAttribute)
    ON_CONTROL_RANGE(EN_SETFOCUS, Dlg::kAngleEdit, Dlg::kAngleEdit, &Dlg::OnFocusField)
    ON_CONTROL_RANGE(EN_SETFOCUS, Dlg::kNameEdit, Dlg::kNameEdit, &Dlg::OnFocusField)
    ON_CONTROL_RANGE(EN_SETFOCUS, Dlg::kSpaceEdit, Dlg::kOriginYEdit, &Dlg::OnFocusField)
    ON_CONTROL_RANGE(BN_SETFOCUS, Dlg::kAddButton, Dlg::kAddButton, &Dlg::OnFocusField)
    ON_CONTROL_RANGE(CBN_SETFOCUS, Dlg::kItemList, Dlg::kItemList, &Dlg::OnFocusField)
    ON_NOTIFY_RANGE(UDN_DELTAPOS, 2048, 2510, &Dlg::OnDeltaPos)
    ON_WM_MEASUREITEM()
END_MESSAGE_MAP()

CLineHatchPatternSettingDialog::CLineHatchPatternSettingDialog(CWnd* pParent)
    : CHatchPatternSettingDialogBase(IDD, pParent)
{
}

CLineHatchPatternSettingDialog::~CLineHatchPatternSettingDialog() = default;

CString CLineHatchPatternSettingDialog::ItemText(int nIndex) const
{
    CString text;
    text.Format(LoadSettingsString(kItemFormat), nIndex + 1);
    return text;
}

int CLineHatchPatternSettingDialog::GetCurrentItem() const
{
    if (m_itemList.GetSafeHwnd() == nullptr)
        return -1;
    const int nIndex = m_itemList.GetCurSel();
    return nIndex >= 0 && nIndex < m_pattern.GetLineItemCount() ? nIndex : -1;
}

void CLineHatchPatternSettingDialog::DoDataExchange(CDataExchange* pDX)
{
    CHatchPatternSettingDialogBase::DoDataExchange(pDX);
    DDX_Control(pDX, kItemList, m_itemList);
    DDX_Control(pDX, kColorList, m_colorList);
    DDX_Control(pDX, kLineTypeList, m_lineTypeList);
    DDX_Control(pDX, kLineWidthList, m_lineWidthList);
    for (int i = 0; i < 4; ++i) {
        DDX_Control(pDX, kEditIds[i], m_edits[i]);
        DDX_Control(pDX, kSpinIds[i], m_spins[i]);
    }
    DDX_Text(pDX, kNameEdit, m_strName);
    DDX_DoubleEditDouble(pDX, kOriginXEdit, m_dOriginX, -kLargest, kLargest, FALSE, FALSE, FALSE);
    DDX_DoubleEditDouble(pDX, kOriginYEdit, m_dOriginY, -kLargest, kLargest, FALSE, FALSE, FALSE);
    DDX_DoubleEditDouble(pDX, kAngleEdit, m_dAngle, 0.0, 360.0, TRUE, TRUE, FALSE);
    DDX_DoubleEditDouble(pDX, kSpaceEdit, m_dSpace, 0.0, kLargest, TRUE, FALSE, FALSE);
}

BOOL CLineHatchPatternSettingDialog::OnInitDialog()
{
    m_strName = m_pattern.GetPatternName();
    CHatchPatternSettingDialogBase::OnInitDialog();
    static const int kKinds[4] = {0, 0, 3, 1};
    for (int i = 0; i < 4; ++i)
        m_edits[i].SetValueKind(kKinds[i]);
    m_edits[0].m_bAllowNegative = TRUE;
    m_edits[1].m_bAllowNegative = TRUE;

    short nLayerColor = kNoLayerValue, nLayerLineType = kNoLayerValue, nLayerLineWidth = kNoLayerValue;
    const long nLayer = m_pDocument != nullptr ? m_pDocument->GetCurrentLayerID() : -1;
    if (nLayer != -1 && m_pDocument->GetLayerTable() != nullptr) {
        nLayerColor = m_pDocument->GetLayerTable()->GetLayerColorNo(nLayer);
        nLayerLineType = m_pDocument->GetLayerTable()->GetLayerLineTypeNo(nLayer);
        nLayerLineWidth = m_pDocument->GetLayerTable()->GetLayerLineWidthNo(nLayer);
    }
    m_colorList.SetColorTable(m_pDocument != nullptr ? m_pDocument->GetColorFeatureTable() : nullptr);
    m_colorList.SetLayerColorNo(nLayerColor);
    m_lineTypeList.SetLineTypeTable(m_pDocument != nullptr ? m_pDocument->GetLineTypeFeatureTable() : nullptr, TRUE);
    m_lineTypeList.SetLayerLineTypeNo(nLayerLineType);
    m_lineWidthList.SetLineWidthTable(m_pDocument != nullptr ? m_pDocument->GetLineWidthFeatureTable() : nullptr, TRUE);
    m_lineWidthList.SetLayerLineWidthNo(nLayerLineWidth);

    for (int i = 0; i < m_pattern.GetLineItemCount(); ++i)
        m_itemList.AddString(ItemText(i));
    if (m_bNewPattern)
        OnAdd();
    if (m_pattern.GetLineItemCount() > 0) {
        m_itemList.SetCurSel(0);
        LoadItem(0);
        EnableItemControls(TRUE);
    } else {
        UpdateData(FALSE);
        EnableItemControls(FALSE);
    }
    InitPreviewAndHelp();
    if (CWnd* pOK = GetDlgItem(IDOK))
        pOK->EnableWindow(m_pattern.GetLineItemCount() > 0);
    return TRUE;
}

void CLineHatchPatternSettingDialog::LoadItem(int nIndex)
{
    if (nIndex < 0 || nIndex >= m_pattern.GetLineItemCount())
        return;
    const LineHatchPatternLineItem& item = m_pattern.GetLineItem(nIndex);
    m_colorList.SetColorNo(item.GetColorNo());
    m_lineTypeList.SetLineTypeNo(item.GetLineTypeNo());
    m_lineWidthList.SetLineWidthNo(item.GetLineWidthNo());
    m_dOriginX = item.GetPoint().X();
    m_dOriginY = item.GetPoint().Y();
    m_dAngle = item.GetAngle();
    m_dSpace = item.GetSpace();
    UpdateData(FALSE);
}

void CLineHatchPatternSettingDialog::EnableItemControls(BOOL bEnable)
{
    for (int nID : {kItemList, kColorList, kLineTypeList, kLineWidthList, kOriginXEdit, kOriginYEdit, kAngleEdit,
                    kSpaceEdit, 2508, 2509, 2048, 2510, kDeleteButton, static_cast<int>(IDOK)})
        if (CWnd* pWnd = GetDlgItem(nID))
            pWnd->EnableWindow(bEnable);
}

BOOL CLineHatchPatternSettingDialog::CommitFields()
{
    if (!ReadFields())
        return FALSE;
    const int nIndex = GetCurrentItem();
    if (nIndex >= 0) {
        m_pattern.SetLinePoint(nIndex, RuVaPnt2d(m_dOriginX, m_dOriginY));
        m_pattern.SetLineAngle(nIndex, m_dAngle);
        m_pattern.SetLineSpace(nIndex, m_dSpace);
    }
    return TRUE;
}

void CLineHatchPatternSettingDialog::OnAdd()
{
    if (m_itemList.GetSafeHwnd() != nullptr && m_pattern.GetLineItemCount() > 0 && !CommitFields())
        return;
    if (m_pattern.GetLineItemCount() >= kMaxItems) {
        AfxMessageBox(kMsgTooManyItems, MB_OK | MB_ICONEXCLAMATION);
        return;
    }
    const int nIndex = m_pattern.AddLineItem(LineHatchPatternLineItem());
    if (nIndex < 0)
        return;
    m_itemList.AddString(ItemText(nIndex));
    m_itemList.SetCurSel(nIndex);
    LoadItem(nIndex);
    if (m_pattern.GetLineItemCount() == 1)
        EnableItemControls(TRUE);
    MarkPreviewOutdated();
}

void CLineHatchPatternSettingDialog::OnDelete()
{
    const int nIndex = GetCurrentItem();
    if (nIndex < 0)
        return;
    m_pattern.DeleteLineItem(nIndex);
    m_itemList.DeleteString(nIndex);
    for (int i = nIndex; i < m_itemList.GetCount(); ++i) {
        m_itemList.DeleteString(i);
        m_itemList.InsertString(i, ItemText(i));
    }
    const int nCount = m_pattern.GetLineItemCount();
    if (nCount == 0) {
        m_itemList.SetCurSel(-1);
        EnableItemControls(FALSE);
    } else {
        const int nNext = nIndex < nCount ? nIndex : nCount - 1;
        m_itemList.SetCurSel(nNext);
        LoadItem(nNext);
    }
    MarkPreviewOutdated();
}

void CLineHatchPatternSettingDialog::OnSelectItem()
{
    if (!UpdateData(TRUE))
        return;
    LoadItem(GetCurrentItem());
}

void CLineHatchPatternSettingDialog::OnSelectAttribute(UINT nID)
{
    if (!UpdateData(TRUE))
        return;
    const int nIndex = GetCurrentItem();
    if (nIndex < 0)
        return;
    switch (nID) {
    case kColorList: m_pattern.SetLineColorNo(nIndex, m_colorList.GetColorNo()); break;
    case kLineTypeList: m_pattern.SetLineTypeNo(nIndex, m_lineTypeList.GetLineTypeNo()); break;
    case kLineWidthList: m_pattern.SetLineWidthNo(nIndex, m_lineWidthList.GetLineWidthNo()); break;
    default: return;
    }
    MarkPreviewOutdated();
}

void CLineHatchPatternSettingDialog::OnFocusField(UINT)
{
    if (IsFocusToRead() && CommitFields())
        MarkPreviewOutdated();
}

void CLineHatchPatternSettingDialog::OnDeltaPos(UINT nID, NMHDR* pNMHDR, LRESULT* pResult)
{
    *pResult = 0;
    int nField = -1;
    for (int i = 0; i < 4; ++i)
        if (static_cast<int>(nID) == kSpinIds[i])
            nField = i;
    if (nField < 0)
        return;
    m_edits[nField].OnDeltaPos(reinterpret_cast<NMUPDOWN*>(pNMHDR));
    if (!UpdateData(TRUE))
        return;
    const int nIndex = GetCurrentItem();
    if (nIndex < 0)
        return;
    switch (nField) {
    case 0: case 1: m_pattern.SetLinePoint(nIndex, RuVaPnt2d(m_dOriginX, m_dOriginY)); break;
    case 2: m_pattern.SetLineAngle(nIndex, m_dAngle); break;
    default: m_pattern.SetLineSpace(nIndex, m_dSpace); break;
    }
    MarkPreviewOutdated();
}

void CLineHatchPatternSettingDialog::OnMeasureItem(int nIDCtl, LPMEASUREITEMSTRUCT lpMeasureItemStruct)
{
    if (lpMeasureItemStruct != nullptr && nIDCtl >= kColorList && nIDCtl <= kLineWidthList) {
        const int height = DialogRowHeight(this);
        if (height > 0)
            lpMeasureItemStruct->itemHeight = static_cast<UINT>(height);
    }
    CHatchPatternSettingDialogBase::OnMeasureItem(nIDCtl, lpMeasureItemStruct);
}

void CLineHatchPatternSettingDialog::OnOK()
{
    if (!CommitFields() || GetCurrentItem() < 0 || !CheckName(FALSE))
        return;
    m_pattern.SetPatternName(m_strName);
    CDialog::OnOK();
}
