#include "command/PropertyListItem.h"

#include <algorithm>
#include <memory>
#include <vector>

#include "command/AngleParameterItem.h"
#include "command/AttributeNumberParameterItem.h"
#include "command/CPropertyListCtrl.h"
#include "command/ColorParameterItem.h"
#include "command/DoubleParameterItem.h"
#include "command/DrawComponentParameterItem.h"
#include "command/DrawingParameterItem.h"
#include "command/FeatureGroupParameterItem.h"
#include "command/FeatureSequenceListParameterItem.h"
#include "command/IntegerParameterItem.h"
#include "command/LayerParameterItem.h"
#include "command/LengthParameterItem.h"
#include "command/LineTypeParameterItem.h"
#include "command/LineWidthParameterItem.h"
#include "command/ListParameterItem.h"
#include "command/LoadResourceString.h"
#include "command/MultiParameterItem.h"
#include "command/NumericFormat.h"
#include "command/ParameterHistory.h"
#include "command/PickedFeaturesParameterItem.h"
#include "command/PointArrayParameterItem.h"
#include "command/PointParameterItem.h"
#include "command/ScaleParameterItem.h"
#include "command/TextParameterItem.h"
#include "command/ToleranceParameterItem.h"
#include "controls/CSelectColorComboBox.h"
#include "controls/CSelectLineTypeComboBox.h"
#include "controls/CSelectLineWidthComboBox.h"
#include "controls/SamplePainters.h"
#include "libs/vevure/ColorFeatureTable.h"
#include "libs/vevure/Draw2dDocument.h"
#include "libs/vevure/DrawComponent2dFeatureDefine.h"
#include "libs/vevure/DrawComponent2dFeatureDefineTable.h"
#include "libs/vevure/DrawingFeatureBase.h"
#include "libs/vevure/LayerFeatureTable.h"
#include "libs/vevure/LineTypeFeatureTable.h"
#include "libs/vevure/LineWidthFeatureTable.h"
#include "libs/vevure/NumericCharConverter.h"
#include "libs/vevure/PartDrawingLayout.h"
#include "libs/ruva/RuVaPnt2d.h"
#include "platform/bcg/CBCGPButton.h"
#include "platform/bcg/CBCGPKeyboardManager.h"
#include "platform/gdi/CDC.h"
#include "platform/gdi/CFont.h"
#include "platform/win/CComboBox.h"
#include "platform/win/CEdit.h"
#include "platform/win/CFrameWnd.h"
#include "platform/win/CImageList.h"
#include "platform/win/CWinApp.h"
#include "platform/win/WinSystem.h"

using namespace QZ2Command;

IMPLEMENT_DYNCREATE(PropertyListItem, CObject)

namespace {

constexpr UINT kEmptyNumber = 32767;
constexpr int kArrowWidth = 15;
constexpr int kArrowHeight = 16;

}  // namespace

PropertyListItem::Services& PropertyListItem::GetServices()
{
    static Services services;
    return services;
}

PropertyListItem::PropertyListItem() = default;

PropertyListItem::PropertyListItem(const PropertyListItem& other) : CObject()
{
    CopyFrom(other);
}

PropertyListItem::~PropertyListItem()
{
    delete m_pValueItem;
}

int PropertyListItem::TypeCode() const
{
    return m_pValueItem != nullptr ? m_pValueItem->GetTypeCode() : 0;
}

PropertyListItem* PropertyListItem::Clone() const
{
    auto* pClone = static_cast<PropertyListItem*>(GetRuntimeClass()->CreateObject());
    if (pClone != nullptr)
        pClone->CopyFrom(*this);
    return pClone;
}

void PropertyListItem::CopyFrom(const PropertyListItem& other)
{
    if (&other == this)
        return;
    SetValueItem(other.m_pValueItem);
    m_bHasPrevious = other.m_bHasPrevious;
    m_bHasNext = other.m_bHasNext;
    m_nIndentLevel = other.m_nIndentLevel;
    m_bHeader = other.m_bHeader;
    m_strCaption = other.m_strCaption;
    m_bSelected = other.m_bSelected;
    m_pList = other.m_pList;
    // The editor window stays with the row that made it: a copy never refers to it, so a clone
    // sent with a notification cannot outlive or destroy the list's editor.
}

BOOL PropertyListItem::SetIndentLevel(int nLevel)
{
    if (nLevel < 0)
        return FALSE;
    m_nIndentLevel = nLevel;
    return TRUE;
}

void PropertyListItem::SetValueItem(const ParameterItemBase* pItem)
{
    ParameterItemBase* pNew = pItem != nullptr ? pItem->Clone() : nullptr;
    delete m_pValueItem;
    m_pValueItem = pNew;
}

// ---- texts ---------------------------------------------------------------------------------------

CString PropertyListItem::GetCaption() const
{
    if (m_pValueItem == nullptr)
        return m_strCaption;
    CString caption = m_pValueItem->m_strCaption;
    if (m_pValueItem->m_bOptional && !caption.IsEmpty())
        caption = CString(u"(") + caption + CString(u")");
    return caption;
}

