#include "command/CommandBase.h"

#include <cmath>
#include <map>
#include <string>

#include "command/CommandManager.h"
#include "command/CommandParameter.h"
#include "command/FeatureGroupParameterItem.h"
#include "command/FeatureListParameterItem.h"
#include "command/FeatureParameterItem.h"
#include "command/FeatureSequenceListParameterItem.h"
#include "command/FeatureSequenceParameterItem.h"
#include "command/IntegerParameterItem.h"
#include "command/ListParameterItem.h"
#include "command/MultiParameterItem.h"
#include "command/ParameterModifierBase.h"
#include "command/PointArrayParameterItem.h"
#include "command/PointParameterItem.h"
#include "command/RegistryManager.h"
#include "libs/vevure/Drag.h"
#include "libs/vevure/Draw2dDocument.h"
#include "libs/vevure/Draw2dView.h"
#include "libs/vevure/DrawingFeatureBase.h"
#include "libs/vevure/Feature2dBase.h"
#include "libs/vevure/Feature2dList.h"
#include "libs/vevure/PartDrawingLayout.h"
#include "libs/vevure/Rubberband.h"
#include "libs/vevure/FeatureLayout.h"
#include "libs/vevure/NotifyInfoBase.h"
#include "libs/vevure/SelectionFeatureFilter.h"
#include "libs/vevure/SelectionManager.h"
#include "platform/win/Registry.h"

