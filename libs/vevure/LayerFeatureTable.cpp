#include "libs/vevure/LayerFeatureTable.h"

#include <algorithm>
#include <unordered_map>
#include <unordered_set>

#include "platform/afx/CArchive.h"
#include "platform/afx/CArchiveException.h"
#include "platform/afx/CInvalidArgException.h"

namespace {
bool LessByID(const LayerFeature& a, long id) { return a.GetLayerID() < id; }
}  // namespace

bool LayerFeatureTable::operator==(const LayerFeatureTable& o) const
{
    return m_layers == o.m_layers && m_rootChildren == o.m_rootChildren && m_nGroupCount == o.m_nGroupCount &&
           m_nLayerCount == o.m_nLayerCount;
}

long LayerFeatureTable::GetLayerID(int nIndex) const
{
    return GetLayerFeatureByIndex(nIndex)->GetLayerID();
}

const LayerFeature* LayerFeatureTable::GetLayerFeatureByIndex(int nIndex) const
{
    if (nIndex < 0 || nIndex >= GetSize())
        AfxThrowInvalidArgException();
    return &m_layers[static_cast<size_t>(nIndex)];
}

const LayerFeature* LayerFeatureTable::GetLayerFeature(long nLayerID) const
{
    auto it = std::lower_bound(m_layers.begin(), m_layers.end(), nLayerID, LessByID);
    if (it == m_layers.end() || it->GetLayerID() != nLayerID)
        return nullptr;
    return &*it;
}

LayerFeature* LayerFeatureTable::GetLayerFeature(long nLayerID)
{
    return const_cast<LayerFeature*>(static_cast<const LayerFeatureTable*>(this)->GetLayerFeature(nLayerID));
}

BOOL LayerFeatureTable::GetLayerFeature(long nLayerID, LayerFeature& out) const
{
    const LayerFeature* p = GetLayerFeature(nLayerID);
    if (p == nullptr)
        return FALSE;
    out = *p;
    return TRUE;
}

BOOL LayerFeatureTable::IsGroup(long nLayerID) const
{
    if (nLayerID == GetRootLayerID())
        return TRUE;
    const LayerFeature* p = GetLayerFeature(nLayerID);
    return (p != nullptr && p->IsGroup()) ? TRUE : FALSE;
}

CString LayerFeatureTable::GetLayerName(long nLayerID) const
{
    const LayerFeature* p = GetLayerFeature(nLayerID);
    return p ? p->GetLayerName() : CString();
}

int LayerFeatureTable::GetLayerState(long nLayerID) const
{
    const LayerFeature* p = GetLayerFeature(nLayerID);
    return p ? p->GetLayerState() : -1;
}

short LayerFeatureTable::GetLayerColorNo(long nLayerID) const
{
    const LayerFeature* p = GetLayerFeature(nLayerID);
    return (p == nullptr || p->IsGroup()) ? short(-1) : p->GetColorNo();
}

short LayerFeatureTable::GetLayerLineTypeNo(long nLayerID) const
{
    const LayerFeature* p = GetLayerFeature(nLayerID);
    return (p == nullptr || p->IsGroup()) ? short(-1) : p->GetLineTypeNo();
}

short LayerFeatureTable::GetLayerLineWidthNo(long nLayerID) const
{
    const LayerFeature* p = GetLayerFeature(nLayerID);
    return (p == nullptr || p->IsGroup()) ? short(-1) : p->GetLineWidthNo();
}

long LayerFeatureTable::GetParentLayerID(long nLayerID) const
{
    const LayerFeature* p = GetLayerFeature(nLayerID);
    return p ? p->GetParentID() : -2;
}

namespace {
// The layers an aggregate looks at: the layer itself, or every layer below a group.
template <typename F>
int Aggregate(const LayerFeatureTable& t, long id, F value, int mixed)
{
    std::vector<long> ids;
    if (!t.IsGroup(id)) {
        if (!t.IsExistLayerID(id))
            return 0;
        ids.push_back(id);
    } else {
        CArray<long, long> list;
        t.GetChildLayerList(id, list, TRUE, FALSE);
        for (INT_PTR i = 0; i < list.GetSize(); ++i)
            ids.push_back(list[i]);
    }
    if (ids.empty())
        return 0;
    int first = value(*t.GetLayerFeature(ids[0]));
    for (size_t i = 1; i < ids.size(); ++i)
        if (value(*t.GetLayerFeature(ids[i])) != first)
            return mixed;
    return first;
}
}  // namespace

