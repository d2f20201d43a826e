#include "command/ParameterModifierBase.h"

#include "command/AngleOf2PointParameterModifier.h"
#include "command/AngleOf3PointParameterModifier.h"
#include "command/CommandBase.h"
#include "command/CommandManager.h"
#include "command/DoubleParameterItem.h"
#include "command/FeatureAngleParameterModifier.h"
#include "command/FeatureLengthParameterModifier.h"
#include "command/FeatureParameterItem.h"
#include "command/FeatureRelativeAngleParameterModifier.h"
#include "command/LengthOf2PointParameterModifier.h"
#include "command/LoadResourceString.h"
#include "command/MiddlePointOf2PointParameterModifier.h"
#include "command/ParameterItemBase.h"
#include "command/PointArrayParameterItem.h"
#include "command/PointParameterItem.h"
#include "command/RelativePointParameterModifier.h"
#include "libs/ruva/KcArrayOfGePnt2d.h"
#include "libs/vevure/Draw2dDocument.h"
#include "libs/vevure/Draw2dView.h"
#include "libs/vevure/Rubberband.h"
#include "libs/vevure/Feature2dBase.h"
#include "libs/vevure/FeatureRecord.h"
#include "libs/vevure/FeatureType.h"
#include "libs/vevure/MeasureTool.h"
#include "libs/vevure/Polyline2dFeature.h"
#include "libs/zuruda/KcGeometryTool.h"

#include <cmath>
#include <memory>

