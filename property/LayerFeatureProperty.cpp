#include "property/LayerFeatureProperty.h"

#include "command/ColorParameterItem.h"
#include "command/IntegerParameterItem.h"
#include "command/LineTypeParameterItem.h"
#include "command/LineWidthParameterItem.h"
#include "command/ListParameterItem.h"
#include "command/TextParameterItem.h"
#include "libs/vevure/ColorFeatureTable.h"
#include "libs/vevure/Draw2dDocument.h"
#include "libs/vevure/LayerFeature.h"
#include "libs/vevure/LayerFeatureTable.h"
#include "libs/vevure/LineTypeFeatureTable.h"
#include "libs/vevure/LineWidthFeatureTable.h"
#include "libs/vevure/NotifyInfoBase.h"

namespace QZ2Command {

IMPLEMENT_DYNCREATE(LayerFeatureProperty, FeaturePropertyBase)

namespace {

constexpr WORD kMixedNumber = 0xFFFF;

void SetList(ParameterItemBase* pItem, UINT nChoices, int nIndex, BOOL bWithCaption)
{
    auto* pList = dynamic_cast<ListParameterItem*>(pItem);
    if (pList == nullptr)
        return;
    if (bWithCaption)
        pList->SetItemsFromStringId(nChoices);
    if (nIndex < 0) {
        // Mixed: no choice shown.
        pList->m_nSelected = -1;
        pList->m_bEmpty = TRUE;
    } else {
        pList->SetValue(nIndex);
    }
}

}  // namespace

LayerFeatureProperty::LayerFeatureProperty() { m_nKind = kindLayer; }

LayerFeatureProperty::LayerFeatureProperty(Draw2dDocument* pDocument, long nLayerID) : m_nLayerID(nLayerID)
{
    m_nKind = kindLayer;
    m_pDocument = pDocument;
}

LayerFeatureProperty::~LayerFeatureProperty() = default;

BOOL LayerFeatureProperty::IsGroup() const
{
    const LayerFeatureTable* pLayers = m_pDocument != nullptr ? m_pDocument->GetLayerTable() : nullptr;
    return pLayers != nullptr && (m_nLayerID == -1 || pLayers->IsGroup(m_nLayerID)) ? TRUE : FALSE;
}

BOOL LayerFeatureProperty::HasChildLayers() const
{
    const LayerFeatureTable* pLayers = m_pDocument != nullptr ? m_pDocument->GetLayerTable() : nullptr;
    return pLayers != nullptr && pLayers->GetChildLayerCount(m_nLayerID, TRUE) != 0 ? TRUE : FALSE;
}

void LayerFeatureProperty::BuildPropertyList()
{
    const LayerFeatureTable* pLayers = m_pDocument != nullptr ? m_pDocument->GetLayerTable() : nullptr;
    if (pLayers == nullptr || (m_nLayerID != -1 && !pLayers->IsExistLayerID(m_nLayerID)))
        return;
    const BOOL bGroup = IsGroup();
    if (!bGroup)
        AddDescriptor(idLayerName, ParameterItemBase::typeText);
    else if (m_nLayerID != -1)
        AddDescriptor(idGroupName, ParameterItemBase::typeText);
    if (bGroup && !HasChildLayers())
        return;
    AddDescriptor(idState, ParameterItemBase::typeList);
    AddDescriptor(idColor, ParameterItemBase::typeColor);
    AddDescriptor(idLineType, ParameterItemBase::typeLineType);
    AddDescriptor(idLineWidth, ParameterItemBase::typeLineWidth);
    AddDescriptor(idHidden, ParameterItemBase::typeList);
    AddDescriptor(idPrintable, ParameterItemBase::typeList);
    if (!bGroup)
        AddDescriptor(idNumber, ParameterItemBase::typeInteger);
}

BOOL LayerFeatureProperty::GetPropertyItem(WORD wId, ParameterItemBase* pItem, BOOL bWithCaption)
{
    const LayerFeatureTable* pLayers = m_pDocument != nullptr ? m_pDocument->GetLayerTable() : nullptr;
    if (pItem == nullptr || pLayers == nullptr || (m_nLayerID != -1 && !pLayers->IsExistLayerID(m_nLayerID)))
        return FALSE;
    const BOOL bGroup = IsGroup();
    if (wId < idLayerName || wId > idNumber)
        return FALSE;
    if (bGroup) {
        if (wId == idLayerName || wId == idNumber || (wId == idGroupName && m_nLayerID == -1))
            return FALSE;
        if (wId >= idState && !HasChildLayers())
            return FALSE;
    } else if (wId == idGroupName) {
        return FALSE;
    }
    pItem->SetId(wId);
    const LayerFeature* pLayer = pLayers->GetLayerFeature(m_nLayerID);
    switch (wId) {
    case idLayerName:
    case idGroupName: {
        auto* pText = dynamic_cast<TextParameterItem*>(pItem);
        if (pText == nullptr)
            return FALSE;
        if (bWithCaption)
            pText->SetCaption(wId == idLayerName ? 10910 : 10911);
        pText->SetValue(pLayers->GetLayerName(m_nLayerID));
        break;
    }
    case idState:
        if (bWithCaption)
            pItem->SetCaption(10912);
        if (bGroup) {
            const int nState = pLayers->GetLayerGroupState(m_nLayerID);
            SetList(pItem, kStateChoices, nState == 3 ? -1 : nState, bWithCaption);
        } else {
            SetList(pItem, kStateChoices, pLayers->GetLayerState(m_nLayerID), bWithCaption);
        }
        break;
    case idColor:
    case idLineType: {
        auto* pNumber = dynamic_cast<AttributeNumberParameterItem*>(pItem);
        if (pNumber == nullptr)
            return FALSE;
        WORD wValue = 0;
        if (bGroup)
            wValue = wId == idColor ? pLayers->GetLayerGroupColorNo(m_nLayerID) : pLayers->GetLayerGroupLineTypeNo(m_nLayerID);
        else
            wValue = static_cast<WORD>(wId == idColor ? pLayer->GetColorNo() : pLayer->GetLineTypeNo());
        pNumber->m_bShowByLayer = FALSE;
        if (wValue == kMixedNumber) {
            pNumber->m_wNumber = kMixedNumber;
            pNumber->m_bEmpty = TRUE;
        } else {
            pNumber->m_wNumber = wValue;
            pNumber->m_bEmpty = FALSE;
        }
        if (wId == idColor) {
            if (bWithCaption) {
                pNumber->SetCaption(10916);
                if (auto* pColor = dynamic_cast<ColorParameterItem*>(pItem))
                    pColor->m_pTable = const_cast<ColorFeatureTable*>(m_pDocument->GetColorFeatureTable());
            }
        } else {
            if (auto* pType = dynamic_cast<LineTypeParameterItem*>(pItem))
                pType->m_pTable = const_cast<LineTypeFeatureTable*>(m_pDocument->GetLineTypeFeatureTable());
            if (bWithCaption)
                pNumber->SetCaption(10917);
        }
        break;
    }
    case idLineWidth: {
        auto* pWidth = dynamic_cast<LineWidthParameterItem*>(pItem);
        if (pWidth == nullptr)
            return FALSE;
        const WORD wValue = bGroup ? pLayers->GetLayerGroupLineWidthNo(m_nLayerID)
                                   : static_cast<WORD>(pLayer->GetLineWidthNo());
        pWidth->m_bShowByLayer = FALSE;
        if (wValue == kMixedNumber) {
            pWidth->m_wNumber = kMixedNumber;
            pWidth->m_bEmpty = TRUE;
        } else {
            pWidth->SetValue(wValue, 0.0);
        }
        if (bWithCaption) {
            pWidth->SetCaption(10918);
            pWidth->m_pTable = const_cast<LineWidthFeatureTable*>(m_pDocument->GetLineWidthFeatureTable());
        }
        break;
    }
    case idHidden:
    case idPrintable: {
        if (bWithCaption)
            pItem->SetCaption(wId == idHidden ? 10915 : 10914);
        int nChoice = -1;
        if (bGroup) {
            const int nValue = wId == idHidden ? pLayers->GetLayerGroupHide(m_nLayerID)
                                               : pLayers->GetLayerGroupPrintable(m_nLayerID);
            nChoice = nValue == -1 ? -1 : (nValue == 1 ? 0 : 1);
        } else {
            const DWORD dwBit = wId == idHidden ? 0x10 : 0x08;
            nChoice = (pLayer->GetLayerStateFlags() & dwBit) != 0 ? 0 : 1;
        }
        SetList(pItem, wId == idHidden ? kHiddenChoices : kPrintChoices, nChoice, bWithCaption);
        break;
    }
    case idNumber: {
        auto* pNumber = dynamic_cast<IntegerParameterItem*>(pItem);
        if (pNumber == nullptr)
            return FALSE;
        if (bWithCaption)
            pNumber->SetCaption(10913);
        pNumber->SetValue(pLayer->GetDisplayOrder());
        break;
    }
    default:
        return FALSE;
    }
    pItem->m_bRequired = wId != idNumber ? TRUE : FALSE;
    return TRUE;
}

BOOL LayerFeatureProperty::IsSameTarget(const FeaturePropertyBase* pOther) const
{
    const auto* pLayer = dynamic_cast<const LayerFeatureProperty*>(pOther);
    return pLayer != nullptr && pLayer->m_nLayerID == m_nLayerID && pLayer->m_pDocument == m_pDocument ? TRUE : FALSE;
}

void LayerFeatureProperty::CopyFrom(const FeaturePropertyBase* pOther)
{
    if (pOther == nullptr || pOther == this)
        return;
    FeaturePropertyBase::CopyFrom(pOther);
    if (const auto* pLayer = dynamic_cast<const LayerFeatureProperty*>(pOther))
        m_nLayerID = pLayer->m_nLayerID;
}

BOOL LayerFeatureProperty::ApplyProperty(WORD wId, ParameterItemBase* pItem)
{
    if (pItem == nullptr || pItem->IsEmpty() || m_pDocument == nullptr)
        return FALSE;
    switch (wId) {
    case idLayerName:
    case idGroupName: {
        auto* pText = dynamic_cast<TextParameterItem*>(pItem);
        CString name;
        return pText != nullptr && pText->GetValue(name) && m_pDocument->SetLayerName(m_nLayerID, name);
    }
    case idState:
    case idHidden:
    case idPrintable: {
        auto* pList = dynamic_cast<ListParameterItem*>(pItem);
        int nChoice = -1;
        if (pList == nullptr || !pList->GetValue(nChoice) || nChoice < 0)
            return FALSE;
        if (wId == idState)
            return m_pDocument->SetLayerState(m_nLayerID, nChoice, 1);
        if (wId == idHidden)
            return m_pDocument->SetLayerHide(m_nLayerID, nChoice == 0, 1);
        return m_pDocument->SetLayerPrintable(m_nLayerID, nChoice == 0);
    }
    case idColor:
    case idLineType: {
        auto* pNumber = dynamic_cast<AttributeNumberParameterItem*>(pItem);
        short nNumber = 0;
        if (pNumber == nullptr || !pNumber->GetValue(nNumber))
            return FALSE;
        return wId == idColor ? m_pDocument->SetLayerColorNo(m_nLayerID, nNumber, 1)
                              : m_pDocument->SetLayerLineTypeNo(m_nLayerID, nNumber, 1);
    }
    case idLineWidth: {
        auto* pWidth = dynamic_cast<LineWidthParameterItem*>(pItem);
        WORD wNumber = 0;
        double dWidth = 0.0;
        if (pWidth == nullptr || !pWidth->GetValue(wNumber, dWidth))
            return FALSE;
        return m_pDocument->SetLayerLineWidthNo(m_nLayerID, static_cast<short>(wNumber), 1);
    }
    default:
        return FALSE;
    }
}

int LayerFeatureProperty::OnDocumentNotify(const NotifyInfoBase* pInfo)
{
    if (pInfo == nullptr)
        return notifyNone;
    if (pInfo->GetKind() == NotifyInfoBase::kindColorTable)
        return notifyRefresh;
    if (pInfo->GetKind() != NotifyInfoBase::kindLayer)
        return notifyNone;
    const LayerFeatureTable* pLayers = m_pDocument != nullptr ? m_pDocument->GetLayerTable() : nullptr;
    const long nChanged = pInfo->GetLayerID();
    switch (pInfo->GetCode()) {
    case NotifyInfoBase::layerAdded:
        if (pInfo->GetGroupID() != m_nLayerID || pLayers == nullptr)
            return notifyNone;
        return pLayers->GetChildLayerCount(m_nLayerID, TRUE) == 1 ? notifyRebuild : notifyRefresh;
    case NotifyInfoBase::layerRemoved:
        if (nChanged == m_nLayerID)
            return notifyClose;
        // A group that lost its last layer loses its rows 91-96.
        if (pInfo->GetGroupID() == m_nLayerID && m_nLayerID != nChanged)
            return notifyRebuild;
        // Removed with its group (or ancestor).
        if (m_nLayerID != -1 && pLayers != nullptr && !pLayers->IsExistLayerID(m_nLayerID))
            return notifyClose;
        return notifyNone;
    case NotifyInfoBase::layerNameChanged:
    case NotifyInfoBase::layerStateChanged:
    case NotifyInfoBase::layerHideChanged:
    case NotifyInfoBase::layerPrintableChanged:
    case NotifyInfoBase::layerColorChanged:
    case NotifyInfoBase::layerLineTypeChanged:
    case NotifyInfoBase::layerLineWidthChanged:
        if (nChanged == m_nLayerID || nChanged == -1 || m_nLayerID == -1)
            return notifyRefresh;
        if (pLayers != nullptr &&
            (pLayers->IsChildLayerFeature(m_nLayerID, nChanged, TRUE) || pLayers->IsChildLayerFeature(nChanged, m_nLayerID, TRUE)))
            return notifyRefresh;
        return notifyNone;
    case NotifyInfoBase::layerTableRebuild:
        // Undo and redo swap the whole table: the layer may be gone.
        if (m_nLayerID != -1 && pLayers != nullptr && !pLayers->IsExistLayerID(m_nLayerID))
            return notifyClose;
        return notifyRebuild;
    default:
        return notifyNone;
    }
}

}  // namespace QZ2Command
