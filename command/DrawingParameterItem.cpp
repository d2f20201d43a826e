#include "command/DrawingParameterItem.h"

namespace QZ2Command {

IMPLEMENT_DYNCREATE(DrawingParameterItem, ParameterItemBase)

DrawingParameterItem::DrawingParameterItem() : ParameterItemBase(typeDrawing) {}

BOOL DrawingParameterItem::SetValue(DrawingFeatureBase* pDrawing, PartDrawingLayout* pLayout)
{
    if (pDrawing == nullptr) {
        m_bEmpty = TRUE;
        return TRUE;
    }
    m_pDrawing = pDrawing;
    m_pLayout = pLayout;
    m_bEmpty = FALSE;
    return TRUE;
}

BOOL DrawingParameterItem::GetValue(DrawingFeatureBase*& pDrawing, PartDrawingLayout*& pLayout) const
{
    if (IsEmpty())
        return FALSE;
    pDrawing = m_pDrawing;
    pLayout = m_pLayout;
    return TRUE;
}

BOOL DrawingParameterItem::SetValueFrom(const ParameterItemBase& source)
{
    const auto* p = dynamic_cast<const DrawingParameterItem*>(&source);
    if (p == nullptr)
        return FALSE;
    if (p->IsEmpty()) {
        Clear();
        return TRUE;
    }
    return SetValue(p->m_pDrawing, p->m_pLayout);
}

void DrawingParameterItem::Copy(const ParameterItemBase& source)
{
    if (&source == this)
        return;
    CopyBase(source);
    if (const auto* p = dynamic_cast<const DrawingParameterItem*>(&source)) {
        m_pDocument = p->m_pDocument;
        m_pDrawing = p->m_pDrawing;
        m_pLayout = p->m_pLayout;
        m_nAcceptedEntries = p->m_nAcceptedEntries;
    }
}

BOOL DrawingParameterItem::IsEqual(const ParameterItemBase& other) const
{
    const int e = CompareEmptiness(other);
    if (e >= 0)
        return e;
    const auto* p = dynamic_cast<const DrawingParameterItem*>(&other);
    return (p != nullptr && p->m_pDrawing == m_pDrawing && p->m_pLayout == m_pLayout) ? TRUE : FALSE;
}

}  // namespace QZ2Command
