#include "property/FeaturePropertyBase.h"

#include "libs/vevure/Draw2dDocument.h"
#include "libs/vevure/LayerFeatureTable.h"

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

BOOL FeaturePropertyBase::IsTargetAlive() const
{
    if (m_pDocument == nullptr)
        return FALSE;
    switch (m_nKind) {
    case kindShape:
        // Record ids start at 1; the document refuses 0 with an exception.
        return m_nTargetID > 0 && m_pDocument->GetFeature(m_nTargetID) != nullptr;
    case kindLayer: {
        const LayerFeatureTable* pLayers = m_pDocument->GetLayerTable();
        return pLayers != nullptr && pLayers->IsExistLayerID(m_nTargetID);
    }
    case kindDrawing:
        return m_pDocument->IsDrawingFeatureExists(m_nTargetID);
    default:
        return TRUE;
    }
}

CString FeaturePropertyBase::GetDescription() const
{
    CString text;
    text.Format(u"%u %ld", m_nKind, m_nTargetID);
    return text;
}

}  // namespace QZ2Command
