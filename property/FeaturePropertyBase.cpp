#include "property/FeaturePropertyBase.h"

namespace QZ2Command {

IMPLEMENT_DYNAMIC(FeaturePropertyBase, CObject)

FeaturePropertyBase::FeaturePropertyBase(UINT nKind, Draw2dDocument* pDocument, long nTargetID)
    : m_nKind(nKind), m_pDocument(pDocument), m_nTargetID(nTargetID)
{
}

FeaturePropertyBase::~FeaturePropertyBase() = default;

BOOL FeaturePropertyBase::IsSameTarget(const FeaturePropertyBase& other) const
{
    return m_nKind == other.m_nKind && m_pDocument == other.m_pDocument && m_nTargetID == other.m_nTargetID;
}

CString FeaturePropertyBase::GetDescription() const
{
    CString text;
    text.Format(u"%u %ld", m_nKind, m_nTargetID);
    return text;
}

}  // namespace QZ2Command