CString PropertyListItem::GetValueText() const
{
    CString text;
    if (m_bHeader || m_pValueItem == nullptr)
        return text;
    const ParameterItemBase* pItem = m_pValueItem;
    // Empty items show an empty cell (how differing values of several objects show), except the
    // point list, whose count stays in view.
    if (pItem->IsEmpty() && pItem->GetTypeCode() != ParameterItemBase::typePointArray)
        return text;
    switch (pItem->GetTypeCode()) {
    case ParameterItemBase::typeDouble:
        if (auto* p = dynamic_cast<const DoubleParameterItem*>(pItem))
            text = p->FormatValue();
        break;
    case ParameterItemBase::typeInteger:
        if (auto* p = dynamic_cast<const IntegerParameterItem*>(pItem))
            text = p->FormatValue();
        break;
    case ParameterItemBase::typeLength:
        if (auto* p = dynamic_cast<const LengthParameterItem*>(pItem))
            text = p->GetDisplayText();
        else if (auto* d = dynamic_cast<const DoubleParameterItem*>(pItem))
            text = d->FormatValue();
        break;
    case ParameterItemBase::typeAngle:
        if (auto* p = dynamic_cast<const AngleParameterItem*>(pItem))
            text = p->GetDisplayText();
        else if (auto* d = dynamic_cast<const DoubleParameterItem*>(pItem))
            text = d->FormatValue();
        break;
    case ParameterItemBase::typeText:
        if (auto* p = dynamic_cast<const TextParameterItem*>(pItem))
            text = p->m_strText;
        break;
    case ParameterItemBase::typeTolerance:
        if (auto* p = dynamic_cast<const ToleranceParameterItem*>(pItem))
            text = p->m_strText;
        break;
    case ParameterItemBase::typeList:
        if (auto* p = dynamic_cast<const ListParameterItem*>(pItem))
            text = p->GetItemText(p->m_nSelected);
        break;
    case ParameterItemBase::typeScale:
        if (auto* p = dynamic_cast<const ScaleParameterItem*>(pItem))
            p->GetValueText(text);
        break;
    case ParameterItemBase::typePoint:
        if (auto* p = dynamic_cast<const PointParameterItem*>(pItem))
            p->GetValueText(text);
        break;
    case ParameterItemBase::typePointArray:
        if (auto* p = dynamic_cast<const PointArrayParameterItem*>(pItem))
            text.Format(u"%d :", p->GetCount());
        break;
    case ParameterItemBase::typeFeatureList:
    case ParameterItemBase::typeFeatureSequence:
        if (auto* p = dynamic_cast<const PickedFeaturesParameterItem*>(pItem); p != nullptr && p->GetCount() > 0)
            text.Format(LoadResourceString(10339), p->GetCount());
        break;
    case ParameterItemBase::typeFeatureSequenceList:
        if (auto* p = dynamic_cast<const FeatureSequenceListParameterItem*>(pItem)) {
            const int sequences = p->GetSequenceCount();
            if (sequences > 0 && !p->IsLastSequenceClosed() && p->GetLastSequenceCount() > 0)
                text.Format(LoadResourceString(10340), sequences - 1, p->GetLastSequenceCount());
            else if (sequences > 0)
                text.Format(LoadResourceString(10339), sequences);
        }
        break;
    case ParameterItemBase::typeFeatureGroup:
        if (auto* p = dynamic_cast<const FeatureGroupParameterItem*>(pItem); p != nullptr && p->m_allFeatures.GetCount() > 0)
            text.Format(LoadResourceString(10339), static_cast<int>(p->m_allFeatures.GetCount()));
        break;
    case ParameterItemBase::typeLayer:
        if (auto* p = dynamic_cast<const LayerParameterItem*>(pItem)) {
            const LayerFeatureTable* pTable = p->m_pDocument != nullptr ? p->m_pDocument->GetLayerTable() : nullptr;
            if (pTable != nullptr && pTable->IsExistLayerID(p->m_nLayerID))
                text = pTable->GetLayerName(p->m_nLayerID);
            else if (p->m_nLayerID == 0)
                text = LoadResourceString(10230);
        }
        break;
    case ParameterItemBase::typeDrawing:
        if (auto* p = dynamic_cast<const DrawingParameterItem*>(pItem)) {
            if (p->m_pLayout != nullptr)
                text = p->m_pLayout->GetLayoutName();
            else if (p->m_pDrawing != nullptr)
                text = p->m_pDrawing->GetDrawingName();
        }
        break;
    case ParameterItemBase::typeDrawComponent:
        if (auto* p = dynamic_cast<const DrawComponentParameterItem*>(pItem); p != nullptr && p->m_pTable != nullptr)
            text = p->m_pTable->GetComponentDefineName(p->m_nComponentID);
        break;
    case ParameterItemBase::typeMulti:
        if (auto* p = dynamic_cast<const MultiParameterItem*>(pItem)) {
            const ParameterItemBase* pActive = p->GetActiveItem();
            if (auto* pPoint = dynamic_cast<const PointParameterItem*>(pActive)) {
                pPoint->GetValueText(text);
            } else if (auto* pNumber = dynamic_cast<const DoubleParameterItem*>(pActive)) {
                // An angle shows in the angle format, not as a length.
                if (p->m_nCurrentKind == ParameterItemBase::typeAngle && !pNumber->IsEmpty()) {
                    double value = 0.0;
                    if (pNumber->GetValue(value))
                        NumericFormat::AngleToString(value, text);
                } else {
                    text = pNumber->FormatValue();
                }
            }
        }
        break;
    default:
        break;
    }
    return text;
}

CString PropertyListItem::GetShortcutText() const
{
    UINT nCommand = 0;
    switch (TypeCode()) {
    case ParameterItemBase::typeLength: nCommand = 37106; break;
    case ParameterItemBase::typeAngle: nCommand = 37107; break;
    case ParameterItemBase::typeScale: nCommand = 37108; break;
    case ParameterItemBase::typeText: nCommand = 37109; break;
    default: return CString();
    }
    // The list's top-level frame, then the main window; in each its own table, then its active frame's.
    std::vector<CFrameWnd*> frames;
    if (m_pList != nullptr && m_pList->GetSafeHwnd() != nullptr)
        frames.push_back(dynamic_cast<CFrameWnd*>(m_pList->GetTopLevelParent()));
    frames.push_back(dynamic_cast<CFrameWnd*>(AfxGetMainWnd()));
    CString key;
    BOOL bFound = FALSE;
    for (CFrameWnd* pFrame : frames) {
        if (pFrame == nullptr || bFound)
            continue;
        bFound = CBCGPKeyboardManager::FindDefaultAccelerator(nCommand, key, pFrame, TRUE);
        if (!bFound) {
            CFrameWnd* pActive = pFrame->GetActiveFrame();
            bFound = pActive != nullptr && pActive != pFrame &&
                     CBCGPKeyboardManager::FindDefaultAccelerator(nCommand, key, pActive, FALSE);
        }
    }
    if (!bFound)
        return CString();
    return key.IsEmpty() ? CString() : CString(u"(") + key + CString(u")");
}

BOOL PropertyListItem::IsEditable() const
{
    return m_pValueItem != nullptr ? m_pValueItem->m_bRequired : TRUE;
}

