#include "libs/vevure/LayerFeature.h"

#include "platform/afx/CArchive.h"
#include "platform/afx/CArchiveException.h"
#include "platform/afx/CInvalidArgException.h"

LayerFeature::LayerFeature(long nLayerID, long nParentID, BOOL bGroup, const CString& strName)
    : m_nLayerID(nLayerID), m_nParentID(nParentID), m_bGroup(bGroup ? 1 : 0), m_strName(strName)
{
}

bool LayerFeature::operator==(const LayerFeature& o) const
{
    return m_nLayerID == o.m_nLayerID && m_nParentID == o.m_nParentID && m_bGroup == o.m_bGroup &&
           m_dwState == o.m_dwState && m_nColorNo == o.m_nColorNo && m_nLineTypeNo == o.m_nLineTypeNo &&
           m_nLineWidthNo == o.m_nLineWidthNo && m_nDisplayOrder == o.m_nDisplayOrder && m_strName == o.m_strName &&
           m_childIDs == o.m_childIDs;
}

void LayerFeature::SetHide(BOOL bHide)
{
    if (bHide)
        m_dwState |= flagHide;
    else
        m_dwState &= ~DWORD(flagHide);
}

void LayerFeature::SetPrintable(BOOL bPrintable)
{
    if (bPrintable)
        m_dwState |= flagPrintable;
    else
        m_dwState &= ~DWORD(flagPrintable);
}

int LayerFeature::GetLayerState() const
{
    if (!(m_dwState & flagDisplay))
        return 2;
    return (m_dwState & flagEditable) ? 0 : 1;
}

BOOL LayerFeature::SetLayerState(int nState)
{
    DWORD bits = 0;
    switch (nState) {
    case 0: bits = flagDisplay | flagEditable; break;
    case 1: bits = flagDisplay; break;
    case 2: bits = 0; break;
    default: return FALSE;
    }
    m_dwState = (m_dwState & ~DWORD(flagDisplay | flagEditable)) | bits;
    return TRUE;
}

long LayerFeature::GetChildLayerID(int nIndex) const
{
    if (nIndex < 0 || nIndex >= GetChildLayerCount())
        AfxThrowInvalidArgException();
    return m_childIDs[static_cast<size_t>(nIndex)];
}

void LayerFeature::Serialize(CArchive& ar)
{
    if (ar.IsStoring()) {
        ar << static_cast<LONG>(m_nLayerID) << static_cast<LONG>(m_nParentID) << m_bGroup << m_dwState << m_nColorNo
           << m_nLineTypeNo << m_nLineWidthNo << m_nDisplayOrder << m_strName;
        // Children are rebuilt from the parent ids on load.
    } else {
        LONG id = 0, parent = 0;
        ar >> id >> parent >> m_bGroup >> m_dwState >> m_nColorNo >> m_nLineTypeNo >> m_nLineWidthNo >>
            m_nDisplayOrder >> m_strName;
        if (m_bGroup > 1 || (m_dwState & ~DWORD(0x1F)) != 0)
            ar.ThrowArchiveException(CArchiveException::genericException);
        m_nLayerID = id;
        m_nParentID = parent;
        m_childIDs.clear();
    }
}
