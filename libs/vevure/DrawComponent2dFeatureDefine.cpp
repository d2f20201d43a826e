#include "libs/vevure/DrawComponent2dFeatureDefine.h"

#include "platform/afx/CArchive.h"
#include "platform/afx/CArchiveException.h"
#include "libs/vevure/Draw2dDocument.h"
#include "libs/vevure/DrawComponent2dFeature.h"
#include "libs/vevure/DrawComponent2dFeatureDefineTable.h"
#include "libs/vevure/DrawGroup2dFeature.h"

namespace {
constexpr int kMaxComponentName = 256;
}  // namespace

DrawComponent2dFeatureDefine::DrawComponent2dFeatureDefine() : DrawingFeatureBase(typeComponent) {}

DrawComponent2dFeatureDefine::~DrawComponent2dFeatureDefine() = default;

DrawingFeatureBase* DrawComponent2dFeatureDefine::Clone() const
{
    return new DrawComponent2dFeatureDefine(*this);
}

bool DrawComponent2dFeatureDefine::IsSame(const DrawingFeatureBase& other) const
{
    const auto* o = dynamic_cast<const DrawComponent2dFeatureDefine*>(&other);
    return o != nullptr && DrawingFeatureBase::IsSame(other) && m_nComponentID == o->m_nComponentID &&
           m_strComponentName == o->m_strComponentName && m_attribute == o->m_attribute &&
           m_bPrompt == o->m_bPrompt && m_recordIDs == o->m_recordIDs;
}

BOOL DrawComponent2dFeatureDefine::SetComponentName(const CString& strName)
{
    if (strName.IsEmpty() || strName.GetLength() > kMaxComponentName)
        return FALSE;
    m_strComponentName = strName;
    return TRUE;
}

void DrawComponent2dFeatureDefine::Serialize(CArchive& ar)
{
    DrawingFeatureBase::Serialize(ar);
    if (ar.IsStoring()) {
        ar << static_cast<LONG>(m_nComponentID) << m_strComponentName << m_bPrompt;
        m_attribute.Serialize(ar);
        // The record ids are rebuilt from the records when the document loads.
        return;
    }
    LONG id = 0;
    CString name;
    BYTE prompt = 0;
    ar >> id >> name >> prompt;
    FeatureAttribute attribute;
    attribute.Serialize(ar);
    if (prompt > 1 || name.GetLength() > kMaxComponentName)
        ar.ThrowArchiveException(CArchiveException::genericException);
    m_nComponentID = id;
    m_strComponentName = name;
    m_bPrompt = prompt;
    m_attribute = attribute;
    m_recordIDs.clear();
}

BOOL DrawComponent2dFeatureDefine::IsIncludeComponentId(long nEditedID, long nComponentID,
                                                        const DrawComponent2dFeatureDefineTable* pTable)
{
    if (nEditedID == nComponentID)
        return TRUE;
    const DrawComponent2dFeatureDefine* d = pTable ? pTable->GetComponentDefine(nComponentID) : nullptr;
    if (d == nullptr || d->GetDocument() == nullptr)
        return FALSE;
    return d->GetDocument()->IsIncludeComponentId(nEditedID, nComponentID);
}

BOOL DrawComponent2dFeatureDefine::IsPossibleAddFeatureInDrawComponent(const Feature2dBase* pFeature,
                                                                      const DrawingFeatureBase* pDrawing,
                                                                      const DrawComponent2dFeatureDefineTable* pTable)
{
    if (pFeature == nullptr || pDrawing == nullptr)
        return FALSE;
    if (!pDrawing->IsDrawComponentDefine())
        return TRUE;
    const long edited = static_cast<const DrawComponent2dFeatureDefine*>(pDrawing)->GetComponentId();
    if (pFeature->GetFeatureType() == FeatureTypeDrawComponent)
        return IsIncludeComponentId(
                   edited, static_cast<const DrawComponent2dFeature*>(pFeature)->GetComponentDefineID(), pTable)
                   ? FALSE
                   : TRUE;
    if (pFeature->GetFeatureType() == FeatureTypeDrawGroup) {
        const auto* g = static_cast<const DrawGroup2dFeature*>(pFeature);
        for (int i = 0; i < g->GetFeatureCount(); ++i)
            if (!IsPossibleAddFeatureInDrawComponent(g->GetFeature(i), pDrawing, pTable))
                return FALSE;
    }
    return TRUE;
}
