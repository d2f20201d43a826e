#include "property/Balloon2dFeatureProperty.h"

#include <algorithm>
#include <memory>

#include "command/ParameterItemBase.h"
#include "libs/ruva/RuVaPnt2d.h"
#include "libs/vevure/Draw2dDocument.h"
#include "libs/vevure/FeatureSettingConverter.h"
#include "libs/vevure/Balloon2dFeature.h"
#include "libs/vevure/BalloonSetting.h"

namespace QZ2Command {

IMPLEMENT_DYNCREATE(Balloon2dFeatureProperty, ShapeFeaturePropertyBase)

Balloon2dFeatureProperty::Balloon2dFeatureProperty() = default;

Balloon2dFeatureProperty::Balloon2dFeatureProperty(Draw2dDocument* pDocument, long nRecordID, long nLayoutID)
    : ShapeFeaturePropertyBase(pDocument, nRecordID, nLayoutID)
{
}

Balloon2dFeatureProperty::~Balloon2dFeatureProperty() = default;

namespace {

std::unique_ptr<FeatureSettingBase> ReadBalloonStyle(const Feature2dBase* pFeature)
{
    auto pStyle = std::make_unique<BalloonSetting>();
    if (!FeatureSettingConverter::GetBalloonSettingFromFeature(pFeature, *pStyle))
        return nullptr;
    return pStyle;
}

}  // namespace

void Balloon2dFeatureProperty::CopyFrom(const FeaturePropertyBase* pOther)
{
    if (pOther == nullptr || pOther == this)
        return;
    ShapeFeaturePropertyBase::CopyFrom(pOther);
    if (const auto* pSame = dynamic_cast<const Balloon2dFeatureProperty*>(pOther))
        m_nCurrentIndex = pSame->m_nCurrentIndex;
}

int Balloon2dFeatureProperty::GetCurrentIndex() const
{
    const auto* pShape = dynamic_cast<const Balloon2dFeature*>(GetFeature());
    const int nCount = pShape != nullptr ? pShape->GetLeadPointSize() : 0;
    return nCount > 0 ? std::clamp(m_nCurrentIndex, 0, nCount - 1) : 0;
}

void Balloon2dFeatureProperty::BuildPropertyList()
{
    ShapeFeaturePropertyBase::BuildPropertyList();
    AddDescriptor(idText, ParameterItemBase::typeText);
    AddDescriptor(idCount, ParameterItemBase::typeInteger);
    AddDescriptor(idIndex, ParameterItemBase::typeList);
    AddDescriptor(idPoint, ParameterItemBase::typePoint);
    AddDescriptor(idStyle, ParameterItemBase::typeSetting);
}

BOOL Balloon2dFeatureProperty::GetPropertyItem(WORD wId, ParameterItemBase* pItem, BOOL bWithCaption)
{
    if (wId <= idLineWidth)
        return ShapeFeaturePropertyBase::GetPropertyItem(wId, pItem, bWithCaption);
    const auto* pShape = dynamic_cast<const Balloon2dFeature*>(GetFeature());
    if (pItem == nullptr || pShape == nullptr)
        return FALSE;
    switch (wId) {
    case idText:
        SetRow(pItem, idText, 10884, bWithCaption);
        return SetTextValue(pItem, pShape->GetText(), TRUE, FALSE);
    case idCount:
        SetRow(pItem, idCount, 10882, bWithCaption, FALSE);
        return SetIntegerValue(pItem, pShape->GetLeadPointSize());
    case idIndex:
        if (pShape->GetLeadPointSize() == 0)
            return FALSE;
        SetRow(pItem, idIndex, 10883, bWithCaption);
        pItem->m_bRequired = TRUE;
        return SetIndexList(pItem, pShape->GetLeadPointSize(), GetCurrentIndex(), bWithCaption);
    case idPoint:
        if (pShape->GetLeadPointSize() == 0)
            return FALSE;
        SetRow(pItem, idPoint, 10864, bWithCaption);
        return SetPointValue(pItem, pShape->GetLeadPoint(GetCurrentIndex()));
    case idStyle:
        SetRow(pItem, idStyle, 10892, bWithCaption);
        return SetStyleValue(pItem, ReadBalloonStyle, TRUE, bWithCaption);
    default:
        return FALSE;
    }
}

BOOL Balloon2dFeatureProperty::ApplyProperty(WORD wId, ParameterItemBase* pItem)
{
    if (wId <= 8)
        return ShapeFeaturePropertyBase::ApplyProperty(wId, pItem);
    const auto* pShape = dynamic_cast<const Balloon2dFeature*>(GetFeature());
    if (pItem == nullptr || pItem->IsEmpty() || pShape == nullptr)
        return FALSE;
    switch (wId) {
    case idText: {
        CString text;
        if (!ReadText(pItem, text))
            return FALSE;
        return EditField(text, &Balloon2dFeature::GetText, &Balloon2dFeature::SetText);
    }
    case idIndex: {
        int n = -1;
        if (!ReadChoice(pItem, n) || n < 0 || n >= pShape->GetLeadPointSize())
            return FALSE;
        m_nCurrentIndex = n;
        return TRUE;
    }
    case idPoint: {
        if (pShape->GetLeadPointSize() == 0)
            return FALSE;
        const int nIndex = GetCurrentIndex();
        RuVaPnt2d point;
        if (!ReadPoint(pItem, point))
            return FALSE;
        return EditCopy([&](Feature2dBase* pCopy) {
            auto* p = static_cast<Balloon2dFeature*>(pCopy);
            if (p->GetLeadPoint(nIndex).IsEqual(point, 0.0))
                return editUnchanged;
            return p->SetLeadPoint(nIndex, point) ? editChanged : editRefused;
        });
    }
    case idStyle:
        return ApplyStyle(pItem, ReadBalloonStyle, [](Feature2dBase* p, const FeatureSettingBase& s) {
            return FeatureSettingConverter::SetBalloonSettingToFeature(p, static_cast<const BalloonSetting&>(s));
        }, TRUE);
    default:
        // The lead-point count is read-only.
        return FALSE;
    }
}

}  // namespace QZ2Command
