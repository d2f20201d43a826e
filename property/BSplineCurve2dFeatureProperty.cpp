#include "property/BSplineCurve2dFeatureProperty.h"

#include <algorithm>

#include "command/ParameterItemBase.h"
#include "libs/ruva/RuVaPnt2d.h"
#include "libs/vevure/Draw2dDocument.h"
#include "libs/vevure/BSplineCurve2dFeature.h"

namespace QZ2Command {

IMPLEMENT_DYNCREATE(BSplineCurve2dFeatureProperty, ShapeFeaturePropertyBase)

BSplineCurve2dFeatureProperty::BSplineCurve2dFeatureProperty() = default;

BSplineCurve2dFeatureProperty::BSplineCurve2dFeatureProperty(Draw2dDocument* pDocument, long nRecordID, long nLayoutID)
    : ShapeFeaturePropertyBase(pDocument, nRecordID, nLayoutID)
{
}

BSplineCurve2dFeatureProperty::~BSplineCurve2dFeatureProperty() = default;

void BSplineCurve2dFeatureProperty::CopyFrom(const FeaturePropertyBase* pOther)
{
    if (pOther == nullptr || pOther == this)
        return;
    ShapeFeaturePropertyBase::CopyFrom(pOther);
    if (const auto* pSame = dynamic_cast<const BSplineCurve2dFeatureProperty*>(pOther))
        m_nCurrentIndex = pSame->m_nCurrentIndex;
}

int BSplineCurve2dFeatureProperty::GetCurrentIndex() const
{
    // The shape may have lost points since the index was chosen (undo, another edit).
    const auto* pShape = dynamic_cast<const BSplineCurve2dFeature*>(GetFeature());
    const int nCount = pShape != nullptr ? pShape->GetPointSize() : 0;
    return nCount > 0 ? std::clamp(m_nCurrentIndex, 0, nCount - 1) : 0;
}

void BSplineCurve2dFeatureProperty::BuildPropertyList()
{
    ShapeFeaturePropertyBase::BuildPropertyList();
    AddDescriptor(idKindNumber, ParameterItemBase::typeInteger);
    AddDescriptor(idCount, ParameterItemBase::typeInteger);
    AddDescriptor(idIndex, ParameterItemBase::typeList);
    AddDescriptor(idPoint, ParameterItemBase::typePoint);
}

BOOL BSplineCurve2dFeatureProperty::GetPropertyItem(WORD wId, ParameterItemBase* pItem, BOOL bWithCaption)
{
    if (wId <= idLineWidth)
        return ShapeFeaturePropertyBase::GetPropertyItem(wId, pItem, bWithCaption);
    const auto* pShape = dynamic_cast<const BSplineCurve2dFeature*>(GetFeature());
    if (pItem == nullptr || pShape == nullptr || pShape->GetPointSize() == 0)
        return FALSE;
    switch (wId) {
    case idKindNumber:
        SetRow(pItem, idKindNumber, 10885, bWithCaption, FALSE);
        return SetIntegerValue(pItem, pShape->GetKind());
    case idCount:
        SetRow(pItem, idCount, 10882, bWithCaption, FALSE);
        return SetIntegerValue(pItem, pShape->GetPointSize());
    case idIndex:
        // Choosing a point is no change of the document: editable even on a locked layer.
        SetRow(pItem, idIndex, 10883, bWithCaption);
        pItem->m_bRequired = TRUE;
        return SetIndexList(pItem, pShape->GetPointSize(), GetCurrentIndex(), bWithCaption);
    case idPoint:
        SetRow(pItem, idPoint, 10864, bWithCaption);
        return SetPointValue(pItem, pShape->GetPoint(GetCurrentIndex()));
    default:
        return FALSE;
    }
}

BOOL BSplineCurve2dFeatureProperty::ApplyProperty(WORD wId, ParameterItemBase* pItem)
{
    if (wId <= 8)
        return ShapeFeaturePropertyBase::ApplyProperty(wId, pItem);
    const auto* pShape = dynamic_cast<const BSplineCurve2dFeature*>(GetFeature());
    if (pItem == nullptr || pItem->IsEmpty() || pShape == nullptr)
        return FALSE;
    switch (wId) {
    case idIndex: {
        int n = -1;
        if (!ReadChoice(pItem, n) || n < 0 || n >= pShape->GetPointSize())
            return FALSE;
        m_nCurrentIndex = n;
        return TRUE;
    }
    case idPoint: {
        RuVaPnt2d point;
        if (!ReadPoint(pItem, point))
            return FALSE;
        const int nIndex = GetCurrentIndex();
        return EditCopy([&](Feature2dBase* pCopy) {
            auto* p = static_cast<BSplineCurve2dFeature*>(pCopy);
            if (p->GetPoint(nIndex).IsEqual(point, 0.0))
                return editUnchanged;
            return p->SetPoint(nIndex, point) ? editChanged : editRefused;
        });
    }
    default:
        return FALSE;
    }
}

}  // namespace QZ2Command