int LayerFeatureTable::GetLayerGroupState(long id) const
{
    return Aggregate(*this, id, [](const LayerFeature& l) { return l.GetLayerState(); }, 3);
}

WORD LayerFeatureTable::GetLayerGroupColorNo(long id) const
{
    return static_cast<WORD>(Aggregate(*this, id, [](const LayerFeature& l) { return int(l.GetColorNo()); }, 0xFFFF));
}

WORD LayerFeatureTable::GetLayerGroupLineTypeNo(long id) const
{
    return static_cast<WORD>(
        Aggregate(*this, id, [](const LayerFeature& l) { return int(l.GetLineTypeNo()); }, 0xFFFF));
}

WORD LayerFeatureTable::GetLayerGroupLineWidthNo(long id) const
{
    return static_cast<WORD>(
        Aggregate(*this, id, [](const LayerFeature& l) { return int(l.GetLineWidthNo()); }, 0xFFFF));
}

int LayerFeatureTable::GetLayerGroupHide(long id) const
{
    return Aggregate(*this, id, [](const LayerFeature& l) { return int(l.IsHide()); }, -1);
}

int LayerFeatureTable::GetLayerGroupPrintable(long id) const
{
    return Aggregate(*this, id, [](const LayerFeature& l) { return int(l.IsPrintable()); }, -1);
}

const std::vector<long>* LayerFeatureTable::ChildList(long nGroupID) const
{
    if (nGroupID == GetRootLayerID())
        return &m_rootChildren;
    const LayerFeature* p = GetLayerFeature(nGroupID);
    if (p == nullptr || !p->IsGroup())
        return nullptr;
    return &p->GetChildLayerIDs();
}

std::vector<long>* LayerFeatureTable::ChildList(long nGroupID)
{
    if (nGroupID == GetRootLayerID())
        return &m_rootChildren;
    LayerFeature* p = GetLayerFeature(nGroupID);
    if (p == nullptr || !p->IsGroup())
        return nullptr;
    return &p->ChildLayerIDs();
}

int LayerFeatureTable::GetChildLayerFeatureCount(long nGroupID) const
{
    const std::vector<long>* c = ChildList(nGroupID);
    return c ? static_cast<int>(c->size()) : 0;
}

long LayerFeatureTable::GetChildLayerID(long nGroupID, int nIndex) const
{
    const std::vector<long>* c = ChildList(nGroupID);
    if (c == nullptr || nIndex < 0 || nIndex >= static_cast<int>(c->size()))
        return -1;
    return (*c)[static_cast<size_t>(nIndex)];
}

BOOL LayerFeatureTable::GetChildLayerFeature(long nGroupID, int nIndex, LayerFeature& out) const
{
    long id = GetChildLayerID(nGroupID, nIndex);
    return id == -1 ? FALSE : GetLayerFeature(id, out);
}

void LayerFeatureTable::CollectBelow(long nGroupID, BOOL bRecursive, BOOL bWithGroups, std::vector<long>& out) const
{
    // Depth first in display order, without recursion: a tree may be deep.
    const std::vector<long>* top = ChildList(nGroupID);
    if (top == nullptr)
        return;
    std::vector<std::pair<const std::vector<long>*, size_t>> stack{{top, 0}};
    while (!stack.empty()) {
        auto& [list, next] = stack.back();
        if (next >= list->size()) {
            stack.pop_back();
            continue;
        }
        const LayerFeature* p = GetLayerFeature((*list)[next++]);
        if (p == nullptr)
            continue;
        if (!p->IsGroup() || bWithGroups)
            out.push_back(p->GetLayerID());
        if (p->IsGroup() && bRecursive && !p->GetChildLayerIDs().empty())
            stack.emplace_back(&p->GetChildLayerIDs(), 0);
    }
}

int LayerFeatureTable::GetChildLayerCount(long nGroupID, BOOL bRecursive) const
{
    std::vector<long> ids;
    CollectBelow(nGroupID, bRecursive, FALSE, ids);
    return static_cast<int>(ids.size());
}

int LayerFeatureTable::GetChildLayerList(long nGroupID, CArray<long, long>& ids, BOOL bRecursive,
                                         BOOL bWithGroups) const
{
    std::vector<long> v;
    CollectBelow(nGroupID, bRecursive, bWithGroups, v);
    ids.RemoveAll();
    for (long id : v)
        ids.Add(id);
    return static_cast<int>(v.size());
}

