#include "property/Image2dFeatureProperty.h"

#include <memory>

#include "command/ParameterItemBase.h"
#include "libs/ruva/RuVaPnt2d.h"
#include "libs/vevure/Draw2dDocument.h"
#include "libs/vevure/FeatureSettingConverter.h"
#include "command/ImageSettingParameterItem.h"
#include "libs/ruva/RuVa.h"
#include "libs/vevure/Image2dFeature.h"
#include "libs/vevure/ImageSetting.h"

namespace QZ2Command {

IMPLEMENT_DYNCREATE(Image2dFeatureProperty, ShapeFeaturePropertyBase)

Image2dFeatureProperty::Image2dFeatureProperty() = default;

Image2dFeatureProperty::Image2dFeatureProperty(Draw2dDocument* pDocument, long nRecordID, long nLayoutID)
    : ShapeFeaturePropertyBase(pDocument, nRecordID, nLayoutID)
{
}

Image2dFeatureProperty::~Image2dFeatureProperty() = default;

namespace {

std::unique_ptr<FeatureSettingBase> ReadImageStyle(const Feature2dBase* pFeature)
{
    auto pStyle = std::make_unique<ImageSetting>();
    if (!FeatureSettingConverter::GetImageSettingFromFeature(pFeature, *pStyle))
        return nullptr;
    return pStyle;
}

}  // namespace

void Image2dFeatureProperty::BuildPropertyList()
{
    ShapeFeaturePropertyBase::BuildPropertyList();
    AddDescriptor(idBasePoint, ParameterItemBase::typePoint);
    AddDescriptor(idPlacement, ParameterItemBase::typeList);
    AddDescriptor(idWidth, ParameterItemBase::typeLength);
    AddDescriptor(idHeight, ParameterItemBase::typeLength);
    AddDescriptor(idAngle, ParameterItemBase::typeAngle);
    AddDescriptor(idStyle, ParameterItemBase::typeImageSetting);
}

BOOL Image2dFeatureProperty::GetPropertyItem(WORD wId, ParameterItemBase* pItem, BOOL bWithCaption)
{
    if (wId <= idLineWidth)
        return ShapeFeaturePropertyBase::GetPropertyItem(wId, pItem, bWithCaption);
    const auto* pShape = dynamic_cast<const Image2dFeature*>(GetFeature());
    if (pItem == nullptr || pShape == nullptr)
        return FALSE;
    switch (wId) {
    case idBasePoint:
        SetRow(pItem, idBasePoint, 10865, bWithCaption);
        return SetPointValue(pItem, pShape->GetPoint());
    case idPlacement:
        SetRow(pItem, idPlacement, 10888, bWithCaption);
        return SetChoice(pItem, 10948, pShape->GetAlignment(), bWithCaption);
    case idWidth:
        SetRow(pItem, idWidth, 10874, bWithCaption);
        return SetDoubleValue(pItem, pShape->GetWidth());
    case idHeight:
        SetRow(pItem, idHeight, 10875, bWithCaption);
        return SetDoubleValue(pItem, pShape->GetHeight());
    case idAngle:
        SetRow(pItem, idAngle, 10876, bWithCaption);
        return SetDoubleValue(pItem, pShape->GetAngle());
    case idStyle: {
        SetRow(pItem, idStyle, 10896, bWithCaption);
        if (auto* pImageItem = dynamic_cast<ImageSettingParameterItem*>(pItem))
            pImageItem->m_pPreviewImage = pShape;
        return SetStyleValue(pItem, ReadImageStyle, FALSE, bWithCaption);
    }
    default:
        return FALSE;
    }
}

BOOL Image2dFeatureProperty::ApplyProperty(WORD wId, ParameterItemBase* pItem)
{
    if (wId <= 8)
        return ShapeFeaturePropertyBase::ApplyProperty(wId, pItem);
    if (pItem == nullptr || pItem->IsEmpty() || dynamic_cast<const Image2dFeature*>(GetFeature()) == nullptr)
        return FALSE;
    switch (wId) {
    case idBasePoint: {
        RuVaPnt2d point;
        if (!ReadPoint(pItem, point))
            return FALSE;
        return EditField(point, &Image2dFeature::GetPoint, &Image2dFeature::SetPoint);
    }
    case idPlacement: {
        int n = -1;
        if (!ReadChoice(pItem, n) || n < 0 || n > 8)
            return FALSE;
        return EditField(n, &Image2dFeature::GetAlignment, &Image2dFeature::SetAlignment);
    }
    case idWidth: {
        double v = 0.0;
        if (!ReadDouble(pItem, v) || !(v > 0.0 && v < 1e15))
            return FALSE;
        return EditField(v, &Image2dFeature::GetWidth, &Image2dFeature::SetWidth);
    }
    case idHeight: {
        double v = 0.0;
        if (!ReadDouble(pItem, v) || !(v > 0.0 && v < 1e15))
            return FALSE;
        return EditField(v, &Image2dFeature::GetHeight, &Image2dFeature::SetHeight);
    }
    case idAngle: {
        double v = 0.0;
        if (!ReadDouble(pItem, v))
            return FALSE;
        v = RuVa::CorrectAngle(v);
        return EditField(v, &Image2dFeature::GetAngle, &Image2dFeature::SetAngle);
    }
    case idStyle:
        return ApplyStyle(pItem, ReadImageStyle, [](Feature2dBase* p, const FeatureSettingBase& s) {
            return FeatureSettingConverter::SetImageSettingToFeature(p, static_cast<const ImageSetting&>(s));
        }, FALSE);
    default:
        return FALSE;
    }
}

}  // namespace QZ2Command