namespace QZ2Command {

IMPLEMENT_DYNAMIC(CommandBase, CObject)

namespace {

// The drawing and layout the user works in: those of the active view, else the document's.
const DrawingFeatureBase* ActiveDrawing(const CommandManager* pManager)
{
    if (pManager == nullptr)
        return nullptr;
    if (const Draw2dView* pView = pManager->GetActiveView())
        return pView->GetActiveDrawingFeature();
    const Draw2dDocument* pDoc = pManager->GetDraw2dDocument();
    return pDoc != nullptr ? pDoc->GetActiveDrawingFeature() : nullptr;
}

const PartDrawingLayout* ActiveLayout(const CommandManager* pManager)
{
    if (pManager == nullptr)
        return nullptr;
    if (const Draw2dView* pView = pManager->GetActiveView())
        return pView->GetActivePartLayout();
    const Draw2dDocument* pDoc = pManager->GetDraw2dDocument();
    return pDoc != nullptr ? pDoc->GetActiveDrawingLayout() : nullptr;
}

// The item still wants clicks in the view.
BOOL WantsClicks(const ParameterItemBase* pItem)
{
    if (pItem == nullptr)
        return FALSE;
    switch (pItem->GetTypeCode()) {
    case ParameterItemBase::typePoint:
        return static_cast<const PointParameterItem*>(pItem)->m_bPickable && pItem->IsEmpty();
    case ParameterItemBase::typeFeature:
    case ParameterItemBase::typeFeatureGroup:
        return pItem->IsEmpty();
    case ParameterItemBase::typePointArray:
        return pItem->IsEmpty() || !static_cast<const PointArrayParameterItem*>(pItem)->m_bFinished;
    case ParameterItemBase::typeFeatureList:
        return pItem->IsEmpty() || !static_cast<const FeatureListParameterItem*>(pItem)->m_bFinished;
    case ParameterItemBase::typeFeatureSequence:
        return pItem->IsEmpty() || !static_cast<const FeatureSequenceParameterItem*>(pItem)->m_bFinished;
    case ParameterItemBase::typeFeatureSequenceList:
        return pItem->IsEmpty() ||
               !static_cast<const FeatureSequenceListParameterItem*>(pItem)->IsLastSequenceClosed();
    case ParameterItemBase::typeMulti:
        return pItem->IsEmpty() && (static_cast<const MultiParameterItem*>(pItem)->m_wKindMask &
                                    (MultiParameterItem::acceptPoint | MultiParameterItem::acceptFeature));
    default:
        return FALSE;
    }
}

// An item that holds its value, a point array only once it is finished.
BOOL HoldsValue(const ParameterItemBase* pItem)
{
    if (pItem == nullptr || pItem->IsEmpty())
        return FALSE;
    if (pItem->GetTypeCode() == ParameterItemBase::typePointArray)
        return static_cast<const PointArrayParameterItem*>(pItem)->m_bFinished &&
               static_cast<const PointArrayParameterItem*>(pItem)->GetCount() > 0;
    return TRUE;
}

CString SectionOf(const CString& identifier, LPCTSTR leaf)
{
    CString section(_T("CommandParameter\\"));
    section += identifier;
    section += _T("\\");
    section += leaf;
    return section;
}

CString NumberName(int n)
{
    CString name;
    name.Format(_T("%d"), n);
    return name;
}

}  // namespace

CommandBase::CommandBase() = default;

CommandBase::~CommandBase()
{
    EndModifierChain();
    RemoveAllParameters();
    delete m_pRubberband;
    delete m_pDrag;
}

// --- default virtual behaviour ------------------------------------------------------------------

void CommandBase::OnChildCommandResult(CommandBase*, void*) {}

BOOL CommandBase::TakeOverSelection(Draw2dDocument* pDocument)
{
    if (pDocument == nullptr)
        return FALSE;
    SelectionManager* pSelection = pDocument->GetSelectionManager();
    if (pSelection == nullptr || pSelection->IsSelectionEmpty())
        return FALSE;
    CArray<FeatureLayout> selected;
    pSelection->GetSelectedFeatureList(selected);
    for (INT_PTR i = 0; i < m_parameters.GetSize(); ++i) {
        ParameterItemBase* pItem = m_parameters[i]->GetCurrentItem();
        if (pItem == nullptr)
            continue;
        if (pItem->GetTypeCode() == ParameterItemBase::typeFeature &&
            static_cast<FeatureParameterItem*>(pItem)->m_bTakeSelection) {
            auto* pFeature = static_cast<FeatureParameterItem*>(pItem);
            if (pSelection->GetSelectionGroupCount() < 1 || pSelection->GetSelectionGroupSelectShapeMode(0) != 4)
                return FALSE;
            CArray<FeatureLayout> firstGroup;
            if (!pSelection->GetSelectionGroup(0, firstGroup) || firstGroup.IsEmpty())
                return FALSE;
            const FeatureLayout& first = firstGroup[0];
            if (!pFeature->IsAcceptedFeature(pDocument->GetFeatureType(first.GetRecordID())))
                return FALSE;
            if (pFeature->m_bEditableOnly && !pDocument->IsFeatureEditable(first.GetRecordID()))
                return FALSE;
            const KcArrayOfGePnt2d& points = pSelection->GetSelectionGroupPointList(0);
            const RuVaPnt2d pick = points.IsEmpty() ? RuVaPnt2d() : points.GetAt(0);
            pFeature->SetValue(first, pick);
            m_bEndAfterRun = TRUE;
            return TRUE;
        }
        if (pItem->GetTypeCode() == ParameterItemBase::typeFeatureGroup &&
            static_cast<FeatureGroupParameterItem*>(pItem)->m_bTakeSelection) {
            auto* pGroup = static_cast<FeatureGroupParameterItem*>(pItem);
            CArray<FeatureLayout> kept;
            for (INT_PTR k = selected.GetSize() - 1; k >= 0; --k) {
                const long id = selected[k].GetRecordID();
                if (!SelectionFeatureFilter::FilterFeature(pDocument->GetFeatureType(id), pGroup->m_dwAcceptedKinds))
                    continue;
                if (pGroup->m_bEditableOnly && !pDocument->IsFeatureEditable(id))
                    continue;
                kept.Add(selected[k]);
            }
            if (kept.IsEmpty())
                return FALSE;
            pGroup->AddGroup(kept, 0, nullptr, 0);
            m_bEndAfterRun = TRUE;
            return TRUE;
        }
    }
    return FALSE;
}

BOOL CommandBase::GetReferencePoint(int nIndex, RuVaPnt2d& point)
{
    if (nIndex < 0 || nIndex >= m_parameters.GetSize())
        return FALSE;
    const ParameterItemBase* pItem = m_parameters[nIndex]->GetCurrentItem();
    if (pItem == nullptr || pItem->m_wBaseItemId == ParameterItemBase::kNoBaseItem)
        return FALSE;
    const ParameterItemBase* pBase = FindItem(pItem->m_wBaseItemId);
    if (pBase == nullptr || pBase->IsEmpty())
        return FALSE;
    if (pBase->GetTypeCode() == ParameterItemBase::typePoint)
        return static_cast<const PointParameterItem*>(pBase)->GetValue(point);
    if (pBase->GetTypeCode() == ParameterItemBase::typePointArray) {
        static_cast<const PointArrayParameterItem*>(pBase)->GetLastPoint(point);
        return TRUE;
    }
    return TRUE;
}

void CommandBase::OnDocumentChanging(Draw2dDocument*)
{
    ClearPoints();
    ClearDragData();
}

void CommandBase::OnDocumentUpdated(const NotifyInfoBase& info)
{
    const int kind = info.GetKind();
    const int code = info.GetCode();
    if (kind == 3 && code == 4) {
        OnActiveDrawingChanged(info.GetIndex(), info.GetRecordID());
        return;
    }
    if ((kind == 3 && (code == 3 || code == 9 || code == 10)) ||
        (kind == 4 && ((code >= 4 && code <= 8) || code == 10 || (code >= 12 && code <= 16))))
        ClearDragData();
}

void CommandBase::OnViewChanged()
{
    ClearPoints();
    ClearDragData();
}

void CommandBase::SetupParameters() {}

BOOL CommandBase::OnStart()
{
    return TRUE;
}

BOOL CommandBase::ValidateParameterValue(int, const ParameterItemBase&)
{
    return TRUE;
}

int CommandBase::OnInput(int)
{
    return resultMissing;
}

void CommandBase::DrawPreview(const CPoint&, const RuVaPnt2d&, const RuVaPnt2d&, UINT) {}

void CommandBase::ActivateFirstEmptyParameter()
{
    const int index = FindFirstMissingParameter();
    if (index < 0)
        return;
    if (m_pManager != nullptr)
        m_pManager->SetCurrentParameter(this, index);
    else
        SetCurrentParameterIndex(index);
}

void CommandBase::OnEnd() {}

BOOL CommandBase::OnAlternativeChanging(int, int)
{
    return TRUE;
}

void CommandBase::OnActiveDrawingChanged(long, long)
{
    ClearPoints();
    ClearDragData();
}

BOOL CommandBase::OnSuspend()
{
    return TRUE;
}

BOOL CommandBase::OnResume()
{
    return TRUE;
}

BOOL CommandBase::GetPointValue(const ParameterItemBase& item, RuVaPnt2d& point, BOOL)
{
    if (item.IsEmpty())
        return FALSE;
    if (const auto* p = dynamic_cast<const PointParameterItem*>(&item))
        return p->GetValue(point);
    return FALSE;
}

void CommandBase::SetVersion(WORD wMajor, WORD wMinor)
{
    m_dwParameterVersion = (static_cast<DWORD>(wMajor) << 16) | wMinor;
}

void CommandBase::LoadParameters()
{
    if (!m_bPersistParameters)
        return;
    if (m_pManager != nullptr && !m_pManager->IsParameterSaveEnabled())
        return;
    RegistryManager registry(HKEY_CURRENT_USER);
    const DWORD major = registry.GetProfileInt(_T("Version"), _T("Major"), 0) & 0xFFFF;
    const DWORD minor = registry.GetProfileInt(_T("Version"), _T("Minor"), 0) & 0xFFFF;
    if (((major << 16) | minor) < m_dwParameterVersion)
        return;
    const CString indexSection = SectionOf(m_strIdentifier, _T("Index"));
    const CString valueSection = SectionOf(m_strIdentifier, _T("Parameter"));
    for (INT_PTR i = 0; i < m_parameters.GetSize(); ++i) {
        CommandParameter* pParameter = m_parameters[i];
        const int alternative = static_cast<int>(registry.GetProfileInt(indexSection, NumberName((int)i), 0));
        if (alternative < 0 || alternative >= pParameter->GetItemCount())
            continue;
        if (alternative != pParameter->GetCurrentIndex()) {
            OnAlternativeChanging(static_cast<int>(i), alternative);
            pParameter->SetCurrentIndex(alternative);
        }
        ParameterItemBase* pItem = pParameter->GetCurrentItem();
        if (pItem == nullptr || pItem->m_nRetentionMode != 2)
            continue;
        const CString name = NumberName(pItem->GetId());
        switch (pItem->GetTypeCode()) {
        case ParameterItemBase::typeDouble:
        case ParameterItemBase::typeLength:
        case ParameterItemBase::typeAngle: {
            double value = 0.0;
            if (registry.GetProfileBinary(valueSection, name, &value))
                static_cast<DoubleParameterItem*>(pItem)->SetValue(value);
            break;
        }
        case ParameterItemBase::typeInteger: {
            auto* pInteger = static_cast<IntegerParameterItem*>(pItem);
            // An item saved empty has no stored value; it stays empty rather than becoming a given 0.
            const UINT a = registry.GetProfileInt(valueSection, name, 0);
            const UINT b = registry.GetProfileInt(valueSection, name, 1);
            if (a == b)
                pInteger->SetValue(static_cast<int>(a));
            break;
        }
        case ParameterItemBase::typeList: {
            auto* pList = static_cast<ListParameterItem*>(pItem);
            const int index = static_cast<int>(registry.GetProfileInt(valueSection, name, pList->m_nSelected));
            if (index >= 0 && index < pList->GetItemCount()) {
                pList->SetValue(index);
                pList->SetDefaultValue(index);
            }
            break;
        }
        default:
            break;
        }
        OnInput(static_cast<int>(i));
    }
}

void CommandBase::SaveParameters()
{
    if (!m_bPersistParameters || !m_bStarted)
        return;
    RegistryManager registry(HKEY_CURRENT_USER);
    const CString indexSection = SectionOf(m_strIdentifier, _T("Index"));
    const CString valueSection = SectionOf(m_strIdentifier, _T("Parameter"));
    for (INT_PTR i = 0; i < m_parameters.GetSize(); ++i) {
        CommandParameter* pParameter = m_parameters[i];
        registry.WriteProfileInt(indexSection, NumberName((int)i), pParameter->GetCurrentIndex());
        const ParameterItemBase* pItem = pParameter->GetCurrentItem();
        if (pItem == nullptr || pItem->m_nRetentionMode != 2)
            continue;
        const CString name = NumberName(pItem->GetId());
        const int code = pItem->GetTypeCode();
        if (code >= ParameterItemBase::typeDouble && code <= ParameterItemBase::typeInteger && pItem->IsEmpty()) {
            // Stored as absent, so that the next run still asks for the value.
            registry.WriteProfileString(valueSection, name, nullptr);
            continue;
        }
        switch (code) {
        case ParameterItemBase::typeDouble:
        case ParameterItemBase::typeLength:
        case ParameterItemBase::typeAngle: {
            const double value = static_cast<const DoubleParameterItem*>(pItem)->m_dValue;
            registry.WriteProfileDouble(valueSection, name, &value);
            break;
        }
        case ParameterItemBase::typeInteger:
            registry.WriteProfileInt(valueSection, name, static_cast<const IntegerParameterItem*>(pItem)->m_nValue);
            break;
        case ParameterItemBase::typeList:
            registry.WriteProfileInt(valueSection, name, static_cast<const ListParameterItem*>(pItem)->m_nSelected);
            break;
        default:
            break;
        }
    }
}

// --- lifecycle ----------------------------------------------------------------------------------

void CommandBase::InitializeCommandObject()
{
    if (m_pRubberband == nullptr)
        m_pRubberband = new Rubberband;
    if (m_pDrag == nullptr)
        m_pDrag = new Drag;
    RemoveAllParameters();
    EndModifierChain();
    SetupParameters();
    LoadParameters();
}

BOOL CommandBase::BeginCommand()
{
    for (INT_PTR i = 0; i < m_parameters.GetSize(); ++i) {
        ParameterItemBase* pItem = m_parameters[i]->GetCurrentItem();
        if (pItem == nullptr || pItem->m_bNoDefault)
            continue;
        if (pItem->m_nRetentionMode != 2 || pItem->IsEmpty())
            pItem->ApplyDefault();
    }
    if (!m_parameters.IsEmpty()) {
        if (m_nCurrentParameter == -1) {
            const int missing = FindFirstMissingParameter();
            m_nCurrentParameter = missing >= 0 ? missing : 0;
            if (m_pModifier != nullptr)
                m_pModifier->GetInnermost()->SetInputIndex(-1);
        }
        ChoosePickParameter();
    }
    return OnStart();
}

void CommandBase::EndCleanup()
{
    for (INT_PTR i = 0; i < m_parameters.GetSize(); ++i) {
        ParameterItemBase* pItem = m_parameters[i]->GetCurrentItem();
        if (pItem != nullptr && pItem->m_nRetentionMode != 2)
            pItem->Clear();
    }
    if (m_pParent != nullptr) {
        m_pParent->m_pChild = nullptr;
        m_pParent = nullptr;
    }
    OnEnd();
    EndModifierChain();
    ClearDragData();
    if (m_pDrag != nullptr)
        m_pDrag->ClearFeature();
    m_nCurrentParameter = -1;
    m_nPickParameter = -1;
}

// --- parameters ---------------------------------------------------------------------------------

int CommandBase::AddParameter(CommandParameter* pParameter)
{
    return InsertParameter(static_cast<int>(m_parameters.GetSize()), pParameter);
}

int CommandBase::InsertParameter(int nIndex, CommandParameter* pParameter)
{
    if (pParameter == nullptr || nIndex < 0 || nIndex > m_parameters.GetSize())
        return -1;
    // Every reader of a parameter takes its current item; one without is refused here.
    if (pParameter->GetCurrentItem() == nullptr)
        return -1;
    for (int k = 0; k < pParameter->GetItemCount(); ++k) {
        if (FindItem(pParameter->GetItem(k)->GetId()) != nullptr)
            return -1;
    }
    m_parameters.InsertAt(nIndex, pParameter);
    return nIndex;
}

BOOL CommandBase::RemoveParameter(int nIndex)
{
    if (nIndex < 0 || nIndex >= m_parameters.GetSize())
        return FALSE;
    if (m_pModifier != nullptr && m_nModifierParameter == nIndex)
        RemoveModifier();
    delete m_parameters[nIndex];
    m_parameters.RemoveAt(nIndex);
    return TRUE;
}

void CommandBase::RemoveAllParameters()
{
    for (INT_PTR i = 0; i < m_parameters.GetSize(); ++i)
        delete m_parameters[i];
    m_parameters.RemoveAll();
}

void CommandBase::ClearParameter(int nIndex)
{
    if (nIndex >= 0 && nIndex < m_parameters.GetSize())
        m_parameters[nIndex]->ClearAllItems();
}

ParameterItemBase* CommandBase::FindItem(WORD wId) const
{
    for (INT_PTR i = 0; i < m_parameters.GetSize(); ++i) {
        if (ParameterItemBase* pItem = m_parameters[i]->FindItem(wId))
            return pItem;
    }
    return nullptr;
}

int CommandBase::FindParameterIndex(WORD wId) const
{
    for (INT_PTR i = 0; i < m_parameters.GetSize(); ++i) {
        if (m_parameters[i]->FindItem(wId) != nullptr)
            return static_cast<int>(i);
    }
    return -1;
}

ParameterItemBase* CommandBase::GetParameterItem(int nIndex) const
{
    return m_parameters.GetAt(nIndex)->GetCurrentItem();
}

ParameterItemBase* CommandBase::GetCurrentParameterItem() const
{
    // No current parameter is a normal state (no parameters, or after the end).
    if (m_nCurrentParameter == -1)
        return nullptr;
    return GetParameterItem(m_nCurrentParameter);
}

WORD CommandBase::GetCurrentItemID(int nIndex) const
{
    const ParameterItemBase* pItem = GetParameterItem(nIndex);
    return pItem != nullptr ? pItem->GetId() : static_cast<WORD>(0xFFFF);
}

int CommandBase::GetCurrentItemType() const
{
    if (m_nCurrentParameter < 0 || m_nCurrentParameter >= m_parameters.GetSize())
        return 0;
    const ParameterItemBase* pItem = m_parameters[m_nCurrentParameter]->GetCurrentItem();
    return pItem != nullptr ? pItem->GetTypeCode() : 0;
}

BOOL CommandBase::IsParameterEmpty(int nIndex) const
{
    const ParameterItemBase* pItem = GetParameterItem(nIndex);
    return pItem == nullptr || pItem->IsEmpty();
}

BOOL CommandBase::SetCurrentParameterIndex(int nIndex)
{
    if (nIndex < 0 || nIndex >= m_parameters.GetSize())
        return FALSE;
    m_nCurrentParameter = nIndex;
    if (m_pModifier != nullptr)
        m_pModifier->GetInnermost()->SetInputIndex(-1);
    return TRUE;
}

BOOL CommandBase::SetPickParameter(int nIndex)
{
    if (nIndex < -1 || nIndex >= m_parameters.GetSize())
        return FALSE;
    m_nPickParameter = nIndex;
    return TRUE;
}

int CommandBase::FindFirstMissingParameter() const
{
    for (INT_PTR i = 0; i < m_parameters.GetSize(); ++i) {
        const ParameterItemBase* pItem = m_parameters[i]->GetCurrentItem();
        if (pItem != nullptr && pItem->m_bRequired && pItem->IsEmpty())
            return static_cast<int>(i);
    }
    return -1;
}

BOOL CommandBase::AreAllParametersSatisfied() const
{
    for (INT_PTR i = 0; i < m_parameters.GetSize(); ++i) {
        if (!HoldsValue(m_parameters[i]->GetCurrentItem()))
            return FALSE;
    }
    return TRUE;
}

BOOL CommandBase::HasSelectionTakeoverItem() const
{
    for (INT_PTR i = 0; i < m_parameters.GetSize(); ++i) {
        const ParameterItemBase* pItem = m_parameters[i]->GetCurrentItem();
        if (pItem == nullptr)
            continue;
        switch (pItem->GetTypeCode()) {
        case ParameterItemBase::typeFeature:
            if (static_cast<const FeatureParameterItem*>(pItem)->m_bTakeSelection)
                return TRUE;
            break;
        case ParameterItemBase::typeFeatureList:
            if (static_cast<const FeatureListParameterItem*>(pItem)->m_bTakeSelection)
                return TRUE;
            break;
        case ParameterItemBase::typeFeatureGroup:
            if (static_cast<const FeatureGroupParameterItem*>(pItem)->m_bTakeSelection)
                return TRUE;
            break;
        default:
            break;
        }
    }
    return FALSE;
}

BOOL CommandBase::ChoosePickParameter()
{
    if (m_nCurrentParameter >= 0 && m_nCurrentParameter < m_parameters.GetSize()) {
        const ParameterItemBase* pItem = m_parameters[m_nCurrentParameter]->GetCurrentItem();
        if (pItem != nullptr) {
            const int code = pItem->GetTypeCode();
            if ((code >= ParameterItemBase::typePoint && code <= ParameterItemBase::typeFeatureGroup) ||
                (code == ParameterItemBase::typeMulti &&
                 (static_cast<const MultiParameterItem*>(pItem)->m_wKindMask &
                  (MultiParameterItem::acceptPoint | MultiParameterItem::acceptFeature)))) {
                m_nPickParameter = m_nCurrentParameter;
                return TRUE;
            }
        }
    }
    for (INT_PTR i = 0; i < m_parameters.GetSize(); ++i) {
        if (WantsClicks(m_parameters[i]->GetCurrentItem())) {
            m_nPickParameter = static_cast<int>(i);
            return TRUE;
        }
    }
    m_nPickParameter = -1;
    return TRUE;
}

BOOL CommandBase::GetParameterValue(int nIndex, ParameterItemBase& out)
{
    if (nIndex < 0 || nIndex >= m_parameters.GetSize())
        return FALSE;
    const ParameterItemBase* pItem = m_parameters[nIndex]->GetCurrentItem();
    if (pItem == nullptr)
        return FALSE;
    if (HoldsValue(pItem)) {
        out.Copy(*pItem);
        return TRUE;
    }
    if (m_pModifier != nullptr && m_nModifierParameter == nIndex) {
        if (pItem->GetTypeCode() == ParameterItemBase::typePointArray)
            out.Copy(*pItem);
        if (m_pModifier->ComputeValue(out))
            return TRUE;
    }
    if (m_pManager == nullptr)
        return FALSE;
    const RuVaPnt2d cursor = m_pManager->GetCursorLocalPoint();
    switch (pItem->GetTypeCode()) {
    case ParameterItemBase::typePoint:
        if (auto* p = dynamic_cast<PointParameterItem*>(&out)) {
            p->Copy(*pItem);
            p->SetValue(cursor);
            return TRUE;
        }
        return FALSE;
    case ParameterItemBase::typePointArray:
        if (auto* p = dynamic_cast<PointArrayParameterItem*>(&out)) {
            p->Copy(*pItem);
            p->AddPoint(cursor);
            return TRUE;
        }
        return FALSE;
    case ParameterItemBase::typeFeature:
        if (auto* p = dynamic_cast<FeatureParameterItem*>(&out)) {
            const FeatureLayout& hit = m_pManager->GetHitFeature();
            if (hit.GetRecordID() == -1)
                return FALSE;
            p->Copy(*pItem);
            p->SetValue(hit, m_pManager->GetCursorWorldPoint());
            return TRUE;
        }
        return FALSE;
    case ParameterItemBase::typeMulti:
        if (auto* p = dynamic_cast<MultiParameterItem*>(&out)) {
            const auto* pMulti = static_cast<const MultiParameterItem*>(pItem);
            p->Copy(*pItem);
            const FeatureLayout& hit = m_pManager->GetHitFeature();
            if ((pMulti->m_wKindMask & MultiParameterItem::acceptFeature) && hit.GetRecordID() != -1) {
                FeatureParameterItem feature;
                feature.SetValue(hit, m_pManager->GetCursorWorldPoint());
                return p->SetFeatureFrom(feature);
            }
            if (pMulti->m_wKindMask & MultiParameterItem::acceptPoint) {
                PointParameterItem point;
                point.SetValue(cursor);
                return p->SetPointFrom(point);
            }
        }
        return FALSE;
    default:
        return FALSE;
    }
}

BOOL CommandBase::GetParameterValueByID(WORD wId, ParameterItemBase& out)
{
    const int index = FindParameterIndex(wId);
    if (index < 0)
        return FALSE;
    return GetParameterValue(index, out);
}

BOOL CommandBase::CheckUniformLayoutScale(WORD wId)
{
    Draw2dDocument* pDoc = m_pManager != nullptr ? m_pManager->GetDraw2dDocument() : nullptr;
    const DrawingFeatureBase* pActive = ActiveDrawing(m_pManager);
    if (pDoc == nullptr || pActive == nullptr || !pActive->IsPaperFeature())
        return TRUE;
    const ParameterItemBase* pItem = FindItem(wId);
    CArray<FeatureLayout> records;
    if (const auto* pFeature = dynamic_cast<const FeatureParameterItem*>(pItem)) {
        FeatureLayout record;
        if (pFeature->GetValue(record))
            records.Add(record);
    } else if (const auto* pGroup = dynamic_cast<const FeatureGroupParameterItem*>(pItem)) {
        pGroup->GetFeatureLayouts(records);
    }
    if (records.IsEmpty())
        return FALSE;
    for (INT_PTR i = 0; i < records.GetSize(); ++i) {
        const long id = records[i].GetRecordID();
        const DrawingFeatureBase* pParent = pDoc->GetParentDrawingFeature(id);
        if (pParent == nullptr || pParent->IsPaperFeature())
            continue;
        const int type = pDoc->GetFeatureType(id);
        // Point markers, leads, balloons and dimensions keep their size only under equal scales.
        if (!(type == 1 || type == 30 || type == 31 || (type >= 50 && type <= 55)))
            continue;
        const PartDrawingLayout* pLayout = pDoc->GetPartLayoutByID(records[i].GetLayoutID());
        if (pLayout == nullptr)
            continue;
        double x = 1.0;
        double y = 1.0;
        pLayout->GetScale(x, y);
        if (std::fabs(x - y) >= 1e-10)
            return FALSE;
    }
    return TRUE;
}

BOOL CommandBase::GetLayoutInverseScale(double* pScaleX, double* pScaleY) const
{
    if (pScaleX == nullptr || pScaleY == nullptr)
        return FALSE;
    *pScaleX = 1.0;
    *pScaleY = 1.0;
    if (m_pManager == nullptr || (m_pManager->GetActiveView() == nullptr && m_pManager->GetDraw2dDocument() == nullptr))
        return FALSE;
    // A paper showing a part drawing through its active layout.
    const DrawingFeatureBase* pActive = ActiveDrawing(m_pManager);
    const PartDrawingLayout* pLayout = ActiveLayout(m_pManager);
    if (pActive == nullptr || !pActive->IsPaperFeature() || pLayout == nullptr)
        return TRUE;
    double x = 1.0;
    double y = 1.0;
    pLayout->GetScale(x, y);
    if (x <= 1e-10 || y <= 1e-10)
        return FALSE;
    *pScaleX = 1.0 / x;
    *pScaleY = 1.0 / y;
    return TRUE;
}

Feature2dBase* CommandBase::ConvertFeatureToLayout(const PartDrawingLayout* pLayout,
                                                   const Feature2dBase* pFeature) const
{
    const PartDrawingLayout* pActive = ActiveLayout(m_pManager);
    if (pActive == nullptr || pFeature == nullptr)
        return nullptr;
    if (pLayout == pActive)
        return pFeature->CopyObject(3);
    if (pLayout == nullptr)
        return pActive->ConvertFeatureWorldToLocal(pFeature);
    Feature2dBase* pWorld = pLayout->ConvertFeatureLocalToWorld(pFeature);
    if (pWorld == nullptr)
        return nullptr;
    Feature2dBase* pResult = pActive->ConvertFeatureWorldToLocal(pWorld);
    delete pWorld;
    return pResult;
}

void CommandBase::ConvertPointToLayout(const PartDrawingLayout* pLayout, const RuVaPnt2d& in, RuVaPnt2d& out) const
{
    out = in;
    if (m_pManager == nullptr || (m_pManager->GetActiveView() == nullptr && m_pManager->GetDraw2dDocument() == nullptr))
        return;
    const PartDrawingLayout* pActive = ActiveLayout(m_pManager);
    if (pLayout == pActive)
        return;
    RuVaPnt2d world = in;
    if (pLayout != nullptr)
        pLayout->ConvertPointLocalToWorld(in, world);
    if (pActive != nullptr)
        pActive->ConvertPointWorldToLocal(world, out);
    else
        out = world;
}

void CommandBase::SetParentCommand(CommandBase* pParent)
{
    if (m_pParent != nullptr && m_pParent != pParent) {
        if (m_pParent->m_pChild == this)
            m_pParent->m_pChild = nullptr;
        m_pParent = nullptr;
    }
    if (pParent == nullptr) {
        if (m_pChild != nullptr) {
            m_pChild->m_pParent = nullptr;
            m_pChild = nullptr;
        }
        return;
    }
    pParent->m_pChild = this;
    m_pParent = pParent;
}

// --- modifiers ----------------------------------------------------------------------------------

ParameterModifierBase* CommandBase::CreateModifier(int nKind, int nIndex)
{
    return ParameterModifierBase::CreateModifier(nKind, this, nIndex);
}

BOOL CommandBase::SetModifier(int nIndex, int nKind)
{
    if (nIndex < 0 || nIndex >= m_parameters.GetSize())
        return FALSE;
    const ParameterItemBase* pItem = m_parameters[nIndex]->GetCurrentItem();
    if (pItem == nullptr || !pItem->m_bAcceptModifier || nKind < 1 || nKind > 21)
        return FALSE;
    const int code = pItem->GetTypeCode();
    BOOL bMatch = FALSE;
    if (nKind == 1 || nKind == 2)
        bMatch = code == ParameterItemBase::typeLength;
    else if (nKind >= 10 && nKind <= 13)
        bMatch = code == ParameterItemBase::typeAngle;
    else if (nKind == 20 || nKind == 21)
        bMatch = code == ParameterItemBase::typePoint || code == ParameterItemBase::typePointArray;
    if (!bMatch)
        return FALSE;
    ParameterModifierBase* pModifier = CreateModifier(nKind, nIndex);
    if (pModifier == nullptr)
        return FALSE;
    RemoveModifier();
    m_pModifier = pModifier;
    m_nModifierParameter = nIndex;
    m_pModifier->Start();
    if (m_pModifier->GetInputIndex() == -1) {
        for (int k = 0; k < m_pModifier->GetInputCount(); ++k) {
            const ParameterItemBase* pInput = m_pModifier->GetInputItem(k);
            if (pInput != nullptr && pInput->m_bRequired && pInput->IsEmpty()) {
                m_pModifier->SetInputIndex(k);
                break;
            }
        }
    }
    return TRUE;
}

void CommandBase::EndModifierChain()
{
    if (m_pModifier == nullptr)
        return;
    m_pModifier->End();
    delete m_pModifier;
    m_pModifier = nullptr;
    m_nModifierParameter = -1;
}

BOOL CommandBase::RemoveModifier()
{
    if (m_pModifier == nullptr)
        return FALSE;
    EndModifierChain();
    return TRUE;
}

BOOL CommandBase::EndModifierStep()
{
    if (m_pModifier == nullptr)
        return FALSE;
    if (m_pModifier->GetSubModifier() != nullptr)
        return m_pModifier->EndInnermostLink();
    EndModifierChain();
    return TRUE;
}

BOOL CommandBase::IsModifierParameter(int nIndex) const
{
    return (m_pModifier != nullptr && m_nModifierParameter == nIndex) ? TRUE : FALSE;
}

int CommandBase::GetModifiedParameter() const
{
    return m_pModifier != nullptr ? m_nCurrentParameter : -1;
}

ParameterModifierBase* CommandBase::GetActiveModifier() const
{
    return m_pModifier != nullptr ? m_pModifier->GetInnermost() : nullptr;
}

int CommandBase::GetModifierDepth() const
{
    return m_pModifier != nullptr ? m_pModifier->GetDepth() : 0;
}

BOOL CommandBase::IsModifierInputActive() const
{
    const ParameterModifierBase* p = GetActiveModifier();
    return (p != nullptr && p->GetInputIndex() != -1) ? TRUE : FALSE;
}

int CommandBase::GetModifierInputIndex() const
{
    const ParameterModifierBase* p = GetActiveModifier();
    return p != nullptr ? p->GetInputIndex() : -1;
}

int CommandBase::GetModifierInputItemType(int nInput) const
{
    const ParameterItemBase* pItem = GetModifierInputItemAt(nInput);
    return pItem != nullptr ? pItem->GetTypeCode() : 0;
}

ParameterItemBase* CommandBase::GetModifierInputItemAt(int nInput) const
{
    const ParameterModifierBase* p = GetActiveModifier();
    if (p == nullptr || nInput < 0 || nInput >= p->GetInputCount())
        return nullptr;
    return p->GetInputItem(nInput);
}

ParameterItemBase* CommandBase::GetModifierInputItem() const
{
    return GetModifierInputItemAt(GetModifierInputIndex());
}

int CommandBase::GetModifierInputType() const
{
    const ParameterItemBase* pItem = GetModifierInputItem();
    return pItem != nullptr ? pItem->GetTypeCode() : 0;
}

BOOL CommandBase::ClearModifierInputItem(int nInput)
{
    ParameterItemBase* pItem = GetModifierInputItemAt(nInput);
    if (pItem == nullptr)
        return FALSE;
    pItem->Clear();
    return TRUE;
}

// --- helpers ------------------------------------------------------------------------------------

BOOL CommandBase::CollectPointCallback(int nKind, const RuVaPnt2d& point)
{
    if (nKind != 2)
        return FALSE;
    m_points.Add(point);
    return TRUE;
}

void CommandBase::ClearDragData()
{
    if (m_pDrag != nullptr)
        m_pDrag->ClearDragData();
}

BOOL CommandBase::DrawRubberbandFeature(const Feature2dBase* pFeature)
{
    Draw2dView* pView = m_pManager != nullptr ? m_pManager->GetActiveView() : nullptr;
    if (pView == nullptr || m_pRubberband == nullptr || pFeature == nullptr ||
        !m_pRubberband->BeginDraw(pView, m_pManager->GetDraw2dDocument()))
        return FALSE;
    const BOOL bDrawn =
        m_pRubberband->DrawFeature(pView->GetActiveDrawingFeature(), pView->GetActivePartLayout(), pFeature, 0.0);
    m_pRubberband->EndDraw();
    return bDrawn;
}

BOOL CommandBase::DrawRubberbandFeatureList(const Feature2dList& features)
{
    if (features.GetFeatureSize() == 0)
        return FALSE;
    for (int i = 0; i < features.GetFeatureSize(); ++i) {
        if (!DrawRubberbandFeature(features[i]))
            return FALSE;
    }
    return TRUE;
}

BOOL CommandBase::DrawRubberbandPolyline(const KcArrayOfGePnt2d& points)
{
    Draw2dView* pView = m_pManager != nullptr ? m_pManager->GetActiveView() : nullptr;
    // Nothing drawn is reported as such.
    if (pView == nullptr || m_pRubberband == nullptr || !m_pRubberband->BeginDraw(pView, m_pManager->GetDraw2dDocument()))
        return FALSE;
    KcArrayOfGePnt2d world;
    for (const RuVaPnt2d& local : points) {
        RuVaPnt2d w;
        pView->ConvertPointLocalToWorld(pView->GetActiveDrawingFeature(), nullptr, local, w);
        world.Add(w);
    }
    m_pRubberband->DrawPolyline(world, RGB(0, 255, 0));
    m_pRubberband->EndDraw();
    return TRUE;
}

BOOL CommandBase::DrawRubberbandLine(const RuVaPnt2d& p1, const RuVaPnt2d& p2)
{
    KcArrayOfGePnt2d points;
    points.Add(p1);
    points.Add(p2);
    return DrawRubberbandPolyline(points);
}

void CommandBase::GetRectangleOutline(const RuVaPnt2d& p1, const RuVaPnt2d& p2, KcArrayOfGePnt2d& outline)
{
    outline.RemoveAll();
    outline.Add(p1);
    outline.Add(RuVaPnt2d(p2.X(), p1.Y()));
    outline.Add(p2);
    outline.Add(RuVaPnt2d(p1.X(), p2.Y()));
    outline.Add(p1);
}

BOOL CommandBase::DrawRubberbandRectangle(const RuVaPnt2d& p1, const RuVaPnt2d& p2)
{
    KcArrayOfGePnt2d outline;
    GetRectangleOutline(p1, p2, outline);
    return DrawRubberbandPolyline(outline);
}

namespace {
std::map<std::u16string, CommandBase::EnableTestProc>& EnableTests()
{
    static std::map<std::u16string, CommandBase::EnableTestProc> tests;
    return tests;
}
}  // namespace

BOOL CommandBase::IsCommandEnabled(CString strIdentifier, Draw2dDocument* pDocument)
{
    if (pDocument == nullptr)
        return FALSE;
    static const LPCTSTR selectionCommands[] = {_T("Korvan.Edit.ClipboardCut"), _T("Korvan.Edit.ClipboardCopy"),
                                                _T("Korvan.Edit.Move"), _T("Korvan.Edit.Copy"),
                                                _T("Korvan.Edit.Delete")};
    for (LPCTSTR id : selectionCommands) {
        if (strIdentifier == id) {
            const SelectionManager* pSelection = pDocument->GetSelectionManager();
            return (pSelection != nullptr && !pSelection->IsSelectionEmpty()) ? TRUE : FALSE;
        }
    }
    // The other entries ask the static test of their command's class, registered by its library.
    const auto& tests = EnableTests();
    const auto found = tests.find(std::u16string(static_cast<LPCTSTR>(strIdentifier)));
    return found != tests.end() ? found->second(strIdentifier, pDocument) : FALSE;
}

void CommandBase::RegisterEnableTest(LPCTSTR identifier, EnableTestProc test)
{
    if (identifier == nullptr)
        return;
    auto& tests = EnableTests();
    if (test == nullptr)
        tests.erase(identifier);
    else
        tests[identifier] = test;
}

}  // namespace QZ2Command