BOOL PropertyListItem::IsValueGiven() const
{
    if (m_pList == nullptr || !m_pList->m_bEmphasizeGiven || m_pValueItem == nullptr || m_pValueItem->IsEmpty())
        return FALSE;
    switch (TypeCode()) {
    case ParameterItemBase::typePointArray:
        return static_cast<const PointArrayParameterItem*>(m_pValueItem)->m_bFinished;
    case ParameterItemBase::typeFeatureList:
    case ParameterItemBase::typeFeatureSequence:
        if (auto* p = dynamic_cast<const PickedFeaturesParameterItem*>(m_pValueItem))
            return p->m_bFinished;
        return FALSE;
    case ParameterItemBase::typeFeatureSequenceList:
        if (auto* p = dynamic_cast<const FeatureSequenceListParameterItem*>(m_pValueItem))
            return p->m_bFinished;
        return FALSE;
    default:
        return TRUE;
    }
}

BOOL PropertyListItem::IsTypedType() const
{
    switch (TypeCode()) {
    case ParameterItemBase::typeDouble:
    case ParameterItemBase::typeLength:
    case ParameterItemBase::typeAngle:
    case ParameterItemBase::typeInteger:
    case ParameterItemBase::typeScale:
    case ParameterItemBase::typePoint:
    case ParameterItemBase::typePointArray:
    case ParameterItemBase::typeMulti:
        return TRUE;
    default:
        return FALSE;
    }
}

BOOL PropertyListItem::IsEditedInDialog() const
{
    if (auto* p = dynamic_cast<const TextParameterItem*>(m_pValueItem); p != nullptr && TypeCode() == ParameterItemBase::typeText)
        return p->m_bEditInDialog;
    if (auto* p = dynamic_cast<const ToleranceParameterItem*>(m_pValueItem))
        return p->m_pDocument != nullptr;
    return FALSE;
}

int PropertyListItem::GetHistoryType() const
{
    if (m_pValueItem == nullptr || !m_pValueItem->m_bHistory)
        return 0;
    if (auto* p = dynamic_cast<const MultiParameterItem*>(m_pValueItem)) {
        if (p->m_wKindMask & 0x4)
            return ParameterItemBase::typeLength;
        if (p->m_wKindMask & 0x8)
            return ParameterItemBase::typeAngle;
    }
    return TypeCode();
}

// ---- painting ------------------------------------------------------------------------------------

void PropertyListItem::DrawCaption(CDC* pDC, const CRect& rect)
{
    if (pDC == nullptr)
        return;
    const BOOL bArrows = m_pList != nullptr && m_pList->m_bShowArrows;
    int x = rect.left;
    const int arrowTop = rect.top + (rect.Height() - kArrowHeight) / 2;
    CImageList* pImages = bArrows ? m_pList->GetArrowImages() : nullptr;
    auto drawArrow = [&](int nImage) {
        if (pImages != nullptr && pImages->GetSafeHandle() != nullptr)
            pImages->Draw(pDC, nImage, CPoint(x, arrowTop), ILD_TRANSPARENT);
    };
    if (!(bArrows && (m_bHasPrevious || m_bHasNext)))
        x += 2;
    int right = rect.right;
    if (bArrows) {
        if (m_bHasPrevious)
            drawArrow(0);
        x += kArrowWidth;
        right -= kArrowWidth;
    }
    const CString caption = GetCaption();
    if (!caption.IsEmpty()) {
        CFont* pOld = nullptr;
        if ((IsValueGiven() || m_bHeader) && m_pList != nullptr && m_pList->GetBoldFont() != nullptr)
            pOld = pDC->SelectObject(m_pList->GetBoldFont());
        CRect rc(x, rect.top, std::max(x, right), rect.bottom);
        pDC->DrawText(caption, &rc, DT_SINGLELINE | DT_VCENTER | DT_NOPREFIX | DT_END_ELLIPSIS);
        CRect measured(x, rect.top, std::max(x, right), rect.bottom);
        pDC->DrawText(caption, &measured, DT_SINGLELINE | DT_VCENTER | DT_NOPREFIX | DT_CALCRECT);
        x = std::min(static_cast<int>(measured.right), std::max(x, right));
        if (pOld != nullptr)
            pDC->SelectObject(pOld);
    }
    if (bArrows && m_bHasNext)
        drawArrow(1);
}

void PropertyListItem::DrawValue(CDC* pDC, const CRect& rect)
{
    if (pDC == nullptr || m_bHeader || m_pValueItem == nullptr)
        return;
    const BOOL bDisabled = !IsEditable();
    CFont* pFont = pDC->GetCurrentFont();
    switch (TypeCode()) {
    case ParameterItemBase::typeColor: {
        auto* p = dynamic_cast<const ColorParameterItem*>(m_pValueItem);
        if (p == nullptr || p->m_wNumber == 0xFFFF)
            return;
        const ColorFeature* pColor = p->m_wNumber != 0 && p->m_pTable != nullptr
                                         ? p->m_pTable->GetColor(static_cast<short>(p->m_wNumber))
                                         : nullptr;
        DrawColorItem(pDC, pFont, &rect, p->m_wNumber, pColor, FALSE, bDisabled, FALSE, TRUE, TRUE, FALSE, FALSE);
        return;
    }
    case ParameterItemBase::typeLineType: {
        auto* p = dynamic_cast<const LineTypeParameterItem*>(m_pValueItem);
        if (p == nullptr || p->m_wNumber == 0xFFFF)
            return;
        const LineTypeFeature* pType =
            p->m_pTable != nullptr ? p->m_pTable->GetLineTypeByNo(static_cast<short>(p->m_wNumber)) : nullptr;
        const BOOL bMany = p->m_pTable != nullptr && p->m_pTable->GetLineTypeSize() > 15;
        DrawLineTypeItem(pDC, pFont, &rect, p->m_wNumber, pType, FALSE, bDisabled, FALSE, TRUE, TRUE, TRUE, FALSE,
                         FALSE, FALSE, bMany, 0);
        return;
    }
    case ParameterItemBase::typeLineWidth: {
        auto* p = dynamic_cast<const LineWidthParameterItem*>(m_pValueItem);
        if (p == nullptr || p->m_wNumber == 0xFFFF)
            return;
        const LineWidthFeature* pWidth = p->m_wNumber != 0 && p->m_pTable != nullptr
                                             ? p->m_pTable->GetLineWidthFeature(static_cast<short>(p->m_wNumber))
                                             : nullptr;
        DrawLineWidthItem(pDC, pFont, &rect, p->m_wNumber, pWidth, FALSE, bDisabled, FALSE, TRUE, TRUE, TRUE, FALSE,
                          FALSE, FALSE, FALSE, 0);
        return;
    }
    case ParameterItemBase::typeSetting:
    case ParameterItemBase::typeImageSetting:
    case ParameterItemBase::typeFilePath:
        return;
    default: {
        const CString text = GetValueText();
        if (!text.IsEmpty()) {
            CRect rc = rect;
            pDC->DrawText(text, &rc, DT_SINGLELINE | DT_VCENTER | DT_NOPREFIX | DT_EDITCONTROL);
        }
        return;
    }
    }
}

