#include "libs/vevure/DrawComponent2dFeatureDefine.h"

#include "platform/afx/CArchive.h"
#include "platform/afx/CArchiveException.h"

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
