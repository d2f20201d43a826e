#include "property/FeaturePropertyBase.h"

#include <cmath>
#include <memory>

#include "command/NumericFormat.h"
#include "command/ParameterItemBase.h"
#include "command/DoubleParameterItem.h"
#include "command/IntegerParameterItem.h"
#include "command/PointParameterItem.h"
#include "command/ScaleParameterItem.h"
#include "libs/ruva/RuVaPnt2d.h"
#include "libs/vevure/NumericCharConverter.h"

namespace QZ2Command {

IMPLEMENT_DYNCREATE(FeaturePropertyBase, CObject)

FeaturePropertyBase::FeaturePropertyBase() = default;

FeaturePropertyBase::~FeaturePropertyBase() = default;

BOOL FeaturePropertyBase::GetPropertyItem(WORD, ParameterItemBase*, BOOL) { return FALSE; }

BOOL FeaturePropertyBase::IsShapeProperty() const { return FALSE; }

BOOL FeaturePropertyBase::IsSameTarget(const FeaturePropertyBase*) const { return FALSE; }

void FeaturePropertyBase::CopyFrom(const FeaturePropertyBase* pOther)
{
    if (pOther == nullptr || pOther == this)
        return;
    m_nKind = pOther->m_nKind;
    m_descriptors = pOther->m_descriptors;
    m_pDocument = pOther->m_pDocument;
}

void FeaturePropertyBase::BuildPropertyList() {}

BOOL FeaturePropertyBase::ValidatePropertyValue(WORD, ParameterItemBase*) { return TRUE; }

BOOL FeaturePropertyBase::ApplyProperty(WORD, ParameterItemBase*) { return TRUE; }

void FeaturePropertyBase::OnClearDescriptors() {}

int FeaturePropertyBase::OnDocumentNotify(const NotifyInfoBase*) { return notifyNone; }

FeaturePropertyBase* FeaturePropertyBase::Clone() const
{
    CObject* pObject = GetRuntimeClass()->CreateObject();
    auto* pClone = dynamic_cast<FeaturePropertyBase*>(pObject);
    if (pClone == nullptr) {
        delete pObject;
        return nullptr;
    }
    pClone->CopyFrom(this);
    return pClone;
}

void FeaturePropertyBase::ResetDescriptors()
{
    m_descriptors.clear();
    BuildPropertyList();
}

void FeaturePropertyBase::ClearDescriptors()
{
    OnClearDescriptors();
    m_descriptors.clear();
}

int FeaturePropertyBase::FindDescriptor(WORD wId) const
{
    for (size_t i = 0; i < m_descriptors.size(); ++i)
        if (m_descriptors[i].wId == wId)
            return static_cast<int>(i);
    return -1;
}

BOOL FeaturePropertyBase::ApplyPropertyItem(WORD wId, ParameterItemBase* pItem)
{
    if (!ValidatePropertyValue(wId, pItem))
        return FALSE;
    return ApplyProperty(wId, pItem);
}

BOOL FeaturePropertyBase::ApplyPropertyItemAt(int nIndex, ParameterItemBase* pItem)
{
    return ApplyPropertyItem(GetDescriptor(nIndex).wId, pItem);
}

BOOL FeaturePropertyBase::ParseValueText(ParameterItemBase* pItem, const CString& text)
{
    if (pItem == nullptr)
        return FALSE;
    const int nType = pItem->GetTypeCode();
    switch (nType) {
    case ParameterItemBase::typeDouble:
    case ParameterItemBase::typeLength:
    case ParameterItemBase::typeAngle:
    case ParameterItemBase::typeInteger:
    case ParameterItemBase::typeScale:
    case ParameterItemBase::typePoint:
        break;
    default:
        return FALSE;
    }
    if (text.IsEmpty()) {
        pItem->Clear();
        // An item that cannot be cleared still reads as empty to the objects.
        pItem->m_bEmpty = TRUE;
        return TRUE;
    }
    switch (nType) {
    case ParameterItemBase::typeDouble:
    case ParameterItemBase::typeLength:
    case ParameterItemBase::typeAngle: {
        auto* pDouble = dynamic_cast<DoubleParameterItem*>(pItem);
        double value = 0.0;
        // A number the model cannot hold (1e999, NaN) is no value.
        if (pDouble == nullptr || !NumericFormat::StringToDouble(text, value) || !std::isfinite(value))
            return FALSE;
        pDouble->SetValue(value);
        return TRUE;
    }
    case ParameterItemBase::typeInteger: {
        auto* pInteger = dynamic_cast<IntegerParameterItem*>(pItem);
        int value = 0;
        if (pInteger == nullptr || !NumericFormat::StringToInteger(text, value))
            return FALSE;
        pInteger->SetValue(value);
        return TRUE;
    }
    case ParameterItemBase::typeScale: {
        auto* pScale = dynamic_cast<ScaleParameterItem*>(pItem);
        double x = 0.0;
        double y = 0.0;
        if (pScale == nullptr || !NumericCharConverter::StringToScale(text, x, y))
            return FALSE;
        return pScale->SetValue(x, y);
    }
    case ParameterItemBase::typePoint: {
        auto* pPoint = dynamic_cast<PointParameterItem*>(pItem);
        RuVaPnt2d point;
        int nRelative = 0;
        int nPolar = 0;
        if (pPoint == nullptr || !NumericFormat::StringToPoint(text, point, nRelative, nPolar))
            return FALSE;
        if (nPolar != 0) {
            const double r = point.X();
            const double a = point.Y() * 0.017453292519943295;
            point = RuVaPnt2d(r * std::cos(a), r * std::sin(a));
        }
        if (!std::isfinite(point.X()) || !std::isfinite(point.Y()))
            return FALSE;
        return pPoint->SetValue(point);
    }
    default:
        return FALSE;
    }
}

}  // namespace QZ2Command
