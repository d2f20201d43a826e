#include "command/ScaleParameterItem.h"

#include <cmath>

#include "command/NumericFormat.h"

namespace QZ2Command {

IMPLEMENT_DYNCREATE(ScaleParameterItem, ParameterItemBase)

ScaleParameterItem::ScaleParameterItem() : ParameterItemBase(typeScale)
{
    m_bHistory = TRUE;
}

BOOL ScaleParameterItem::IsValidFactor(double f)
{
    const double a = std::fabs(f);
    return (a >= 1e-10 && a < 1e15) ? TRUE : FALSE;
}

BOOL ScaleParameterItem::SetValue(double x, double y)
{
    if (!IsValidFactor(x) || !IsValidFactor(y))
        return FALSE;
    m_dValueX = x;
    m_dValueY = y;
    m_bEmpty = FALSE;
    return TRUE;
}

BOOL ScaleParameterItem::GetValue(double& x, double& y) const
{
    if (IsEmpty())
        return FALSE;
    x = m_dValueX;
    y = m_dValueY;
    return TRUE;
}

BOOL ScaleParameterItem::SetDefaultValue(double x, double y)
{
    if (!IsValidFactor(x) || !IsValidFactor(y))
        return FALSE;
    m_dDefaultX = x;
    m_dDefaultY = y;
    m_bNoDefault = FALSE;
    return TRUE;
}

void ScaleParameterItem::ApplyDefault()
{
    if (!m_bNoDefault)
        SetValue(m_dDefaultX, m_dDefaultY);
}

BOOL ScaleParameterItem::SetValueFrom(const ParameterItemBase& source)
{
    const auto* pSource = dynamic_cast<const ScaleParameterItem*>(&source);
    if (pSource == nullptr)
        return FALSE;
    if (pSource->IsEmpty()) {
        Clear();
        return TRUE;
    }
    return SetValue(pSource->m_dValueX, pSource->m_dValueY);
}

void ScaleParameterItem::Copy(const ParameterItemBase& source)
{
    if (&source == this)
        return;
    CopyBase(source);
    if (const auto* pSource = dynamic_cast<const ScaleParameterItem*>(&source)) {
        m_dValueX = pSource->m_dValueX;
        m_dValueY = pSource->m_dValueY;
        m_dDefaultX = pSource->m_dDefaultX;
        m_dDefaultY = pSource->m_dDefaultY;
    }
}

BOOL ScaleParameterItem::IsEqual(const ParameterItemBase& other) const
{
    const int e = CompareEmptiness(other);
    if (e >= 0)
        return e;
    const auto* pOther = dynamic_cast<const ScaleParameterItem*>(&other);
    return (pOther != nullptr && m_dValueX == pOther->m_dValueX && m_dValueY == pOther->m_dValueY) ? TRUE : FALSE;
}

void ScaleParameterItem::GetValueText(CString& text) const
{
    text.Empty();
    if (IsEmpty())
        return;
    CString x;
    CString y;
    if (!NumericFormat::DoubleToString(m_dValueX, x, 0) || !NumericFormat::DoubleToString(m_dValueY, y, 0))
        return;
    text.Format(_T("%s, %s"), (LPCTSTR)x, (LPCTSTR)y);
}

}  // namespace QZ2Command
