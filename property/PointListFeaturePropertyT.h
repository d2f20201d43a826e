#pragma once
// The rows shared by shapes made of a list of points (polylines, B-spline curves): the number of points,
// the point chooser and the chosen point. Which point is shown belongs to the object, not to the document.

#include <algorithm>

#include "command/ParameterItemBase.h"
#include "libs/ruva/RuVaPnt2d.h"
#include "property/ShapeFeaturePropertyBase.h"

namespace QZ2Command {

// TShape offers GetPointSize(), GetPoint(i) and SetPoint(i, point).
template <class TShape, WORD kCountId, WORD kIndexId, WORD kPointId>
class PointListFeaturePropertyT : public ShapeFeaturePropertyBase
{
public:
    static constexpr WORD idCount = kCountId, idIndex = kIndexId, idPoint = kPointId;

    using ShapeFeaturePropertyBase::ShapeFeaturePropertyBase;

    void CopyFrom(const FeaturePropertyBase* pOther) override
    {
        if (pOther == nullptr || pOther == this)
            return;
        ShapeFeaturePropertyBase::CopyFrom(pOther);
        if (const auto* pSame = dynamic_cast<const PointListFeaturePropertyT*>(pOther))
            m_nCurrentIndex = pSame->m_nCurrentIndex;
    }

    void BuildPropertyList() override
    {
        ShapeFeaturePropertyBase::BuildPropertyList();
        AddPointRows();
    }

    BOOL GetPropertyItem(WORD wId, ParameterItemBase* pItem, BOOL bWithCaption) override
    {
        if (wId <= idLineWidth)
            return ShapeFeaturePropertyBase::GetPropertyItem(wId, pItem, bWithCaption);
        const TShape* pShape = GetShape();
        if (pItem == nullptr || pShape == nullptr || pShape->GetPointSize() == 0)
            return FALSE;
        switch (wId) {
        case kCountId:
            SetRow(pItem, kCountId, 10882, bWithCaption, FALSE);
            return SetIntegerValue(pItem, pShape->GetPointSize());
        case kIndexId:
            // Choosing a point is no change of the document: editable even on a locked layer.
            SetRow(pItem, kIndexId, 10883, bWithCaption);
            pItem->m_bRequired = TRUE;
            return SetIndexList(pItem, pShape->GetPointSize(), GetCurrentIndex(), bWithCaption);
        case kPointId:
            SetRow(pItem, kPointId, 10864, bWithCaption);
            return SetPointValue(pItem, pShape->GetPoint(GetCurrentIndex()));
        default:
            return FALSE;
        }
    }

    BOOL ApplyProperty(WORD wId, ParameterItemBase* pItem) override
    {
        if (wId <= 8)
            return ShapeFeaturePropertyBase::ApplyProperty(wId, pItem);
        const TShape* pShape = GetShape();
        if (pItem == nullptr || pItem->IsEmpty() || pShape == nullptr)
            return FALSE;
        switch (wId) {
        case kIndexId: {
            int n = -1;
            if (!ReadChoice(pItem, n) || n < 0 || n >= pShape->GetPointSize())
                return FALSE;
            m_nCurrentIndex = n;
            return TRUE;
        }
        case kPointId: {
            RuVaPnt2d point;
            if (!ReadPoint(pItem, point))
                return FALSE;
            const int nIndex = GetCurrentIndex();
            return EditCopy([&](Feature2dBase* pCopy) {
                auto* p = static_cast<TShape*>(pCopy);
                if (p->GetPoint(nIndex).IsEqual(point, 0.0))
                    return editUnchanged;
                return p->SetPoint(nIndex, point) ? editChanged : editRefused;
            });
        }
        default:
            return FALSE;
        }
    }

    // The chosen point, clamped to the points the shape has now: it may have lost points since the index
    // was chosen (undo, another edit).
    int GetCurrentIndex() const
    {
        const TShape* pShape = GetShape();
        const int nCount = pShape != nullptr ? pShape->GetPointSize() : 0;
        return nCount > 0 ? std::clamp(m_nCurrentIndex, 0, nCount - 1) : 0;
    }

protected:
    const TShape* GetShape() const { return dynamic_cast<const TShape*>(GetFeature()); }

    void AddPointRows()
    {
        AddDescriptor(kCountId, ParameterItemBase::typeInteger);
        AddDescriptor(kIndexId, ParameterItemBase::typeList);
        AddDescriptor(kPointId, ParameterItemBase::typePoint);
    }

    int m_nCurrentIndex = 0;
};

}  // namespace QZ2Command
