#pragma once
// The layers and layer groups of a document as a tree under the root group (id -1). Layers are kept sorted by
// id; each group (and the root) keeps the ids of its children in display order.
//
// Lookups of an unknown id answer a failure value (-1, NULL, FALSE, an empty name) instead of failing.

#include <vector>

#include "platform/afx/AfxTypes.h"
#include "platform/afx/CArray.h"
#include "platform/afx/CString.h"
#include "libs/vevure/LayerFeature.h"

class CArchive;

class LayerFeatureTable
{
public:
    LayerFeatureTable() = default;
    LayerFeatureTable(const LayerFeatureTable&) = default;
    LayerFeatureTable& operator=(const LayerFeatureTable&) = default;
    bool operator==(const LayerFeatureTable& other) const;
    bool operator!=(const LayerFeatureTable& other) const { return !(*this == other); }

    static long GetRootLayerID() { return -1; }

    int GetLayerCount() const { return m_nLayerCount; }
    int GetLayerGroupCount() const { return m_nGroupCount; }
    // Layers and groups together, in id order.
    int GetSize() const { return static_cast<int>(m_layers.size()); }
    long GetLayerID(int nIndex) const;  // index-guarded, in id order
    const LayerFeature* GetLayerFeatureByIndex(int nIndex) const;  // index-guarded

    const LayerFeature* GetLayerFeature(long nLayerID) const;
    LayerFeature* GetLayerFeature(long nLayerID);
    BOOL GetLayerFeature(long nLayerID, LayerFeature& out) const;

    BOOL IsExistLayerID(long nLayerID) const { return GetLayerFeature(nLayerID) != nullptr; }
    BOOL IsGroup(long nLayerID) const;  // the root group counts as a group
    CString GetLayerName(long nLayerID) const;
    int GetLayerState(long nLayerID) const;  // -1 when unknown
    // -1 for a group or an unknown id.
    short GetLayerColorNo(long nLayerID) const;
    short GetLayerLineTypeNo(long nLayerID) const;
    short GetLayerLineWidthNo(long nLayerID) const;
    long GetParentLayerID(long nLayerID) const;  // -1 for the root's children; -2 when unknown

    // Aggregates over every layer below a group (or of the layer itself): the common value, or 3 (state),
    // 0xFFFF (numbers) or -1 (hide, printable) when they differ; a group without layers answers 0.
    int GetLayerGroupState(long nLayerID) const;
    WORD GetLayerGroupColorNo(long nLayerID) const;
    WORD GetLayerGroupLineTypeNo(long nLayerID) const;
    WORD GetLayerGroupLineWidthNo(long nLayerID) const;
    int GetLayerGroupHide(long nLayerID) const;
    int GetLayerGroupPrintable(long nLayerID) const;

    // Direct children of a group (or the root), in display order.
    int GetChildLayerFeatureCount(long nGroupID) const;
    long GetChildLayerID(long nGroupID, int nIndex) const;  // -1 when out of range
    BOOL GetChildLayerFeature(long nGroupID, int nIndex, LayerFeature& out) const;
    // Layers (not groups) below a group, at any depth when bRecursive.
    int GetChildLayerCount(long nGroupID, BOOL bRecursive = TRUE) const;
    // Ids below a group in display order: at any depth when bRecursive, groups included when bWithGroups.
    int GetChildLayerList(long nGroupID, CArray<long, long>& ids, BOOL bRecursive = TRUE,
                          BOOL bWithGroups = FALSE) const;
    // Every layer and group in display order (depth first from the root).
    int GetDisplayOrderList(CArray<long, long>& ids) const;

    BOOL IsChildLayerFeature(long nGroupID, long nLayerID, BOOL bRecursive = TRUE) const;
    BOOL IsParentLayerFeature(long nAncestorID, long nLayerID) const;
    BOOL IsLayerHide(long nLayerID) const;
    BOOL IsLayerPrintable(long nLayerID) const;
    BOOL IsDisplayLayer(long nLayerID) const;
    BOOL IsEditableLayer(long nLayerID) const;

    CString GetLayerPath(long nLayerID, TCHAR chSeparator) const;
    long GetLayerIDFromName(long nParentID, const CString& strName) const;

    // Changes (the document brackets them and reports them).
    // Adds a layer or group under the parent at nIndex among its children (-1 = at the end). FALSE when the
    // id is taken or the parent is not a group.
    BOOL AddLayerFeature(const LayerFeature& layer, int nIndex = -1);
    // Removes the layer, or the group with everything below it; the removed ids go to pRemoved.
    BOOL RemoveLayerFeature(long nLayerID, std::vector<long>* pRemoved = nullptr);
    // Moves a layer or group under nGroupID at nIndex (-1 = end). Refuses a move into itself or below itself.
    BOOL MoveLayerFeature(long nLayerID, long nGroupID, int nIndex);
    int GetChildIndex(long nLayerID) const;  // position among its siblings, -1 when unknown
    void RemoveAll();

    // Stores every layer; loading checks the tree (unique ids, existing groups as parents, no cycles).
    void Serialize(CArchive& ar);

private:
    const std::vector<long>* ChildList(long nGroupID) const;
    std::vector<long>* ChildList(long nGroupID);
    void CollectBelow(long nGroupID, BOOL bRecursive, BOOL bWithGroups, std::vector<long>& out) const;
    void Renumber();

    std::vector<LayerFeature> m_layers;  // sorted by id
    std::vector<long> m_rootChildren;
    int m_nGroupCount = 0;
    int m_nLayerCount = 0;
};
