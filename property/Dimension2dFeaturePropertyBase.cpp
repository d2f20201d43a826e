#include "property/Dimension2dFeaturePropertyBase.h"

#include <memory>

#include "command/ParameterItemBase.h"
#include "libs/ruva/RuVaPnt2d.h"
#include "libs/vevure/Dimension2dFeatureBase.h"
#include "libs/vevure/DimensionSetting.h"
#include "libs/vevure/Draw2dDocument.h"
#include "libs/vevure/FeatureCreator.h"
#include "libs/vevure/FeatureSettingConverter.h"

namespace QZ2Command {

IMPLEMENT_DYNCREATE(Dimension2dFeaturePropertyBase, ShapeFeaturePropertyBase)

namespace {

std::unique_ptr<FeatureSettingBase> ReadDimensionStyle(const Feature2dBase* pFeature)
{
    auto pStyle = std::make_unique<DimensionSetting>();
    if (!FeatureSettingConverter::GetDimensionSettingFromFeature(pFeature, *pStyle))
        return nullptr;
    return pStyle;
}

}  // namespace

Dimension2dFeaturePropertyBase::Dimension2dFeaturePropertyBase() = default;

Dimension2dFeaturePropertyBase::Dimension2dFeaturePropertyBase(Draw2dDocument* pDocument, long nRecordID,
                                                               long nLayoutID)
    : ShapeFeaturePropertyBase(pDocument, nRecordID, nLayoutID)
{
}

Dimension2dFeaturePropertyBase::~Dimension2dFeaturePropertyBase() = default;

void Dimension2dFeaturePropertyBase::AddDimensionRows()
{
    AddDescriptor(idValueMode, ParameterItemBase::typeList);
    AddDescriptor(idValueText, ParameterItemBase::typeText);
    AddDescriptor(idValuePositionMode, ParameterItemBase::typeList);
    AddDescriptor(idValuePoint, ParameterItemBase::typePoint);
    AddDescriptor(idStyle, ParameterItemBase::typeSetting);
}

BOOL Dimension2dFeaturePropertyBase::GetPropertyItem(WORD wId, ParameterItemBase* pItem, BOOL bWithCaption)
{
    if (wId <= idLineWidth)
        return ShapeFeaturePropertyBase::GetPropertyItem(wId, pItem, bWithCaption);
    const auto* pShape = dynamic_cast<const Dimension2dFeatureBase*>(GetFeature());
    if (pItem == nullptr || pShape == nullptr)
        return FALSE;
    const BOOL bEntered = pShape->GetValueTextManualMode() ? TRUE : FALSE;
    switch (wId) {
    case idValueMode:
        SetRow(pItem, idValueMode, 10903, bWithCaption);
        return SetChoice(pItem, 10946, bEntered ? 1 : 0, bWithCaption);
    case idValueText:
        SetRow(pItem, idValueText, 10904, bWithCaption, bEntered);
        return SetTextValue(pItem, pShape->GetValueText(), FALSE, FALSE);
    case idValuePositionMode:
        SetRow(pItem, idValuePositionMode, 10905, bWithCaption);
        return SetChoice(pItem, 10947, pShape->GetValueTextPosFreeMode(), bWithCaption);
    case idValuePoint:
        SetRow(pItem, idValuePoint, 10906, bWithCaption, pShape->GetValueTextPosFreeMode() != 0);
        return SetPointValue(pItem, pShape->GetValueTextPoint());
    case idStyle:
        SetRow(pItem, idStyle, 10895, bWithCaption);
        return SetStyleValue(pItem, ReadDimensionStyle, TRUE, bWithCaption);
    default:
        return FALSE;
    }
}

BOOL Dimension2dFeaturePropertyBase::EditDimension(const std::function<int(Dimension2dFeatureBase*)>& change,
                                                   const std::function<BOOL(Dimension2dFeatureBase*)>& recompute)
{
    return EditCopy([&](Feature2dBase* pCopy) {
        auto* p = static_cast<Dimension2dFeatureBase*>(pCopy);
        const int result = change(p);
        if (result != editChanged)
            return result;
        const BOOL bLaidOut =
            recompute ? recompute(p) : (FeatureCreator::UpdateDimensionFeature(p, nullptr, 0, 1.0, 1.0) != 0);
        return bLaidOut ? static_cast<int>(editChanged) : static_cast<int>(editRefused);
    });
}

BOOL Dimension2dFeaturePropertyBase::EditPoint(const ParameterItemBase* pItem,
                                               const std::function<RuVaPnt2d(const Dimension2dFeatureBase*)>& get,
                                               const std::function<BOOL(Dimension2dFeatureBase*, const RuVaPnt2d&)>& set)
{
    RuVaPnt2d point;
    if (!ReadPoint(pItem, point))
        return FALSE;
    return EditDimension([&](Dimension2dFeatureBase* p) {
        if (get(p).IsEqual(point, 0.0))
            return static_cast<int>(editUnchanged);
        return set(p, point) ? static_cast<int>(editChanged) : static_cast<int>(editRefused);
    });
}

BOOL Dimension2dFeaturePropertyBase::EditNumber(const ParameterItemBase* pItem, BOOL bPositive,
                                                const std::function<double(const Dimension2dFeatureBase*)>& get,
                                                const std::function<BOOL(Dimension2dFeatureBase*, double)>& set)
{
    double v = 0.0;
    if (!ReadDouble(pItem, v) || (bPositive && !(v > 0.0 && v < 1e15)))
        return FALSE;
    return EditDimension([&](Dimension2dFeatureBase* p) {
        if (get(p) == v)
            return static_cast<int>(editUnchanged);
        return set(p, v) ? static_cast<int>(editChanged) : static_cast<int>(editRefused);
    });
}

BOOL Dimension2dFeaturePropertyBase::ApplyProperty(WORD wId, ParameterItemBase* pItem)
{
    if (wId <= 8)
        return ShapeFeaturePropertyBase::ApplyProperty(wId, pItem);
    const auto* pShape = dynamic_cast<const Dimension2dFeatureBase*>(GetFeature());
    if (pItem == nullptr || pShape == nullptr)
        return FALSE;
    // Only the entered value text may be emptied.
    if (pItem->IsEmpty() && !(wId == idValueText && pShape->GetValueTextManualMode()))
        return FALSE;
    switch (wId) {
    case idValueMode: {
        int n = -1;
        if (!ReadChoice(pItem, n))
            return FALSE;
        const BOOL bEntered = n == 1 ? TRUE : FALSE;
        return EditDimension([&](Dimension2dFeatureBase* p) {
            if ((p->GetValueTextManualMode() ? TRUE : FALSE) == bEntered)
                return static_cast<int>(editUnchanged);
            return p->SetValueTextManualMode(bEntered) ? static_cast<int>(editChanged) : static_cast<int>(editRefused);
        });
    }
    case idValueText: {
        CString text;
        ReadText(pItem, text);
        return EditDimension([&](Dimension2dFeatureBase* p) {
            if (p->GetValueText() == text)
                return static_cast<int>(editUnchanged);
            return p->SetValueText(text) ? static_cast<int>(editChanged) : static_cast<int>(editRefused);
        });
    }
    case idValuePositionMode: {
        int n = -1;
        if (!ReadChoice(pItem, n))
            return FALSE;
        const int nMode = (n == 1 || n == 2) ? n : 0;
        return EditDimension([&](Dimension2dFeatureBase* p) {
            if (p->GetValueTextPosFreeMode() == nMode)
                return static_cast<int>(editUnchanged);
            return p->SetValueTextPosFreeMode(nMode) ? static_cast<int>(editChanged) : static_cast<int>(editRefused);
        });
    }
    case idValuePoint:
        return EditPoint(pItem, [](const Dimension2dFeatureBase* p) { return p->GetValueTextPoint(); },
                         [](Dimension2dFeatureBase* p, const RuVaPnt2d& point) { return p->SetValueTextPoint(point); });
    case idStyle:
        // The style is applied by laying the dimension out with it.
        return ApplyStyle(pItem, ReadDimensionStyle, [](Feature2dBase* p, const FeatureSettingBase& s) {
            return FeatureCreator::UpdateDimensionFeature(static_cast<Dimension2dFeatureBase*>(p),
                                                          &static_cast<const DimensionSetting&>(s), 0, 1.0, 1.0) != 0;
        }, TRUE);
    default:
        return FALSE;
    }
}

}  // namespace QZ2Command
