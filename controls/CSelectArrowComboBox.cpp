#include "controls/CSelectArrowComboBox.h"

#include "controls/SymbolPainters.h"
#include "platform/gdi/CDC.h"
#include "platform/gdi/CFont.h"
#include "platform/win/WinCtrlConstants.h"

IMPLEMENT_DYNAMIC(CSelectArrowComboBox, CComboBox)

CSelectArrowComboBox::CSelectArrowComboBox() = default;
CSelectArrowComboBox::~CSelectArrowComboBox() = default;

void CSelectArrowComboBox::DrawItem(LPDRAWITEMSTRUCT lpDrawItemStruct)
{
    if (lpDrawItemStruct == nullptr || static_cast<int>(lpDrawItemStruct->itemID) < 0 ||
        static_cast<int>(lpDrawItemStruct->itemID) >= GetCount())
        return;
    CDC* pDC = CDC::FromHandle(lpDrawItemStruct->hDC);
    if (pDC == nullptr)
        return;
    // Without a readable font the painter takes its own family.
    LOGFONTW logFont{};
    const LOGFONTW* pFont = nullptr;
    if (CFont* pCombo = GetFont(); pCombo != nullptr && pCombo->GetLogFont(&logFont) != 0)
        pFont = &logFont;
    const BOOL bSelected = (lpDrawItemStruct->itemState & ODS_SELECTED) != 0;
    const BOOL bDisabled = (lpDrawItemStruct->itemState & ODS_DISABLED) != 0;
    DrawArrowItem(pDC, pFont, &lpDrawItemStruct->rcItem, static_cast<int>(lpDrawItemStruct->itemID), bSelected, bDisabled, TRUE, TRUE, TRUE);
}