CRect PropertyListItem::CalcCaptionRect(CDC* pDC, const CRect& rect, BOOL bWithShortcut)
{
    CString text = GetCaption();
    if (pDC == nullptr || text.IsEmpty())
        return CRect(0, 0, 0, 0);
    if (bWithShortcut) {
        const CString shortcut = GetShortcutText();
        if (!shortcut.IsEmpty())
            text += CString(u" ") + shortcut;
    }
    const BOOL bArrows = m_pList != nullptr && m_pList->m_bShowArrows;
    CRect rc(rect.left + (bArrows ? kArrowWidth : 2), rect.top, rect.right - (bArrows ? kArrowWidth : 0), rect.bottom);
    CFont* pOld = nullptr;
    if ((IsValueGiven() || m_bHeader) && m_pList != nullptr && m_pList->GetBoldFont() != nullptr)
        pOld = pDC->SelectObject(m_pList->GetBoldFont());
    pDC->DrawText(text, &rc, DT_CALCRECT | DT_SINGLELINE | DT_VCENTER | DT_NOPREFIX);
    if (pOld != nullptr)
        pDC->SelectObject(pOld);
    return rc;
}

CRect PropertyListItem::CalcValueRect(CDC* pDC, const CRect& rect)
{
    const CString text = GetValueText();
    if (pDC == nullptr || text.IsEmpty())
        return CRect(0, 0, 0, 0);
    CRect rc = rect;
    pDC->DrawText(text, &rc, DT_CALCRECT | DT_SINGLELINE | DT_EDITCONTROL | DT_NOPREFIX);
    return rc;
}

// ---- the editor ----------------------------------------------------------------------------------

CWnd* PropertyListItem::CreateEditor()
{
    if (m_bHeader || !IsEditable() || m_pValueItem == nullptr || m_pList == nullptr || m_pList->GetSafeHwnd() == nullptr)
        return nullptr;
    const CRect none(0, 0, 0, 0);
    const DWORD child = WS_CHILD | WS_TABSTOP;
    CWnd* pEditor = nullptr;
    EditorKind kind = editorNone;
    auto makeTyped = [&]() {
        if (m_pValueItem->m_bHistory) {
            auto* pCombo = new CComboBox;
            if (pCombo->Create(child | CBS_DROPDOWN | CBS_AUTOHSCROLL | WS_VSCROLL, none, m_pList, kComboId)) {
                pEditor = pCombo;
                kind = editorHistoryCombo;
            } else {
                delete pCombo;
            }
        } else {
            auto* pEdit = new CEdit;
            if (pEdit->Create(child | ES_AUTOHSCROLL, none, m_pList, kEditId)) {
                pEditor = pEdit;
                kind = editorEdit;
            } else {
                delete pEdit;
            }
        }
    };
    auto makeButton = [&]() {
        auto* pButton = new CBCGPButton;
        if (pButton->Create(u"...", WS_CHILD | BS_PUSHBUTTON, none, m_pList, kButtonId)) {
            pEditor = pButton;
            kind = editorButton;
        } else {
            delete pButton;
        }
    };
    switch (TypeCode()) {
    case ParameterItemBase::typeDouble:
    case ParameterItemBase::typeLength:
    case ParameterItemBase::typeAngle:
    case ParameterItemBase::typeInteger:
    case ParameterItemBase::typeScale:
    case ParameterItemBase::typePoint:
    case ParameterItemBase::typePointArray:
    case ParameterItemBase::typeMulti:
        makeTyped();
        break;
    case ParameterItemBase::typeText:
    case ParameterItemBase::typeTolerance:
        if (IsEditedInDialog())
            makeButton();
        else
            makeTyped();
        break;
    case ParameterItemBase::typeList: {
        auto* pCombo = new CComboBox;
        if (pCombo->Create(child | CBS_DROPDOWNLIST | CBS_AUTOHSCROLL | WS_VSCROLL, none, m_pList, kComboId)) {
            if (auto* p = dynamic_cast<const ListParameterItem*>(m_pValueItem))
                for (int i = 0; i < p->GetItemCount(); ++i)
                    pCombo->AddString(p->GetItemText(i));
            pEditor = pCombo;
            kind = editorListCombo;
        } else {
            delete pCombo;
        }
        break;
    }
    case ParameterItemBase::typeColor: {
        auto* pCombo = new CSelectColorComboBox(TRUE, TRUE, FALSE, TRUE);
        if (pCombo->Create(child | CBS_DROPDOWNLIST | CBS_OWNERDRAWFIXED | CBS_HASSTRINGS, none, m_pList, kComboId)) {
            pEditor = pCombo;
            kind = editorColor;
        } else {
            delete pCombo;
        }
        break;
    }
    case ParameterItemBase::typeLineType: {
        auto* pCombo = new CSelectLineTypeComboBox;
        if (pCombo->Create(child | CBS_DROPDOWNLIST | CBS_OWNERDRAWFIXED | CBS_HASSTRINGS | WS_VSCROLL | WS_HSCROLL,
                           none, m_pList, kComboId)) {
            auto* p = static_cast<const LineTypeParameterItem*>(m_pValueItem);
            pCombo->SetLineTypeTable(p->m_pTable, p->m_bShowByLayer);
            pCombo->SetLayerLineTypeNo(static_cast<short>(kEmptyNumber));
            pEditor = pCombo;
            kind = editorLineType;
        } else {
            delete pCombo;
        }
        break;
    }
    case ParameterItemBase::typeLineWidth: {
        auto* pCombo = new CSelectLineWidthComboBox;
        if (pCombo->Create(child | CBS_DROPDOWNLIST | CBS_OWNERDRAWFIXED | CBS_HASSTRINGS | WS_VSCROLL | WS_HSCROLL,
                           none, m_pList, kComboId)) {
            auto* p = static_cast<const LineWidthParameterItem*>(m_pValueItem);
            pCombo->SetLineWidthTable(p->m_pTable, p->m_bShowByLayer);
            pCombo->SetLayerLineWidthNo(static_cast<short>(kEmptyNumber));
            pEditor = pCombo;
            kind = editorLineWidth;
        } else {
            delete pCombo;
        }
        break;
    }
    case ParameterItemBase::typeLayer:
    case ParameterItemBase::typeDrawing:
        if (GetServices().pCreateComboEditor != nullptr) {
            pEditor = GetServices().pCreateComboEditor(*this, m_pList, kComboId);
            kind = pEditor != nullptr ? editorOther : editorNone;
        }
        break;
    case ParameterItemBase::typeSetting:
    case ParameterItemBase::typeImageSetting:
        makeButton();
        break;
    case ParameterItemBase::typeDrawComponent: {
        auto* pCombo = new CComboBox;
        if (pCombo->Create(child | CBS_DROPDOWNLIST | CBS_AUTOHSCROLL | CBS_SORT | WS_VSCROLL, none, m_pList, kComboId)) {
            pEditor = pCombo;
            kind = editorComponent;
        } else {
            delete pCombo;
        }
        break;
    }
    default:
        break;
    }
    if (pEditor == nullptr)
        return nullptr;
    if (CFont* pFont = m_pList->GetListFont())
        pEditor->SetFont(pFont, FALSE);
    m_pEditor = pEditor;
    m_nEditorKind = kind;
    if (m_pValueItem->m_bHistory && kind == editorHistoryCombo)
        FillHistory();
    return pEditor;
}

