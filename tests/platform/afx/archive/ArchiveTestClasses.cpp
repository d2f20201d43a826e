#include "ArchiveTestClasses.h"

#include "platform/afx/CArchiveException.h"

IMPLEMENT_SERIAL(CNode, CObject, 1)
IMPLEMENT_SERIAL(CLeaf, CNode, 2 | VERSIONABLE_SCHEMA)
IMPLEMENT_DYNAMIC(CPlainObject, CObject)

int CNode::s_nLive = 0;

CNode::CNode()
{
    ++s_nLive;
}

CNode::~CNode()
{
    for (CNode* p : m_children)
        delete p;
    --s_nLive;
}

CNode* CNode::Add(CNode* pChild)
{
    pChild->m_bOwned = true;
    m_children.push_back(pChild);
    return pChild;
}

void CNode::Serialize(CArchive& ar)
{
    CObject::Serialize(ar);
    // Children before the plain reference: every object of a valid graph is first met as an owned child
    // (or is an ancestor still loading), so nothing is left without an owner when loading stops part-way.
    if (ar.IsStoring()) {
        ar << m_nValue << m_strName;
        ar.WriteCount(m_children.size());
        for (CNode* p : m_children)
            ar << p;
        ar << m_pOther;
        return;
    }
    m_bLoading = true;
    ar >> m_nValue >> m_strName;
    const DWORD_PTR n = ar.ReadCount();
    for (DWORD_PTR i = 0; i < n; ++i) {
        CNode* p = nullptr;
        ar >> p;
        // A damaged archive may name an object that already has an owner, or one still being loaded
        // (an ancestor): owning it twice would free it twice.
        if (p == nullptr || p->m_bOwned || p->m_bLoading)
            ar.ThrowArchiveException(CArchiveException::badIndex);
        Add(p);
    }
    ar >> m_pOther;
    if (m_pOther != nullptr && !m_pOther->m_bOwned && !m_pOther->m_bLoading && !m_pOther->m_bExternal) {
        // A new object met first as a plain reference has no owner: a damaged archive.
        delete m_pOther;
        m_pOther = nullptr;
        ar.ThrowArchiveException(CArchiveException::badIndex);
    }
    m_bLoading = false;
}

void CLeaf::Serialize(CArchive& ar)
{
    CNode::Serialize(ar);
    if (ar.IsStoring()) {
        ar << m_dWeight;
        return;
    }
    m_nLoadedSchema = ar.GetObjectSchema();
    if (m_nLoadedSchema >= 2)
        ar >> m_dWeight;
}
