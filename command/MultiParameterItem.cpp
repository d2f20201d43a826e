#include "command/MultiParameterItem.h"

namespace QZ2Command {

IMPLEMENT_DYNCREATE(MultiParameterItem, ParameterItemBase)

MultiParameterItem::MultiParameterItem() : ParameterItemBase(typeMulti) {}

BOOL MultiParameterItem::IsEmpty() const
{
    return (m_bEmpty || m_nCurrentKind == 0) ? TRUE : FALSE;
}

ParameterItemBase* MultiParameterItem::GetActiveItem()
{
    return const_cast<ParameterItemBase*>(static_cast<const MultiParameterItem*>(this)->GetActiveItem());
}

const ParameterItemBase* MultiParameterItem::GetActiveItem() const
{
    switch (m_nCurrentKind) {
    case typePoint: return &m_pointItem;
    case typeDouble:
    case typeLength:
    case typeAngle: return &m_numberItem;
    case typeFeature: return &m_featureItem;
    default: return nullptr;
    }
}

PointParameterItem* MultiParameterItem::GetPointItem()
{
    return (m_wKindMask & acceptPoint) ? &m_pointItem : nullptr;
}

DoubleParameterItem* MultiParameterItem::GetNumberItem()
{
    return (m_wKindMask & (acceptNumber | acceptLength | acceptAngle)) ? &m_numberItem : nullptr;
}

FeatureParameterItem* MultiParameterItem::GetFeatureItem()
{
    return (m_wKindMask & acceptFeature) ? &m_featureItem : nullptr;
}

BOOL MultiParameterItem::SetPointFrom(const PointParameterItem& source)
{
    if (!(m_wKindMask & acceptPoint))
        return FALSE;
    if (source.IsEmpty()) {
        Clear();
        return TRUE;
    }
    m_pointItem.Copy(source);
    m_nCurrentKind = typePoint;
    m_bEmpty = FALSE;
    return TRUE;
}

BOOL MultiParameterItem::SetDoubleFrom(const DoubleParameterItem& source, WORD wMask, int nKind)
{
    if (!(m_wKindMask & wMask))
        return FALSE;
    if (source.IsEmpty()) {
        Clear();
        return TRUE;
    }
    m_numberItem.SetValue(source.m_dValue);
    m_nCurrentKind = nKind;
    m_bEmpty = FALSE;
    return TRUE;
}

BOOL MultiParameterItem::SetNumberFrom(const DoubleParameterItem& source)
{
    return SetDoubleFrom(source, acceptNumber, typeDouble);
}

BOOL MultiParameterItem::SetLengthFrom(const DoubleParameterItem& source)
{
    return SetDoubleFrom(source, acceptLength, typeLength);
}

BOOL MultiParameterItem::SetAngleFrom(const DoubleParameterItem& source)
{
    return SetDoubleFrom(source, acceptAngle, typeAngle);
}

BOOL MultiParameterItem::SetFeatureFrom(const FeatureParameterItem& source)
{
    if (!(m_wKindMask & acceptFeature))
        return FALSE;
    if (source.IsEmpty()) {
        Clear();
        return TRUE;
    }
    m_featureItem.Copy(source);
    m_nCurrentKind = typeFeature;
    m_bEmpty = FALSE;
    return TRUE;
}

BOOL MultiParameterItem::SetValueFrom(const ParameterItemBase& source)
{
    if (source.IsEmpty()) {
        Clear();
        return TRUE;
    }
    switch (source.GetTypeCode()) {
    case typePoint:
        if (const auto* p = dynamic_cast<const PointParameterItem*>(&source))
            return SetPointFrom(*p);
        return FALSE;
    case typeDouble:
    case typeLength:
    case typeAngle: {
        const auto* p = dynamic_cast<const DoubleParameterItem*>(&source);
        if (p == nullptr)
            return FALSE;
        if (source.GetTypeCode() == typeDouble)
            return SetNumberFrom(*p);
        return source.GetTypeCode() == typeLength ? SetLengthFrom(*p) : SetAngleFrom(*p);
    }
    case typeFeature:
        if (const auto* p = dynamic_cast<const FeatureParameterItem*>(&source))
            return SetFeatureFrom(*p);
        return FALSE;
    case typeMulti: {
        const auto* p = dynamic_cast<const MultiParameterItem*>(&source);
        if (p == nullptr)
            return FALSE;
        switch (p->m_nCurrentKind) {
        case typePoint: return SetPointFrom(p->m_pointItem);
        case typeDouble: return SetNumberFrom(p->m_numberItem);
        case typeLength: return SetLengthFrom(p->m_numberItem);
        case typeAngle: return SetAngleFrom(p->m_numberItem);
        case typeFeature: return SetFeatureFrom(p->m_featureItem);
        default: return FALSE;
        }
    }
    default:
        return FALSE;
    }
}

BOOL MultiParameterItem::Clear()
{
    m_nCurrentKind = 0;
    m_pointItem.Clear();
    m_numberItem.Clear();
    m_featureItem.Clear();
    return ParameterItemBase::Clear();
}

void MultiParameterItem::Copy(const ParameterItemBase& source)
{
    if (&source == this)
        return;
    CopyBase(source);
    if (const auto* p = dynamic_cast<const MultiParameterItem*>(&source)) {
        m_wKindMask = p->m_wKindMask;
        m_nCurrentKind = p->m_nCurrentKind;
        m_pointItem.Copy(p->m_pointItem);
        m_numberItem.Copy(p->m_numberItem);
        m_featureItem.Copy(p->m_featureItem);
    }
}

BOOL MultiParameterItem::IsEqual(const ParameterItemBase& other) const
{
    const int e = CompareEmptiness(other);
    if (e >= 0)
        return e;
    const auto* p = dynamic_cast<const MultiParameterItem*>(&other);
    if (p == nullptr || p->m_nCurrentKind != m_nCurrentKind)
        return FALSE;
    const ParameterItemBase* a = GetActiveItem();
    const ParameterItemBase* b = p->GetActiveItem();
    return (a != nullptr && b != nullptr && a->IsEqual(*b)) ? TRUE : FALSE;
}

}  // namespace QZ2Command
