#pragma once
// The selected shapes of a document (an ordered set of records, each a shape as seen through a part layout)
// and the selection groups: one per pick or window operation, with its select-shape mode (1 rectangle,
// 2 polygon, 4 pick, 8 fence line, 16 polyline) and its points. It owns the grip tracker of the selection,
// which views draw and drag through (Draw2dView::SetFeatureTracker).
//
// The picks find shapes in a view of this document and select nothing: the caller selects what they
// return. Display-state mode 1 makes shapes that are shown but locked pickable too; the kinds mask is a
// SelectionFeatureFilter mask; the filter is applied when given. Part modes: 1 window (wholly inside),
// 2 crossing (inside or crossing); side modes: 1 inside, 2 outside (what the window would not take).
// Fence lines and polylines take the shapes they cross and ignore both modes.

#include <memory>
#include <set>
#include <vector>

#include "platform/afx/AfxTypes.h"
#include "platform/afx/CArray.h"
#include "libs/ruva/KcArrayOfGePnt2d.h"
#include "libs/vevure/FeatureLayout.h"
#include "libs/vevure/FeatureRecord.h"

class Draw2dDocument;
class Draw2dView;
class FeatureTrackerBase;
class RuVaPnt2d;
class SelectionFilter;

class SelectionManager
{
public:
    explicit SelectionManager(Draw2dDocument* pDocument = nullptr);
    SelectionManager(const SelectionManager&) = delete;
    SelectionManager& operator=(const SelectionManager&) = delete;
    ~SelectionManager();

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
    // Unselects these entries (record and layout) in one pass; returns how many were selected.
    int UnselectFeatureRecords(const std::vector<FeatureRecord>& records, BOOL bNotify = TRUE);
    void UnselectAll(BOOL bNotify = TRUE);
    // Drops records that are no longer live shapes of the document (after deletes, undo and redo).
    int RemoveDeadRecords();
    // Reports the selection (kind 2, code 1).
    void SendSelectionNotify();

    int GetSelectionGroupCount() const { return static_cast<int>(m_groups.size()); }
    int GetSelectionGroupSelectShapeMode(int nGroup) const;                         // index-guarded
    const KcArrayOfGePnt2d& GetSelectionGroupPointList(int nGroup) const;           // index-guarded
    BOOL GetSelectionGroup(int nGroup, CArray<FeatureLayout>& records) const;       // FALSE out of range

    // The grip tracker of this selection, for the life of the manager; NULL without a document.
    FeatureTrackerBase* GetFeatureTracker() const { return m_pTracker.get(); }

    // The nearest pickable shape within the aperture (world units) of the point; among equally near ones
    // the one drawn last. The pick setting is handed on to the picker. FALSE when none, or when the view
    // shows another document.
    BOOL PickByPoint(const Draw2dView* pView, const RuVaPnt2d& point, double dAperture, int nDisplayStateMode,
                     int nPickSetting, DWORD dwKinds, const SelectionFilter* pFilter, FeatureLayout& found) const;
    // The shapes a rectangle, fence line, polygon or polyline finds, each with the layout it was found
    // through (the int field -1). Return the number found; 0 for too few or unusable points.
    int PickByRectangle(const Draw2dView* pView, const RuVaPnt2d& p1, const RuVaPnt2d& p2, int nPartMode,
                        int nSideMode, int nDisplayStateMode, DWORD dwKinds, const SelectionFilter* pFilter,
                        CArray<FeatureLayout>& found) const;
    int PickByLine(const Draw2dView* pView, const RuVaPnt2d& p1, const RuVaPnt2d& p2, int nPartMode, int nSideMode,
                   int nDisplayStateMode, DWORD dwKinds, const SelectionFilter* pFilter,
                   CArray<FeatureLayout>& found) const;
    int PickByPolygon(const Draw2dView* pView, const KcArrayOfGePnt2d& polygon, int nPartMode, int nSideMode,
                      int nDisplayStateMode, DWORD dwKinds, const SelectionFilter* pFilter,
                      CArray<FeatureLayout>& found) const;
    int PickByPolyline(const Draw2dView* pView, const KcArrayOfGePnt2d& polyline, int nPartMode, int nSideMode,
                       int nDisplayStateMode, DWORD dwKinds, const SelectionFilter* pFilter,
                       CArray<FeatureLayout>& found) const;

private:
    struct Group {
        int mode = 4;
        KcArrayOfGePnt2d points;
        std::vector<FeatureRecord> records;
    };
    BOOL IsLive(const FeatureRecord& record) const;
    void RemoveFromGroups(const FeatureRecord& record);
    // Whether the view shows this manager's document.
    BOOL IsOwnView(const Draw2dView* pView) const;
    // After the selection changed: an emptied selection leaves the tracker no grips to hold.
    void SelectionChanged();

    Draw2dDocument* m_pDocument;
    std::set<FeatureRecord> m_selected;
    std::vector<Group> m_groups;
    std::unique_ptr<FeatureTrackerBase> m_pTracker;
};