void PropertyListItem::DestroyEditor()
{
    CWnd* pEditor = m_pEditor;
    m_pEditor = nullptr;
    m_nEditorKind = editorNone;
    m_strLoadedText.Empty();
    m_bForcedModified = FALSE;
    if (pEditor == nullptr)
        return;
    if (pEditor->GetSafeHwnd() != nullptr)
        pEditor->DestroyWindow();
    delete pEditor;
}

BOOL PropertyListItem::FillHistory()
{
    auto* pCombo = dynamic_cast<CComboBox*>(m_pEditor);
    if (pCombo == nullptr || m_nEditorKind != editorHistoryCombo || m_pValueItem == nullptr || !m_pValueItem->m_bHistory)
        return FALSE;
    pCombo->SetRedraw(FALSE);
    pCombo->ResetContent();
    const int nType = GetHistoryType();
    ParameterHistory* pHistory = m_pList != nullptr ? m_pList->m_pParameterHistory : nullptr;
    if (pHistory != nullptr && nType != 0) {
        const int count = pHistory->GetCount(nType);
        for (int i = 0; i < count; ++i) {
            const ParameterItemBase* pStored = pHistory->GetAt(nType, i);
            if (pStored == nullptr)
                continue;
            PropertyListItem temporary;
            temporary.SetValueItem(pStored);
            const int entry = pCombo->AddString(temporary.GetValueText());
            if (entry >= 0)
                pCombo->SetItemData(entry, static_cast<DWORD_PTR>(i));
        }
    }
    pCombo->SetRedraw(TRUE);
    return TRUE;
}

void PropertyListItem::LoadTypedText()
{
    const CString text = GetValueText();
    if (auto* pCombo = dynamic_cast<CComboBox*>(m_pEditor)) {
        // The current value heads the list as an entry of its own (not a history entry).
        if (!text.IsEmpty() && pCombo->FindStringExact(-1, text) < 0) {
            const int entry = pCombo->InsertString(0, text);
            if (entry >= 0)
                pCombo->SetItemData(entry, static_cast<DWORD_PTR>(-1));
        }
        pCombo->SetWindowText(text);
        pCombo->SetEditSel(-1, 0);
    } else if (auto* pEdit = dynamic_cast<CEdit*>(m_pEditor)) {
        pEdit->SetWindowText(text);
        pEdit->SetModify(FALSE);
    }
    m_strLoadedText = text;
    m_bForcedModified = FALSE;
}

