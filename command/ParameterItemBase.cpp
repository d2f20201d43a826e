#include "command/ParameterItemBase.h"

#include "command/AngleParameterItem.h"
#include "command/ColorParameterItem.h"
#include "command/DoubleParameterItem.h"
#include "command/DrawComponentParameterItem.h"
#include "command/DrawingParameterItem.h"
#include "command/FeatureGroupParameterItem.h"
#include "command/FeatureListParameterItem.h"
#include "command/FeatureParameterItem.h"
#include "command/FeatureSequenceListParameterItem.h"
#include "command/FeatureSequenceParameterItem.h"
#include "command/FilePathParameterItem.h"
#include "command/ImageSettingParameterItem.h"
#include "command/IntegerParameterItem.h"
#include "command/LayerParameterItem.h"
#include "command/LengthParameterItem.h"
#include "command/LineTypeParameterItem.h"
#include "command/LineWidthParameterItem.h"
#include "command/ListParameterItem.h"
#include "command/MultiParameterItem.h"
#include "command/PointArrayParameterItem.h"
#include "command/PointParameterItem.h"
#include "command/ScaleParameterItem.h"
#include "command/SettingParameterItem.h"
#include "command/TextParameterItem.h"
#include "command/ToleranceParameterItem.h"
#include "platform/afx/ResourceModule.h"

namespace QZ2Command {

IMPLEMENT_DYNCREATE(ParameterItemBase, CObject)

ParameterItemBase::ParameterItemBase() = default;

ParameterItemBase::ParameterItemBase(int nTypeCode) : m_nTypeCode(nTypeCode) {}

ParameterItemBase::~ParameterItemBase() = default;

BOOL ParameterItemBase::IsEmpty() const
{
    return m_bEmpty;
}

BOOL ParameterItemBase::Clear()
{
    if (!m_bClearable)
        return FALSE;
    m_bEmpty = TRUE;
    return TRUE;
}

void ParameterItemBase::ClearDefault()
{
    m_bNoDefault = TRUE;
}

void ParameterItemBase::ApplyDefault() {}

BOOL ParameterItemBase::IsSettingItem() const
{
    return FALSE;
}

BOOL ParameterItemBase::IsImageSettingItem() const
{
    return FALSE;
}

BOOL ParameterItemBase::IsFilePathItem() const
{
    return FALSE;
}

BOOL ParameterItemBase::SetValueFrom(const ParameterItemBase&)
{
    return FALSE;
}

void ParameterItemBase::CopyBase(const ParameterItemBase& source)
{
    if (&source == this)
        return;
    m_wId = source.m_wId;
    // An item never changes its class; a copy from another class keeps this item's code.
    if (source.GetRuntimeClass() == GetRuntimeClass())
        m_nTypeCode = source.m_nTypeCode;
    m_strCaption = source.m_strCaption;
    m_strPrompt = source.m_strPrompt;
    m_strGuidance = source.m_strGuidance;
    m_bRequired = source.m_bRequired;
    m_bOptional = source.m_bOptional;
    m_bAcceptModifier = source.m_bAcceptModifier;
    m_bClearable = source.m_bClearable;
    m_nRetentionMode = source.m_nRetentionMode;
    m_bResetOnDrawingChange = source.m_bResetOnDrawingChange;
    m_bHistory = source.m_bHistory;
    m_bEmpty = source.m_bEmpty;
    m_bNoDefault = source.m_bNoDefault;
    m_wBaseItemId = source.m_wBaseItemId;
}

void ParameterItemBase::Copy(const ParameterItemBase& source)
{
    CopyBase(source);
}

int ParameterItemBase::CompareEmptiness(const ParameterItemBase& other) const
{
    const BOOL a = IsEmpty();
    const BOOL b = other.IsEmpty();
    if (a && b)
        return 1;
    if (a || b)
        return 0;
    return -1;
}

BOOL ParameterItemBase::IsEqual(const ParameterItemBase&) const
{
    return FALSE;
}

BOOL ParameterItemBase::MergeValue(const ParameterItemBase& other)
{
    if (!IsEqual(other))
        Clear();
    return TRUE;
}

BOOL ParameterItemBase::SetId(int nId)
{
    if (nId < 0)
        return FALSE;
    m_wId = static_cast<WORD>(nId & 0xFFFF);
    return TRUE;
}

void ParameterItemBase::SetCaption(UINT nStringId)
{
    std::u16string text;
    if (AfxLoadStringResource(nStringId, text))
        m_strCaption = CString(text.c_str());
}

ParameterItemBase* ParameterItemBase::CreateItem(int nTypeCode)
{
    switch (nTypeCode) {
    case typeDouble: return new DoubleParameterItem;
    case typeLength: return new LengthParameterItem;
    case typeAngle: return new AngleParameterItem;
    case typeInteger: return new IntegerParameterItem;
    case typeText: return new TextParameterItem;
    case typeList: return new ListParameterItem;
    case typeScale: return new ScaleParameterItem;
    case typePoint: return new PointParameterItem;
    case typePointArray: return new PointArrayParameterItem;
    case typeFeature: return new FeatureParameterItem;
    case typeFeatureList: return new FeatureListParameterItem;
    case typeFeatureSequenceList: return new FeatureSequenceListParameterItem;
    case typeFeatureSequence: return new FeatureSequenceParameterItem;
    case typeFeatureGroup: return new FeatureGroupParameterItem;
    case typeColor: return new ColorParameterItem;
    case typeLineType: return new LineTypeParameterItem;
    case typeLineWidth: return new LineWidthParameterItem;
    case typeLayer: return new LayerParameterItem;
    case typeDrawing: return new DrawingParameterItem;
    case typeSetting: return new SettingParameterItem;
    case typeImageSetting: return new ImageSettingParameterItem;
    case typeDrawComponent: return new DrawComponentParameterItem;
    case typeFilePath: return new FilePathParameterItem;
    case typeMulti: return new MultiParameterItem;
    case typeTolerance: return new ToleranceParameterItem;
    default: return nullptr;
    }
}

ParameterItemBase* ParameterItemBase::Clone() const
{
    ParameterItemBase* pItem = CreateItem(m_nTypeCode);
    if (pItem != nullptr)
        pItem->Copy(*this);
    return pItem;
}

}  // namespace QZ2Command