namespace QZ2Command {

IMPLEMENT_DYNAMIC(ParameterModifierBase, CObject)

ParameterModifierBase::ParameterModifierBase(CommandBase* pCommand, int nParameterIndex)
    : m_pManager(pCommand != nullptr ? pCommand->GetManager() : nullptr), m_pCommand(pCommand),
      m_nParameterIndex(nParameterIndex)
{
}

ParameterModifierBase::ParameterModifierBase(CommandManager* pManager, CommandBase* pCommand, int nParameterIndex)
    : m_pManager(pManager), m_pCommand(pCommand), m_nParameterIndex(nParameterIndex)
{
}

ParameterModifierBase::~ParameterModifierBase()
{
    delete m_pSubModifier;
    RemoveAllItems();
}

ParameterModifierBase* ParameterModifierBase::CreateModifier(int nKind, CommandBase* pCommand, int nParameterIndex)
{
    switch (nKind) {
    case kindLengthOf2Point: return new LengthOf2PointParameterModifier(pCommand, nParameterIndex);
    case kindFeatureLength: return new FeatureLengthParameterModifier(pCommand, nParameterIndex);
    case kindAngleOf2Point: return new AngleOf2PointParameterModifier(pCommand, nParameterIndex);
    case kindAngleOf3Point: return new AngleOf3PointParameterModifier(pCommand, nParameterIndex);
    case kindFeatureAngle: return new FeatureAngleParameterModifier(pCommand, nParameterIndex);
    case kindFeatureRelativeAngle: return new FeatureRelativeAngleParameterModifier(pCommand, nParameterIndex);
    case kindRelativePoint: return new RelativePointParameterModifier(pCommand, nParameterIndex);
    case kindMiddlePoint: return new MiddlePointOf2PointParameterModifier(pCommand, nParameterIndex);
    default: return nullptr;
    }
}

void ParameterModifierBase::SetKind(int nKind, UINT nNameId)
{
    m_nKind = nKind;
    m_strName = LoadResourceString(nNameId);
}

// --- the operations of a kind ---------------------------------------------------------------------

BOOL ParameterModifierBase::GetBasePoint(int nInput, RuVaPnt2d& point) const
{
    const ParameterItemBase* pInput = GetInputItem(nInput);
    if (pInput == nullptr || pInput->m_wBaseItemId == ParameterItemBase::kNoBaseItem)
        return FALSE;
    const int nBase = FindItemIndex(pInput->m_wBaseItemId);
    return nBase >= 0 && GetGivenPoint(nBase, point);
}

BOOL ParameterModifierBase::ComputePreview(ParameterItemBase&) const
{
    return FALSE;
}

void ParameterModifierBase::Copy(const ParameterModifierBase& source)
{
    if (&source == this)
        return;
    m_pManager = source.m_pManager;
    m_nKind = source.m_nKind;
    m_strName = source.m_strName;
    m_nInputIndex = source.m_nInputIndex;
    RemoveAllItems();
    for (INT_PTR i = 0; i < source.m_inputs.GetSize(); ++i)
        AddItem(*source.m_inputs[i]);
    m_pCommand = source.m_pCommand;
    m_nParameterIndex = source.m_nParameterIndex;
}

BOOL ParameterModifierBase::ValidateInput(int, const ParameterItemBase&)
{
    return TRUE;
}

int ParameterModifierBase::Compute(int, ParameterItemBase&)
{
    return resultMissing;
}

void ParameterModifierBase::InitItems()
{
}

void ParameterModifierBase::DrawPreview(const CPoint&, const RuVaPnt2d&, const RuVaPnt2d&, UINT)
{
}

// --- the chain and the inputs ---------------------------------------------------------------------

BOOL ParameterModifierBase::Start()
{
    ResetItems();
    m_nInputIndex = -1;
    return TRUE;
}

void ParameterModifierBase::End()
{
    if (m_pSubModifier != nullptr) {
        m_pSubModifier->End();
        delete m_pSubModifier;
        m_pSubModifier = nullptr;
    }
    m_nInputIndex = -1;
}

int ParameterModifierBase::GetInputCount() const
{
    return static_cast<int>(m_inputs.GetSize());
}

ParameterItemBase* ParameterModifierBase::GetInputItem(int nIndex) const
{
    if (nIndex < 0 || nIndex >= m_inputs.GetSize())
        return nullptr;
    return m_inputs[nIndex];
}

BOOL ParameterModifierBase::ComputeValue(ParameterItemBase& item) const
{
    return ComputePreview(item);
}

void ParameterModifierBase::ResetItems()
{
    RemoveAllItems();
    InitItems();
}

void ParameterModifierBase::AddItem(const ParameterItemBase& item)
{
    m_inputs.Add(item.Clone());
}

void ParameterModifierBase::AddTwoPointInputs()
{
    PointParameterItem point;
    point.SetId(0);
    point.SetCaption(10720);
    point.m_wBaseItemId = 1;
    AddItem(point);
    point.SetId(1);
    point.SetCaption(10721);
    point.m_wBaseItemId = 0;
    AddItem(point);
}

void ParameterModifierBase::RemoveAllItems()
{
    for (INT_PTR i = 0; i < m_inputs.GetSize(); ++i)
        delete m_inputs[i];
    m_inputs.RemoveAll();
    m_nInputIndex = -1;
}

ParameterItemBase* ParameterModifierBase::GetItem(WORD wId) const
{
    return GetInputItem(FindItemIndex(wId));
}

int ParameterModifierBase::FindItemIndex(WORD wId) const
{
    for (INT_PTR i = 0; i < m_inputs.GetSize(); ++i)
        if (m_inputs[i]->GetId() == wId)
            return static_cast<int>(i);
    return -1;
}

int ParameterModifierBase::FindFirstMissingInput() const
{
    for (INT_PTR i = 0; i < m_inputs.GetSize(); ++i)
        if (m_inputs[i]->m_bRequired && m_inputs[i]->IsEmpty())
            return static_cast<int>(i);
    return -1;
}

int ParameterModifierBase::GetNextPickItemIndex() const
{
    if (const ParameterItemBase* pCurrent = GetInputItem(m_nInputIndex)) {
        const int code = pCurrent->GetTypeCode();
        if (code == ParameterItemBase::typePoint || code == ParameterItemBase::typeFeature)
            return m_nInputIndex;
    }
    for (INT_PTR i = 0; i < m_inputs.GetSize(); ++i) {
        const ParameterItemBase* pItem = m_inputs[i];
        if (!pItem->IsEmpty())
            continue;
        if (const auto* pPoint = dynamic_cast<const PointParameterItem*>(pItem)) {
            if (pPoint->m_bPickable)
                return static_cast<int>(i);
        } else if (pItem->GetTypeCode() == ParameterItemBase::typeFeature) {
            return static_cast<int>(i);
        }
    }
    return -1;
}

BOOL ParameterModifierBase::GetInputValueAt(int nIndex, ParameterItemBase& item) const
{
    const ParameterItemBase* pInput = GetInputItem(nIndex);
    if (pInput == nullptr)
        return FALSE;
    if (!pInput->IsEmpty()) {
        item.Copy(*pInput);
        return TRUE;
    }
    if (m_pManager == nullptr)
        return FALSE;
    if (pInput->GetTypeCode() == ParameterItemBase::typePoint) {
        auto* pPoint = dynamic_cast<PointParameterItem*>(&item);
        if (pPoint == nullptr)
            return FALSE;
        pPoint->Copy(*pInput);
        return pPoint->SetValue(m_pManager->GetCursorLocalPoint());
    }
    if (pInput->GetTypeCode() == ParameterItemBase::typeFeature) {
        auto* pFeature = dynamic_cast<FeatureParameterItem*>(&item);
        const FeatureLayout& hit = m_pManager->GetHitFeature();
        if (pFeature == nullptr || hit.GetRecordID() < 0)
            return FALSE;
        pFeature->Copy(*pInput);
        return pFeature->SetValue(hit, m_pManager->GetCursorWorldPoint());
    }
    return FALSE;
}

BOOL ParameterModifierBase::GetInputValue(WORD wId, ParameterItemBase& item) const
{
    const int nIndex = FindItemIndex(wId);
    return nIndex >= 0 && GetInputValueAt(nIndex, item);
}

ParameterItemBase* ParameterModifierBase::GetTargetItem() const
{
    if (m_pOuter != nullptr)
        return m_pOuter->GetInputItem(m_nParameterIndex);
    if (m_pCommand == nullptr || m_nParameterIndex < 0 || m_nParameterIndex >= m_pCommand->GetParameterCount())
        return nullptr;
    return m_pCommand->GetParameterItem(m_nParameterIndex);
}

BOOL ParameterModifierBase::DrawLine(const RuVaPnt2d& a, const RuVaPnt2d& b) const
{
    Draw2dView* pView = m_pManager != nullptr ? m_pManager->GetActiveView() : nullptr;
    if (pView == nullptr)
        return FALSE;
    // The modifiers' own drawer of their green preview lines (one modifier previews at a time).
    static Rubberband drawer;
    if (!drawer.BeginDraw(pView, m_pManager->GetDraw2dDocument()))
        return FALSE;
    // The points are in the active drawing; the drawer draws in the world.
    RuVaPnt2d worldA;
    RuVaPnt2d worldB;
    pView->ConvertPointLocalToWorld(pView->GetActiveDrawingFeature(), nullptr, a, worldA);
    pView->ConvertPointLocalToWorld(pView->GetActiveDrawingFeature(), nullptr, b, worldB);
    drawer.DrawLine(worldA, worldB, RGB(0, 255, 0));
    drawer.EndDraw();
    return TRUE;
}

ParameterModifierBase* ParameterModifierBase::GetInnermost()
{
    ParameterModifierBase* p = this;
    while (p->m_pSubModifier != nullptr)
        p = p->m_pSubModifier;
    return p;
}

int ParameterModifierBase::GetDepth() const
{
    int n = 1;
    for (const ParameterModifierBase* p = m_pSubModifier; p != nullptr; p = p->m_pSubModifier)
        ++n;
    return n;
}

BOOL ParameterModifierBase::EndInnermostLink()
{
    if (m_pSubModifier == nullptr)
        return FALSE;
    ParameterModifierBase* pParent = this;
    while (pParent->m_pSubModifier->m_pSubModifier != nullptr)
        pParent = pParent->m_pSubModifier;
    pParent->m_pSubModifier->End();
    delete pParent->m_pSubModifier;
    pParent->m_pSubModifier = nullptr;
    return TRUE;
}

BOOL ParameterModifierBase::SetInputIndex(int nIndex)
{
    if (nIndex < -1 || nIndex >= GetInputCount())
        return FALSE;
    m_nInputIndex = nIndex;
    return TRUE;
}

void ParameterModifierBase::SetSubModifier(ParameterModifierBase* pModifier)
{
    if (pModifier == m_pSubModifier)
        return;
    delete m_pSubModifier;
    m_pSubModifier = pModifier;
    if (pModifier != nullptr)
        pModifier->m_pOuter = this;
}

// --- helpers for the kinds ------------------------------------------------------------------------

BOOL ParameterModifierBase::WriteNumber(ParameterItemBase& target, double dValue, BOOL bRoundZero)
{
    auto* pNumber = dynamic_cast<DoubleParameterItem*>(&target);
    if (pNumber == nullptr || !std::isfinite(dValue))
        return FALSE;
    if (bRoundZero && std::fabs(dValue) < kZeroTolerance)
        dValue = 0.0;
    pNumber->SetValue(dValue);
    return TRUE;
}

BOOL ParameterModifierBase::WritePoint(ParameterItemBase& target, const RuVaPnt2d& point)
{
    if (auto* pPoint = dynamic_cast<PointParameterItem*>(&target))
        return pPoint->SetValue(point);
    if (auto* pArray = dynamic_cast<PointArrayParameterItem*>(&target)) {
        // A finished list keeps its points (nothing to add: done); a repeat of the last point is
        // refused, so that nothing runs as if a point had been given.
        if (pArray->m_bFinished)
            return TRUE;
        return pArray->AddPoint(point);
    }
    return FALSE;
}

BOOL ParameterModifierBase::GetGivenPoint(int nInput, RuVaPnt2d& point) const
{
    const ParameterItemBase* pInput = GetInputItem(nInput);
    if (pInput == nullptr || pInput->IsEmpty())
        return FALSE;
    if (const auto* pPoint = dynamic_cast<const PointParameterItem*>(pInput))
        return pPoint->GetValue(point);
    if (const auto* pArray = dynamic_cast<const PointArrayParameterItem*>(pInput))
        return pArray->GetLastPoint(point);
    return FALSE;
}

BOOL ParameterModifierBase::GetPreviewPoint(int nInput, RuVaPnt2d& point) const
{
    PointParameterItem value;
    if (!GetInputValueAt(nInput, value))
        return FALSE;
    return value.GetValue(point);
}

int ParameterModifierBase::MeasureFeatureInput(int nInput, BOOL bAngle, double& dValue) const
{
    return MeasureFeature(dynamic_cast<const FeatureParameterItem*>(GetInputItem(nInput)), bAngle, dValue);
}

BOOL ParameterModifierBase::MeasurePreviewFeature(int nInput, BOOL bAngle, double& dValue) const
{
    FeatureParameterItem value;
    return GetInputValueAt(nInput, value) && MeasureFeature(&value, bAngle, dValue) == resultDone;
}

int ParameterModifierBase::MeasureFeature(const FeatureParameterItem* pInput, BOOL bAngle, double& dValue) const
{
    if (pInput == nullptr || pInput->IsEmpty())
        return resultMissing;
    Draw2dDocument* pDocument = m_pManager != nullptr ? m_pManager->GetDraw2dDocument() : nullptr;
    FeatureRecord record;
    const Feature2dBase* pFeature =
        pDocument != nullptr && pInput->GetFeatureRecord(record) ? pDocument->GetFeature(record) : nullptr;
    if (pFeature == nullptr)
        return resultNoFeature;
    Draw2dView* pView = m_pManager->GetActiveView();
    const PartDrawingLayout* pLayout = pView != nullptr ? pView->GetPartLayoutByID(pInput->m_nLayoutID) : nullptr;
    std::unique_ptr<Feature2dBase> pLocal(m_pCommand != nullptr ? m_pCommand->ConvertFeatureToLayout(pLayout, pFeature)
                                                                 : nullptr);
    if (pLocal == nullptr)
        return resultUnusable;
    if (pLocal->GetFeatureType() == FeatureTypePolyline) {
        const KcArrayOfGePnt2d& points = static_cast<const Polyline2dFeature*>(pLocal.get())->GetPointArray();
        RuVaPnt2d pick;
        m_pManager->WorldToLocalPoint(pInput->m_pickPoint, pick);
        const int nSegment = KcGeometryTool::GetNearestSegment(points, pick);
        if (nSegment < 0 || nSegment + 1 >= points.GetSize())
            dValue = 0.0;
        else if (bAngle)
            dValue = MeasureTool::GetAngle(points[nSegment], points[nSegment + 1]);
        else
            dValue = points[nSegment].Distance(points[nSegment + 1]);
    } else {
        dValue = bAngle ? MeasureTool::GetFeatureAngle(pLocal.get(), 0) : MeasureTool::GetFeatureLength(pLocal.get());
    }
    return resultDone;
}

void ParameterModifierBase::MakeFeatureInput(ParameterItemBase& item, DWORD dwAcceptedKinds)
{
    if (auto* pFeature = dynamic_cast<FeatureParameterItem*>(&item))
        pFeature->m_dwAcceptedKinds = dwAcceptedKinds;
}

}  // namespace QZ2Command
