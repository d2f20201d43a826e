#pragma once
// The selected shapes of a document (an ordered set of records, each a shape as seen through a part layout)
// and the selection groups: one per pick or window operation, with its select-shape mode (1 rectangle,
// 2 polygon, 4 pick, 8 fence line, 16 polyline) and its points.

#include <set>
#include <vector>

#include "platform/afx/AfxTypes.h"
#include "platform/afx/CArray.h"
#include "libs/ruva/KcArrayOfGePnt2d.h"
#include "libs/vevure/FeatureLayout.h"
#include "libs/vevure/FeatureRecord.h"

class Draw2dDocument;

class SelectionManager
{
public:
    explicit SelectionManager(Draw2dDocument* pDocument = nullptr) : m_pDocument(pDocument) {}
    SelectionManager(const SelectionManager&) = delete;
    SelectionManager& operator=(const SelectionManager&) = delete;

    BOOL IsSelectionEmpty() const { return m_selected.empty() ? TRUE : FALSE; }
    int GetSelectedFeatureCount() const { return static_cast<int>(m_selected.size()); }
    const std::set<FeatureRecord>& GetSelectedFeatureMap() const { return m_selected; }
    // The records in order (record id, then layout id); the int field is -1.
    void GetSelectedFeatureList(CArray<FeatureLayout>& list) const;
    // A record with layout -1 matches the record through any layout.
    BOOL IsFeatureSelected(const FeatureRecord& record) const;

    // One record as a group of its own (mode 4, no point). FALSE when it is already selected or is not a live
    // record of the document.
    BOOL SelectFeature(const FeatureRecord& record, BOOL bNotify = TRUE);
    BOOL UnselectFeature(const FeatureRecord& record, BOOL bNotify = TRUE);
    // Records as one group with its shape mode and points; records already selected are skipped. Returns the
    // number added.
    int SelectFeatures(const CArray<FeatureLayout>& records, int nShapeMode, const KcArrayOfGePnt2d* pPoints,
                       BOOL bNotify = TRUE);
    // Every selected record of the listed record ids, through any layout.
    int UnselectFeatures(const CArray<long, long>& recordIDs, BOOL bNotify = TRUE);
    void UnselectAll(BOOL bNotify = TRUE);
    // Drops records that are no longer live shapes of the document (after deletes, undo and redo).
    int RemoveDeadRecords();
    // Reports the selection (kind 2, code 1).
    void SendSelectionNotify();

    int GetSelectionGroupCount() const { return static_cast<int>(m_groups.size()); }
    int GetSelectionGroupSelectShapeMode(int nGroup) const;                         // index-guarded
    const KcArrayOfGePnt2d& GetSelectionGroupPointList(int nGroup) const;           // index-guarded
    BOOL GetSelectionGroup(int nGroup, CArray<FeatureLayout>& records) const;       // FALSE out of range

private:
    struct Group {
        int mode = 4;
        KcArrayOfGePnt2d points;
        std::vector<FeatureRecord> records;
    };
    BOOL IsLive(const FeatureRecord& record) const;
    void RemoveFromGroups(const FeatureRecord& record);

    Draw2dDocument* m_pDocument;
    std::set<FeatureRecord> m_selected;
    std::vector<Group> m_groups;
};
