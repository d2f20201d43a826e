#include "libs/vevure/LineHatchPattern.h"

#include "platform/afx/CArchive.h"
#include "platform/afx/CArchiveException.h"
#include "platform/afx/CInvalidArgException.h"

IMPLEMENT_SERIAL(LineHatchPattern, HatchPatternBase, 1)

LineHatchPattern::LineHatchPattern() = default;
LineHatchPattern::~LineHatchPattern() = default;

const LineHatchPatternLineItem& LineHatchPattern::GetLineItem(int index) const
{
    if (index < 0 || index >= GetLineItemCount())
        AfxThrowInvalidArgException();
    return m_items[static_cast<size_t>(index)];
}

LineHatchPatternLineItem* LineHatchPattern::ItemAt(int index)
{
    if (index < 0 || index >= GetLineItemCount())
        return nullptr;
    return &m_items[static_cast<size_t>(index)];
}

int LineHatchPattern::AddLineItem(const LineHatchPatternLineItem& item)
{
    if (GetLineItemCount() >= kMaxLineItemCount || !item.IsValidItem())
        return -1;
    m_items.push_back(item);
    return GetLineItemCount() - 1;
}

BOOL LineHatchPattern::DeleteLineItem(int index)
{
    if (ItemAt(index) == nullptr)
        return FALSE;
    m_items.erase(m_items.begin() + index);
    return TRUE;
}

BOOL LineHatchPattern::SetLinePoint(int index, const RuVaPnt2d& point)
{
    LineHatchPatternLineItem* item = ItemAt(index);
    return item != nullptr && item->SetPoint(point);
}

BOOL LineHatchPattern::SetLineAngle(int index, double angle)
{
    LineHatchPatternLineItem* item = ItemAt(index);
    return item != nullptr && item->SetAngle(angle);
}

BOOL LineHatchPattern::SetLineSpace(int index, double space)
{
    LineHatchPatternLineItem* item = ItemAt(index);
    return item != nullptr && item->SetSpace(space);
}

BOOL LineHatchPattern::SetLineColorNo(int index, short no)
{
    LineHatchPatternLineItem* item = ItemAt(index);
    return item != nullptr && item->SetColorNo(no);
}

BOOL LineHatchPattern::SetLineTypeNo(int index, short no)
{
    LineHatchPatternLineItem* item = ItemAt(index);
    return item != nullptr && item->SetLineTypeNo(no);
}

BOOL LineHatchPattern::SetLineWidthNo(int index, short no)
{
    LineHatchPatternLineItem* item = ItemAt(index);
    return item != nullptr && item->SetLineWidthNo(no);
}

BOOL LineHatchPattern::Copy(const HatchPatternBase& src)
{
    if (!HatchPatternBase::Copy(src))
        return FALSE;
    m_items = static_cast<const LineHatchPattern&>(src).m_items;
    return TRUE;
}

BOOL LineHatchPattern::IsEqual(const HatchPatternBase& other) const
{
    return HatchPatternBase::IsEqual(other) && m_items == static_cast<const LineHatchPattern&>(other).m_items;
}

BOOL LineHatchPattern::IsValidPattern() const
{
    if (!HatchPatternBase::IsValidPattern() || GetLineItemCount() > kMaxLineItemCount)
        return FALSE;
    for (const LineHatchPatternLineItem& item : m_items) {
        if (!item.IsValidItem())
            return FALSE;
    }
    return TRUE;
}

void LineHatchPattern::Serialize(CArchive& ar)
{
    if (ar.IsStoring()) {
        ar << static_cast<WORD>(kSchema);
        HatchPatternBase::Serialize(ar);
        ar.WriteCount(m_items.size());
        for (LineHatchPatternLineItem& item : m_items)
            item.Serialize(ar);
        return;
    }
    WORD schema = 0;
    ar >> schema;
    if (schema == 0 || schema > kSchema)
        ar.ThrowArchiveException(CArchiveException::badSchema);
    LineHatchPattern loaded;
    loaded.SetPatternID(GetPatternID());
    loaded.HatchPatternBase::Serialize(ar);
    const DWORD_PTR count = ar.ReadCount();
    if (count > static_cast<DWORD_PTR>(kMaxLineItemCount))
        ar.ThrowArchiveException(CArchiveException::genericException);
    loaded.m_items.resize(count);
    for (LineHatchPatternLineItem& item : loaded.m_items)
        item.Serialize(ar);
    if (!loaded.IsValidPattern())
        ar.ThrowArchiveException(CArchiveException::genericException);
    *this = loaded;
}
