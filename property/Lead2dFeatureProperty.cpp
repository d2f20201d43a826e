#include "property/Lead2dFeatureProperty.h"

#include <algorithm>
#include <memory>

#include "command/ParameterItemBase.h"
#include "libs/ruva/RuVaPnt2d.h"
#include "libs/vevure/Draw2dDocument.h"
#include "libs/vevure/FeatureSettingConverter.h"
#include "libs/vevure/FeatureCreator.h"
#include "libs/vevure/Lead2dFeature.h"
#include "libs/vevure/LeadSetting.h"

namespace QZ2Command {

IMPLEMENT_DYNCREATE(Lead2dFeatureProperty, ShapeFeaturePropertyBase)

Lead2dFeatureProperty::Lead2dFeatureProperty() = default;

Lead2dFeatureProperty::Lead2dFeatureProperty(Draw2dDocument* pDocument, long nRecordID, long nLayoutID)
    : ShapeFeaturePropertyBase(pDocument, nRecordID, nLayoutID)
{
}

Lead2dFeatureProperty::~Lead2dFeatureProperty() = default;

namespace {

std::unique_ptr<FeatureSettingBase> ReadLeadStyle(const Feature2dBase* pFeature)
{
    auto pStyle = std::make_unique<LeadSetting>();
    if (!FeatureSettingConverter::GetLeadSettingFromFeature(pFeature, *pStyle))
        return nullptr;
    return pStyle;
}

}  // namespace

void Lead2dFeatureProperty::CopyFrom(const FeaturePropertyBase* pOther)
{
    if (pOther == nullptr || pOther == this)
        return;
    ShapeFeaturePropertyBase::CopyFrom(pOther);
    if (const auto* pSame = dynamic_cast<const Lead2dFeatureProperty*>(pOther))
        m_nCurrentIndex = pSame->m_nCurrentIndex;
}

int Lead2dFeatureProperty::GetCurrentIndex() const
{
    const auto* pShape = dynamic_cast<const Lead2dFeature*>(GetFeature());
    const int nCount = pShape != nullptr ? pShape->GetPointSize() : 0;
    return nCount > 0 ? std::clamp(m_nCurrentIndex, 0, nCount - 1) : 0;
}

void Lead2dFeatureProperty::BuildPropertyList()
{
    ShapeFeaturePropertyBase::BuildPropertyList();
    AddDescriptor(idText, ParameterItemBase::typeText);
    AddDescriptor(idCount, ParameterItemBase::typeInteger);
    AddDescriptor(idIndex, ParameterItemBase::typeList);
    AddDescriptor(idPoint, ParameterItemBase::typePoint);
    AddDescriptor(idTextPointMode, ParameterItemBase::typeList);
    AddDescriptor(idTextPoint, ParameterItemBase::typePoint);
    AddDescriptor(idStyle, ParameterItemBase::typeSetting);
}

BOOL Lead2dFeatureProperty::GetPropertyItem(WORD wId, ParameterItemBase* pItem, BOOL bWithCaption)
{
    if (wId <= idLineWidth)
        return ShapeFeaturePropertyBase::GetPropertyItem(wId, pItem, bWithCaption);
    const auto* pShape = dynamic_cast<const Lead2dFeature*>(GetFeature());
    if (pItem == nullptr || pShape == nullptr || pShape->GetPointSize() == 0)
        return FALSE;
    switch (wId) {
    case idText:
        SetRow(pItem, idText, 10884, bWithCaption);
        return SetTextValue(pItem, pShape->GetText(), TRUE, TRUE);
    case idCount:
        SetRow(pItem, idCount, 10882, bWithCaption, FALSE);
        return SetIntegerValue(pItem, pShape->GetPointSize());
    case idIndex:
        // Choosing a vertex is no change of the document: editable even on a locked layer.
        SetRow(pItem, idIndex, 10883, bWithCaption);
        pItem->m_bRequired = TRUE;
        return SetIndexList(pItem, pShape->GetPointSize(), GetCurrentIndex(), bWithCaption);
    case idPoint:
        SetRow(pItem, idPoint, 10864, bWithCaption);
        return SetPointValue(pItem, pShape->GetPoint(GetCurrentIndex()));
    case idTextPointMode:
        SetRow(pItem, idTextPointMode, 10887, bWithCaption);
        return SetChoice(pItem, 10832, pShape->IsTextPointFree() ? 1 : 0, bWithCaption);
    case idTextPoint:
        SetRow(pItem, idTextPoint, 10870, bWithCaption, pShape->IsTextPointFree());
        return SetPointValue(pItem, pShape->GetTextPoint());
    case idStyle:
        SetRow(pItem, idStyle, 10891, bWithCaption);
        return SetStyleValue(pItem, ReadLeadStyle, TRUE, bWithCaption);
    default:
        return FALSE;
    }
}

BOOL Lead2dFeatureProperty::EditLead(const std::function<int(Lead2dFeature*)>& edit)
{
    return EditCopy([&](Feature2dBase* pCopy) {
        auto* p = static_cast<Lead2dFeature*>(pCopy);
        const int result = edit(p);
        if (result == editChanged && !FeatureCreator::UpdateLeadFeature(p, nullptr))
            return static_cast<int>(editRefused);
        return result;
    });
}

BOOL Lead2dFeatureProperty::ApplyProperty(WORD wId, ParameterItemBase* pItem)
{
    if (wId <= 8)
        return ShapeFeaturePropertyBase::ApplyProperty(wId, pItem);
    const auto* pShape = dynamic_cast<const Lead2dFeature*>(GetFeature());
    // An empty text from the text dialog is not taken either.
    if (pItem == nullptr || pItem->IsEmpty() || pShape == nullptr)
        return FALSE;
    switch (wId) {
    case idText: {
        CString text;
        if (!ReadText(pItem, text) || text.IsEmpty())
            return FALSE;
        return EditLead([&](Lead2dFeature* p) {
            if (p->GetText() == text)
                return editUnchanged;
            return p->SetText(text) ? editChanged : editRefused;
        });
    }
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
        return EditLead([&](Lead2dFeature* p) {
            if (p->GetPoint(nIndex).IsEqual(point, 0.0))
                return editUnchanged;
            return p->SetPoint(nIndex, point) ? editChanged : editRefused;
        });
    }
    case idTextPointMode: {
        int n = -1;
        if (!ReadChoice(pItem, n) || n < 0 || n > 1)
            return FALSE;
        return EditLead([&](Lead2dFeature* p) {
            if ((p->IsTextPointFree() ? 1 : 0) == n)
                return editUnchanged;
            p->SetTextPointFree(n == 1);
            return editChanged;
        });
    }
    case idTextPoint: {
        if (!pShape->IsTextPointFree())
            return FALSE;
        RuVaPnt2d point;
        if (!ReadPoint(pItem, point))
            return FALSE;
        return EditLead([&](Lead2dFeature* p) {
            if (p->GetTextPoint().IsEqual(point, 0.0))
                return editUnchanged;
            return p->SetTextPoint(point) ? editChanged : editRefused;
        });
    }
    case idStyle:
        return ApplyStyle(pItem, ReadLeadStyle, [](Feature2dBase* p, const FeatureSettingBase& s) {
            return FeatureSettingConverter::SetLeadSettingToFeature(p, static_cast<const LeadSetting&>(s));
        }, TRUE,
            [](Feature2dBase* p) { FeatureCreator::UpdateLeadFeature(static_cast<Lead2dFeature*>(p), nullptr); });
    default:
        // The vertex count is read-only.
        return FALSE;
    }
}

}  // namespace QZ2Command