int LayerFeatureTable::GetDisplayOrderList(CArray<long, long>& ids) const
{
    return GetChildLayerList(GetRootLayerID(), ids, TRUE, TRUE);
}

BOOL LayerFeatureTable::IsChildLayerFeature(long nGroupID, long nLayerID, BOOL bRecursive) const
{
    const LayerFeature* p = GetLayerFeature(nLayerID);
    if (p == nullptr || nGroupID == nLayerID)
        return FALSE;
    if (!bRecursive)
        return p->GetParentID() == nGroupID ? TRUE : FALSE;
    return IsParentLayerFeature(nGroupID, nLayerID);
}

BOOL LayerFeatureTable::IsParentLayerFeature(long nAncestorID, long nLayerID) const
{
    const LayerFeature* p = GetLayerFeature(nLayerID);
    // The tree holds no cycles; the bound only protects against a damaged table.
    for (int guard = 0; p != nullptr && guard <= GetSize(); ++guard) {
        long parent = p->GetParentID();
        if (parent == nAncestorID)
            return TRUE;
        if (parent == GetRootLayerID())
            return FALSE;
        p = GetLayerFeature(parent);
    }
    return FALSE;
}

BOOL LayerFeatureTable::IsLayerHide(long nLayerID) const
{
    const LayerFeature* p = GetLayerFeature(nLayerID);
    return p ? p->IsHide() : FALSE;
}

BOOL LayerFeatureTable::IsLayerPrintable(long nLayerID) const
{
    const LayerFeature* p = GetLayerFeature(nLayerID);
    return p ? p->IsPrintable() : FALSE;
}

BOOL LayerFeatureTable::IsDisplayLayer(long nLayerID) const
{
    const LayerFeature* p = GetLayerFeature(nLayerID);
    return p ? p->IsDisplay() : FALSE;
}

BOOL LayerFeatureTable::IsEditableLayer(long nLayerID) const
{
    const LayerFeature* p = GetLayerFeature(nLayerID);
    return p ? p->IsEditable() : FALSE;
}

CString LayerFeatureTable::GetLayerPath(long nLayerID, TCHAR chSeparator) const
{
    CString path;
    const LayerFeature* p = GetLayerFeature(nLayerID);
    for (int guard = 0; p != nullptr && guard <= GetSize(); ++guard) {
        if (path.IsEmpty())
            path = p->GetLayerName();
        else
            path = p->GetLayerName() + CString(chSeparator) + path;
        if (p->GetParentID() == GetRootLayerID())
            break;
        p = GetLayerFeature(p->GetParentID());
    }
    return path;
}

long LayerFeatureTable::GetLayerIDFromName(long nParentID, const CString& strName) const
{
    int n = GetChildLayerFeatureCount(nParentID);
    for (int i = 0; i < n; ++i) {
        const LayerFeature* p = GetLayerFeature(GetChildLayerID(nParentID, i));
        if (p != nullptr && !p->IsGroup() && p->GetLayerName().CompareNoCase(strName) == 0)
            return p->GetLayerID();
    }
    return -1;
}

BOOL LayerFeatureTable::AddLayerFeature(const LayerFeature& layer, int nIndex)
{
    long id = layer.GetLayerID();
    if (id <= 0 || GetLayerFeature(id) != nullptr || ChildList(layer.GetParentID()) == nullptr)
        return FALSE;
    auto it = std::lower_bound(m_layers.begin(), m_layers.end(), id, LessByID);
    LayerFeature copy(layer);
    copy.ChildLayerIDs().clear();  // children join through their own additions
    m_layers.insert(it, copy);
    std::vector<long>* siblings = ChildList(layer.GetParentID());
    if (nIndex < 0 || nIndex > static_cast<int>(siblings->size()))
        siblings->push_back(id);
    else
        siblings->insert(siblings->begin() + nIndex, id);
    if (layer.IsGroup())
        ++m_nGroupCount;
    else
        ++m_nLayerCount;
    Renumber();
    return TRUE;
}