void PropertyListItem::UpdateEditor()
{
    if (m_pEditor == nullptr || m_pEditor->GetSafeHwnd() == nullptr || !IsEditable() || m_pValueItem == nullptr)
        return;
    switch (TypeCode()) {
    case ParameterItemBase::typeDouble:
    case ParameterItemBase::typeLength:
    case ParameterItemBase::typeAngle:
    case ParameterItemBase::typeInteger:
    case ParameterItemBase::typeScale:
    case ParameterItemBase::typePoint:
    case ParameterItemBase::typeMulti:
        LoadTypedText();
        break;
    case ParameterItemBase::typeText:
    case ParameterItemBase::typeTolerance:
        if (m_nEditorKind != editorButton) {
            const CString text = GetValueText();
            m_pEditor->SetWindowText(text);
            if (auto* pEdit = dynamic_cast<CEdit*>(m_pEditor))
                pEdit->SetModify(FALSE);
            m_strLoadedText = text;
            m_bForcedModified = FALSE;
        }
        break;
    case ParameterItemBase::typePointArray:
        // A point is typed as a new point to append.
        m_pEditor->SetWindowText(u"");
        if (auto* pEdit = dynamic_cast<CEdit*>(m_pEditor))
            pEdit->SetModify(FALSE);
        m_strLoadedText.Empty();
        m_bForcedModified = FALSE;
        break;
    case ParameterItemBase::typeList:
        if (auto* pCombo = dynamic_cast<CComboBox*>(m_pEditor)) {
            const auto* p = static_cast<const ListParameterItem*>(m_pValueItem);
            const int sel = p->IsEmpty() ? -1 : p->m_nSelected;
            if (pCombo->GetCurSel() != sel)
                pCombo->SetCurSel(sel);
        }
        break;
    case ParameterItemBase::typeColor:
        if (auto* pCombo = dynamic_cast<CSelectColorComboBox*>(m_pEditor)) {
            const auto* p = static_cast<const ColorParameterItem*>(m_pValueItem);
            pCombo->SetLayerButton(p->m_bShowByLayer);
            pCombo->SetColorTable(p->m_pTable);
            pCombo->SetLayerColorNo(static_cast<short>(kEmptyNumber));
            pCombo->SetColorNo(static_cast<short>(p->IsEmpty() ? kEmptyNumber : p->m_wNumber));
        }
        break;
    case ParameterItemBase::typeLineType:
        if (auto* pCombo = dynamic_cast<CSelectLineTypeComboBox*>(m_pEditor)) {
            const auto* p = static_cast<const LineTypeParameterItem*>(m_pValueItem);
            const short number = static_cast<short>(p->IsEmpty() ? kEmptyNumber : p->m_wNumber);
            if (pCombo->GetLineTypeNo() != number)
                pCombo->SetLineTypeNo(number);
        }
        break;
    case ParameterItemBase::typeLineWidth:
        if (auto* pCombo = dynamic_cast<CSelectLineWidthComboBox*>(m_pEditor)) {
            const auto* p = static_cast<const LineWidthParameterItem*>(m_pValueItem);
            const short number = static_cast<short>(p->IsEmpty() ? kEmptyNumber : p->m_wNumber);
            if (pCombo->GetLineWidthNo() != number)
                pCombo->SetLineWidthNo(number);
        }
        break;
    case ParameterItemBase::typeDrawComponent:
        if (auto* pCombo = dynamic_cast<CComboBox*>(m_pEditor)) {
            const auto* p = static_cast<const DrawComponentParameterItem*>(m_pValueItem);
            pCombo->ResetContent();
            if (p->m_pTable != nullptr) {
                for (int i = 0; i < p->m_pTable->GetComponentDefineCount(); ++i) {
                    const DrawComponent2dFeatureDefine* pDefine = p->m_pTable->GetComponentDefineByIndex(i);
                    if (pDefine == nullptr)
                        continue;
                    const int entry = pCombo->AddString(pDefine->GetComponentName());
                    if (entry >= 0)
                        pCombo->SetItemData(entry, static_cast<DWORD_PTR>(pDefine->GetComponentId()));
                }
            }
            if (!p->IsEmpty())
                for (int i = 0; i < pCombo->GetCount(); ++i)
                    if (static_cast<int>(pCombo->GetItemData(i)) == p->m_nComponentID)
                        pCombo->SetCurSel(i);
        }
        break;
    default:
        break;
    }
}

void PropertyListItem::MoveEditor(const CRect& rcValue)
{
    if (m_pEditor == nullptr || m_pEditor->GetSafeHwnd() == nullptr)
        return;
    CRect rc = rcValue;
    switch (m_nEditorKind) {
    case editorButton:
        rc.left = std::max(rc.left, rc.right - rc.Height());
        m_pEditor->MoveWindow(&rc, TRUE);
        return;
    case editorEdit:
        if (TypeCode() == ParameterItemBase::typePointArray) {
            // The painted count ("%d :") stays visible to the left of the new point.
            CDC* pDC = m_pEditor->GetDC();
            TEXTMETRIC tm{};
            if (pDC != nullptr) {
                CFont* pOld = m_pList != nullptr && m_pList->GetListFont() != nullptr ? pDC->SelectObject(m_pList->GetListFont()) : nullptr;
                pDC->GetTextMetrics(&tm);
                if (pOld != nullptr)
                    pDC->SelectObject(pOld);
                m_pEditor->ReleaseDC(pDC);
            }
            rc.left = std::min(static_cast<long>(rc.right), static_cast<long>(rc.left + 5 * tm.tmAveCharWidth));
        }
        m_pEditor->MoveWindow(&rc, TRUE);
        return;
    default:
        break;
    }
    auto* pCombo = dynamic_cast<CComboBox*>(m_pEditor);
    if (pCombo == nullptr) {
        m_pEditor->MoveWindow(&rc, TRUE);
        return;
    }
    // The closed combo is centred on the cell. Its window is only the closed field here: the
    // drop-down list is a window of its own that sizes itself to its entries.
    const int c = std::max(1, static_cast<int>(rc.Height()));
    const int top = rc.top + rc.Height() / 2 - c / 2;
    pCombo->MoveWindow(rc.left, top, rc.Width(), c, TRUE);
    if (m_nEditorKind == editorHistoryCombo || m_nEditorKind == editorListCombo || m_nEditorKind == editorComponent) {
        int widest = 0;
        CDC* pDC = pCombo->GetDC();
        if (pDC != nullptr) {
            CFont* pOld = m_pList != nullptr && m_pList->GetListFont() != nullptr ? pDC->SelectObject(m_pList->GetListFont()) : nullptr;
            for (int i = 0; i < pCombo->GetCount(); ++i) {
                CString entry;
                pCombo->GetLBText(i, entry);
                widest = std::max(widest, static_cast<int>(pDC->GetTextExtent(entry).cx));
            }
            if (pOld != nullptr)
                pDC->SelectObject(pOld);
            pCombo->ReleaseDC(pDC);
        }
        pCombo->SetDroppedWidth(static_cast<UINT>(widest + GetSystemMetrics(SM_CXVSCROLL)));
    }
}

BOOL PropertyListItem::BeginEdit(const CRect& rcValue)
{
    if (!IsEditable())
        return FALSE;
    DestroyEditor();
    if (CreateEditor() == nullptr)
        return FALSE;
    UpdateEditor();
    MoveEditor(rcValue);
    if (m_pEditor == nullptr || m_pEditor->GetSafeHwnd() == nullptr)
        return FALSE;
    if (!m_pEditor->IsWindowVisible())
        m_pEditor->ShowWindow(SW_SHOWNA);
    if (m_nEditorKind == editorHistoryCombo)
        static_cast<CComboBox*>(m_pEditor)->SetEditSel(-1, 0);
    return TRUE;
}

