#pragma once
// Serialisable classes for the archive tests. Every CNode counts itself, so a test can see that loading
// (successful or not) leaves no object behind.

#include <vector>

#include "platform/afx/CArchive.h"
#include "platform/afx/CObject.h"
#include "platform/afx/CString.h"

class CNode : public CObject
{
    DECLARE_SERIAL(CNode)
public:
    CNode();
    ~CNode() override;
    void Serialize(CArchive& ar) override;

    // Adds an owned child.
    CNode* Add(CNode* pChild);

    int m_nValue = 0;
    CString m_strName;
    CNode* m_pOther = nullptr;  // not owned: any node of the graph, or NULL
    std::vector<CNode*> m_children;  // owned

    bool m_bExternal = false;  // lives outside the graph (e.g. a mapped document)

    static int s_nLive;

private:
    bool m_bOwned = false;
    bool m_bLoading = false;
};

// A derived class whose schema 2 added a field; it still loads schema 1.
class CLeaf : public CNode
{
    DECLARE_SERIAL(CLeaf)
public:
    void Serialize(CArchive& ar) override;

    double m_dWeight = 0.0;
    UINT m_nLoadedSchema = 0;
};

// Run-time class only: not serialisable.
class CPlainObject : public CObject
{
    DECLARE_DYNAMIC(CPlainObject)
};