BOOL LayerFeatureTable::RemoveLayerFeature(long nLayerID, std::vector<long>* pRemoved)
{
    const LayerFeature* p = GetLayerFeature(nLayerID);
    if (p == nullptr)
        return FALSE;
    std::vector<long> ids{nLayerID};
    CollectBelow(nLayerID, TRUE, TRUE, ids);
    if (std::vector<long>* siblings = ChildList(p->GetParentID()))
        siblings->erase(std::remove(siblings->begin(), siblings->end(), nLayerID), siblings->end());
    std::unordered_set<long> gone(ids.begin(), ids.end());
    for (const LayerFeature& l : m_layers)
        if (gone.count(l.GetLayerID()))
            --(l.IsGroup() ? m_nGroupCount : m_nLayerCount);
    m_layers.erase(std::remove_if(m_layers.begin(), m_layers.end(),
                                  [&](const LayerFeature& l) { return gone.count(l.GetLayerID()) != 0; }),
                   m_layers.end());
    if (pRemoved)
        *pRemoved = ids;
    Renumber();
    return TRUE;
}

BOOL LayerFeatureTable::MoveLayerFeature(long nLayerID, long nGroupID, int nIndex)
{
    LayerFeature* p = GetLayerFeature(nLayerID);
    if (p == nullptr || nGroupID == nLayerID || ChildList(nGroupID) == nullptr)
        return FALSE;
    if (nGroupID != GetRootLayerID() && IsParentLayerFeature(nLayerID, nGroupID))
        return FALSE;
    std::vector<long>* from = ChildList(p->GetParentID());
    if (from != nullptr)
        from->erase(std::remove(from->begin(), from->end(), nLayerID), from->end());
    p->SetParentID(nGroupID);
    std::vector<long>* to = ChildList(nGroupID);
    if (nIndex < 0 || nIndex > static_cast<int>(to->size()))
        to->push_back(nLayerID);
    else
        to->insert(to->begin() + nIndex, nLayerID);
    Renumber();
    return TRUE;
}

int LayerFeatureTable::GetChildIndex(long nLayerID) const
{
    const LayerFeature* p = GetLayerFeature(nLayerID);
    if (p == nullptr)
        return -1;
    const std::vector<long>* c = ChildList(p->GetParentID());
    if (c == nullptr)
        return -1;
    auto it = std::find(c->begin(), c->end(), nLayerID);
    return it == c->end() ? -1 : static_cast<int>(it - c->begin());
}

void LayerFeatureTable::RemoveAll()
{
    m_layers.clear();
    m_rootChildren.clear();
    m_nGroupCount = 0;
    m_nLayerCount = 0;
}

void LayerFeatureTable::Renumber()
{
    CArray<long, long> order;
    GetDisplayOrderList(order);
    for (INT_PTR i = 0; i < order.GetSize(); ++i)
        if (LayerFeature* p = GetLayerFeature(order[i]))
            p->SetDisplayOrder(static_cast<int>(i));
}

void LayerFeatureTable::Serialize(CArchive& ar)
{
    if (ar.IsStoring()) {
        // Display order: parents come before their children, so loading can rebuild the tree in one pass.
        CArray<long, long> order;
        GetDisplayOrderList(order);
        ar.WriteCount(static_cast<DWORD_PTR>(order.GetSize()));
        for (INT_PTR i = 0; i < order.GetSize(); ++i)
            GetLayerFeature(order[i])->Serialize(ar);
        return;
    }
    DWORD_PTR n = ar.ReadCount();
    ar.EnsureReadable(static_cast<ULONGLONG>(n) * 27u);  // the smallest stored layer
    // Stored in display order, so a parent always comes before its children.
    std::vector<LayerFeature> all;
    all.reserve(static_cast<size_t>(n));
    std::unordered_map<long, size_t> index;  // id -> position in all
    LayerFeatureTable loaded;
    for (DWORD_PTR i = 0; i < n; ++i) {
        LayerFeature layer;
        layer.Serialize(ar);
        const long id = layer.GetLayerID(), parent = layer.GetParentID();
        if (id <= 0 || index.count(id))
            ar.ThrowArchiveException(CArchiveException::genericException);
        if (parent == GetRootLayerID()) {
            loaded.m_rootChildren.push_back(id);
        } else {
            auto it = index.find(parent);
            if (it == index.end() || !all[it->second].IsGroup())
                ar.ThrowArchiveException(CArchiveException::genericException);
            all[it->second].ChildLayerIDs().push_back(id);
        }
        ++(layer.IsGroup() ? loaded.m_nGroupCount : loaded.m_nLayerCount);
        index.emplace(id, all.size());
        all.push_back(std::move(layer));
    }
    std::sort(all.begin(), all.end(),
              [](const LayerFeature& a, const LayerFeature& b) { return a.GetLayerID() < b.GetLayerID(); });
    loaded.m_layers = std::move(all);
    loaded.Renumber();
    *this = loaded;
}