BOOL PropertyListItem::ActivateEditor(const CPoint* pPoint)
{
    if (m_pEditor == nullptr || m_pEditor->GetSafeHwnd() == nullptr)
        return FALSE;
    switch (m_nEditorKind) {
    case editorEdit:
        m_pEditor->SetFocus();
        if (pPoint != nullptr) {
            // The caret goes to the character under the click.
            auto* pEdit = static_cast<CEdit*>(m_pEditor);
            CRect rc;
            pEdit->GetWindowRect(&rc);
            m_pList->ScreenToClient(&rc);
            CString text;
            pEdit->GetWindowText(text);
            int pos = text.GetLength();
            if (CDC* pDC = pEdit->GetDC()) {
                CFont* pOld = m_pList->GetListFont() != nullptr ? pDC->SelectObject(m_pList->GetListFont()) : nullptr;
                for (int i = 1; i <= text.GetLength(); ++i) {
                    if (rc.left + 2 + pDC->GetTextExtent(text.Left(i)).cx > pPoint->x) {
                        pos = i - 1;
                        break;
                    }
                }
                if (pOld != nullptr)
                    pDC->SelectObject(pOld);
                pEdit->ReleaseDC(pDC);
            }
            pEdit->SetSel(pos, pos);
        }
        return TRUE;
    case editorHistoryCombo:
        m_pEditor->SetFocus();
        static_cast<CComboBox*>(m_pEditor)->ShowDropDown(TRUE);
        return TRUE;
    case editorButton:
        m_pEditor->SetFocus();
        return TRUE;
    case editorColor:
        m_pEditor->SetFocus();
        static_cast<CSelectColorComboBox*>(m_pEditor)->DropDown();
        return TRUE;
    case editorListCombo:
    case editorLineType:
    case editorLineWidth:
    case editorComponent:
    case editorOther:
        m_pEditor->SetFocus();
        if (auto* pCombo = dynamic_cast<CComboBox*>(m_pEditor))
            pCombo->ShowDropDown(TRUE);
        return TRUE;
    default:
        return FALSE;
    }
}

void PropertyListItem::SelectEditorText()
{
    if (m_pEditor == nullptr || m_pEditor->GetSafeHwnd() == nullptr)
        return;
    if (auto* pEdit = dynamic_cast<CEdit*>(m_pEditor))
        pEdit->SetSel(0, -1);
    else if (auto* pCombo = dynamic_cast<CComboBox*>(m_pEditor); pCombo != nullptr && m_nEditorKind == editorHistoryCombo)
        pCombo->SetEditSel(0, -1);
    m_pEditor->SetFocus();
}

BOOL PropertyListItem::GetEditorText(CString& text) const
{
    text.Empty();
    if (!IsEditable() || m_pEditor == nullptr || m_pEditor->GetSafeHwnd() == nullptr)
        return FALSE;
    const int type = TypeCode();
    const BOOL bTyped = IsTypedType() ||
                        ((type == ParameterItemBase::typeText || type == ParameterItemBase::typeTolerance) && !IsEditedInDialog());
    if (!bTyped || (m_nEditorKind != editorEdit && m_nEditorKind != editorHistoryCombo))
        return FALSE;
    m_pEditor->GetWindowText(text);
    return TRUE;
}

BOOL PropertyListItem::IsEditorEmpty() const
{
    if (m_pEditor == nullptr || m_pEditor->GetSafeHwnd() == nullptr)
        return TRUE;
    switch (m_nEditorKind) {
    case editorEdit:
    case editorHistoryCombo:
        return m_pEditor->GetWindowTextLength() == 0;
    case editorListCombo:
    case editorComponent:
        return static_cast<CComboBox*>(m_pEditor)->GetCurSel() < 0;
    case editorColor:
        return static_cast<CSelectColorComboBox*>(m_pEditor)->GetColorNo() == static_cast<short>(kEmptyNumber);
    case editorLineType:
        return static_cast<CSelectLineTypeComboBox*>(m_pEditor)->GetLineTypeNo() == static_cast<short>(kEmptyNumber);
    case editorLineWidth:
        return static_cast<CSelectLineWidthComboBox*>(m_pEditor)->GetLineWidthNo() == static_cast<short>(kEmptyNumber);
    default:
        return TRUE;
    }
}

BOOL PropertyListItem::IsEditorModified() const
{
    if (m_pEditor == nullptr || m_pEditor->GetSafeHwnd() == nullptr)
        return FALSE;
    if (m_nEditorKind == editorEdit)
        return static_cast<CEdit*>(m_pEditor)->GetModify() || m_bForcedModified;
    if (m_nEditorKind == editorHistoryCombo) {
        if (m_bForcedModified)
            return TRUE;
        CString text;
        m_pEditor->GetWindowText(text);
        return text != m_strLoadedText;
    }
    return FALSE;
}

void PropertyListItem::SetEditorModified(BOOL bModified)
{
    m_bForcedModified = bModified;
    if (auto* pEdit = dynamic_cast<CEdit*>(m_pEditor); pEdit != nullptr && pEdit->GetSafeHwnd() != nullptr)
        pEdit->SetModify(bModified);
}

