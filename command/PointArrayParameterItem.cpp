#include "command/PointArrayParameterItem.h"

#include "command/PointParameterItem.h"

namespace QZ2Command {

IMPLEMENT_DYNCREATE(PointArrayParameterItem, ParameterItemBase)

PointArrayParameterItem::PointArrayParameterItem() : ParameterItemBase(typePointArray) {}

BOOL PointArrayParameterItem::AddPoint(const RuVaPnt2d& point)
{
    const INT_PTR n = m_points.GetSize();
    if (n > 0 && m_points.GetAt(n - 1).IsEqual(point, PointParameterItem::kTolerance))
        return FALSE;
    m_points.Add(point);
    m_bEmpty = FALSE;
    return TRUE;
}

BOOL PointArrayParameterItem::RemoveLastPoint()
{
    const INT_PTR n = m_points.GetSize();
    if (n == 0)
        return FALSE;
    m_points.RemoveAt(n - 1);
    if (n == 1)
        m_bEmpty = TRUE;
    return TRUE;
}

BOOL PointArrayParameterItem::SetPoints(const KcArrayOfGePnt2d& points)
{
    for (INT_PTR i = 1; i < points.GetSize(); ++i) {
        if (points.GetAt(i - 1).IsEqual(points.GetAt(i), PointParameterItem::kTolerance))
            return FALSE;
    }
    m_points.Copy(points);
    m_bEmpty = FALSE;
    return TRUE;
}

BOOL PointArrayParameterItem::GetValue(KcArrayOfGePnt2d& points) const
{
    if (IsEmpty() || m_points.IsEmpty())
        return FALSE;
    points.Copy(m_points);
    return TRUE;
}

BOOL PointArrayParameterItem::GetPointAt(int nIndex, RuVaPnt2d& point) const
{
    if (IsEmpty() || nIndex < 0 || nIndex >= m_points.GetSize())
        return FALSE;
    point = m_points.GetAt(nIndex);
    return TRUE;
}

BOOL PointArrayParameterItem::GetLastPoint(RuVaPnt2d& point) const
{
    if (IsEmpty() || m_points.IsEmpty())
        return FALSE;
    point = m_points.GetAt(m_points.GetSize() - 1);
    return TRUE;
}

BOOL PointArrayParameterItem::Clear()
{
    m_points.RemoveAll();
    m_bFinished = FALSE;
    if (m_bClearable)
        m_bEmpty = TRUE;
    return TRUE;
}

BOOL PointArrayParameterItem::SetValueFrom(const ParameterItemBase& source)
{
    const auto* pSource = dynamic_cast<const PointArrayParameterItem*>(&source);
    if (pSource == nullptr)
        return FALSE;
    if (pSource->IsEmpty())
        return Clear();
    if (!SetPoints(pSource->m_points))
        return FALSE;
    m_bFinished = pSource->m_bFinished;
    return TRUE;
}

void PointArrayParameterItem::Copy(const ParameterItemBase& source)
{
    if (&source == this)
        return;
    CopyBase(source);
    if (const auto* pSource = dynamic_cast<const PointArrayParameterItem*>(&source)) {
        m_points.Copy(pSource->m_points);
        m_bFinished = pSource->m_bFinished;
        m_bSnapInput = pSource->m_bSnapInput;
    }
}

BOOL PointArrayParameterItem::IsEqual(const ParameterItemBase& other) const
{
    const int e = CompareEmptiness(other);
    if (e >= 0)
        return e;
    const auto* pOther = dynamic_cast<const PointArrayParameterItem*>(&other);
    if (pOther == nullptr || pOther->m_bFinished != m_bFinished)
        return FALSE;
    return m_points.IsEqual(pOther->m_points, PointParameterItem::kTolerance);
}

}  // namespace QZ2Command