BOOL PropertyListItem::ReadEditor()
{
    if (!IsEditable() || m_pValueItem == nullptr)
        return FALSE;
    auto refuse = [this]() {
        SelectEditorText();
        return FALSE;
    };
    auto focusOnly = [this]() {
        if (m_pEditor != nullptr && m_pEditor->GetSafeHwnd() != nullptr)
            m_pEditor->SetFocus();
        return FALSE;
    };
    auto clear = [this]() {
        m_pValueItem->Clear();
        return TRUE;
    };
    CString text;
    if (m_pEditor != nullptr && m_pEditor->GetSafeHwnd() != nullptr &&
        (m_nEditorKind == editorEdit || m_nEditorKind == editorHistoryCombo))
        m_pEditor->GetWindowText(text);
    text.Trim();
    switch (TypeCode()) {
    case ParameterItemBase::typePoint: {
        if (text.IsEmpty())
            return clear();
        RuVaPnt2d point;
        int first = 0, second = 0;
        if (NumericFormat::GetFormatType(text) != 2 || !NumericFormat::StringToPoint(text, point, first, second))
            return refuse();
        return static_cast<PointParameterItem*>(m_pValueItem)->SetValue(point) ? TRUE : refuse();
    }
    case ParameterItemBase::typePointArray: {
        if (text.IsEmpty())
            return TRUE;
        RuVaPnt2d point;
        int first = 0, second = 0;
        if (NumericFormat::GetFormatType(text) != 2 || !NumericFormat::StringToPoint(text, point, first, second))
            return refuse();
        return static_cast<PointArrayParameterItem*>(m_pValueItem)->AddPoint(point) ? TRUE : refuse();
    }
    case ParameterItemBase::typeScale: {
        if (text.IsEmpty())
            return clear();
        double x = 0.0, y = 0.0;
        if (!NumericCharConverter::StringToScale(text, x, y) || !static_cast<ScaleParameterItem*>(m_pValueItem)->SetValue(x, y))
            return refuse();
        return TRUE;
    }
    case ParameterItemBase::typeInteger: {
        if (text.IsEmpty())
            return clear();
        int value = 0;
        if (!NumericFormat::StringToInteger(text, value))
            return refuse();
        static_cast<IntegerParameterItem*>(m_pValueItem)->SetValue(value);
        m_pValueItem->m_bEmpty = FALSE;
        return TRUE;
    }
    case ParameterItemBase::typeDouble:
    case ParameterItemBase::typeLength:
    case ParameterItemBase::typeAngle: {
        if (text.IsEmpty())
            return clear();
        double value = 0.0;
        if (!NumericFormat::StringToDouble(text, value))
            return refuse();
        static_cast<DoubleParameterItem*>(m_pValueItem)->SetValue(value);
        m_pValueItem->m_bEmpty = FALSE;
        return TRUE;
    }
    case ParameterItemBase::typeMulti: {
        if (text.IsEmpty())
            return clear();
        const int format = NumericFormat::GetFormatType(text);
        if (format == 2) {
            RuVaPnt2d point;
            int first = 0, second = 0;
            PointParameterItem temporary;
            if (NumericFormat::StringToPoint(text, point, first, second) && temporary.SetValue(point) &&
                m_pValueItem->SetValueFrom(temporary))
                return TRUE;
        } else if (format == 1) {
            double value = 0.0;
            DoubleParameterItem temporary;
            if (NumericFormat::StringToDouble(text, value)) {
                temporary.SetValue(value);
                temporary.m_bEmpty = FALSE;
                if (m_pValueItem->SetValueFrom(temporary))
                    return TRUE;
            }
        }
        return refuse();
    }
    case ParameterItemBase::typeText:
        if (IsEditedInDialog())
            return TRUE;
        if (text.IsEmpty() && m_pEditor != nullptr)
            return clear();
        {
            CString raw;
            if (m_pEditor != nullptr)
                m_pEditor->GetWindowText(raw);
            return static_cast<TextParameterItem*>(m_pValueItem)->SetValue(raw) ? TRUE : refuse();
        }
    case ParameterItemBase::typeTolerance:
        if (IsEditedInDialog())
            return TRUE;
        if (text.IsEmpty())
            return clear();
        {
            CString raw;
            if (m_pEditor != nullptr)
                m_pEditor->GetWindowText(raw);
            return static_cast<ToleranceParameterItem*>(m_pValueItem)->SetValue(raw) ? TRUE : refuse();
        }
    case ParameterItemBase::typeList: {
        auto* pCombo = dynamic_cast<CComboBox*>(m_pEditor);
        const int sel = pCombo != nullptr ? pCombo->GetCurSel() : -1;
        if (sel < 0)
            return clear();
        return static_cast<ListParameterItem*>(m_pValueItem)->SetValue(sel) ? TRUE : focusOnly();
    }
    case ParameterItemBase::typeColor:
    case ParameterItemBase::typeLineType: {
        short number = static_cast<short>(kEmptyNumber);
        if (auto* pColor = dynamic_cast<CSelectColorComboBox*>(m_pEditor))
            number = pColor->GetColorNo();
        else if (auto* pType = dynamic_cast<CSelectLineTypeComboBox*>(m_pEditor))
            number = pType->GetLineTypeNo();
        if (number == static_cast<short>(kEmptyNumber))
            return clear();
        auto* p = static_cast<AttributeNumberParameterItem*>(m_pValueItem);
        p->m_wNumber = static_cast<WORD>(number);
        p->m_bEmpty = FALSE;
        return TRUE;
    }
    case ParameterItemBase::typeLineWidth: {
        auto* pCombo = dynamic_cast<CSelectLineWidthComboBox*>(m_pEditor);
        const short number = pCombo != nullptr ? pCombo->GetLineWidthNo() : static_cast<short>(kEmptyNumber);
        if (number == static_cast<short>(kEmptyNumber))
            return clear();
        return static_cast<LineWidthParameterItem*>(m_pValueItem)->SetValue(static_cast<WORD>(number), 0.0) ? TRUE
                                                                                                            : focusOnly();
    }
    case ParameterItemBase::typeLayer:
    case ParameterItemBase::typeDrawing:
        // Read by the combo's own library through its hook; without it nothing changes.
        return m_pEditor != nullptr ? TRUE : FALSE;
    case ParameterItemBase::typeSetting:
    case ParameterItemBase::typeImageSetting:
        return TRUE;
    case ParameterItemBase::typeDrawComponent: {
        auto* pCombo = dynamic_cast<CComboBox*>(m_pEditor);
        const int sel = pCombo != nullptr ? pCombo->GetCurSel() : -1;
        if (sel < 0)
            return clear();
        return static_cast<DrawComponentParameterItem*>(m_pValueItem)->SetValue(static_cast<int>(pCombo->GetItemData(sel)))
                   ? TRUE
                   : focusOnly();
    }
    default:
        return FALSE;
    }
}

PropertyListItem* PropertyListItem::OnEditorButton()
{
    if (m_pValueItem == nullptr || GetServices().pEditByDialog == nullptr)
        return nullptr;
    std::unique_ptr<PropertyListItem> pClone(Clone());
    if (pClone == nullptr || !GetServices().pEditByDialog(*pClone, m_pList))
        return nullptr;
    return pClone.release();
}
