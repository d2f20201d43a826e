#pragma once
// The selection tool of the data model: its settings (side, part, boundary, kinds of shapes, the selection
// filter it consults, limits) and the objects it selected. Picking in a view fills the selected list through
// AddSelectedObject; picking by a polygon tests single shapes without a document.
//
// Picks in a view go through FeaturePicker with these settings: the kinds mask, the selection filter (when
// set), the display-state mode (non-zero: shapes shown but locked are pickable too), the source records
// (when listed) and the maximum count; polygon picks also with the part mode (1 window, 2 crossing) and
// the side mode (1 inside, 2 outside). A pick for snapping offers every shown shape near the point,
// whatever its kind, lock or filter: the snapping code decides what it snaps to. The boundary, in-group and
// pick settings are kept for the callers and change no pick.

#include <map>

#include "platform/afx/AfxTypes.h"
#include "platform/afx/CArray.h"
#include "libs/vevure/FeatureLayout.h"

class Draw2dDocument;
class Draw2dView;
class Feature2dBase;
class KcArrayOfGePnt2d;
class Polyline2dFeature;
class RuVaPnt2d;
class SelectionFilter;

class FeatureSelector
{
public:
    // How a shape lies with respect to a picking polygon.
    enum FeatureMatchType { MatchInside = 0, MatchCrossing = 1, MatchOutside = 2, MatchNone = 3 };
    // Polled during a pick; FALSE abandons it.
    typedef BOOL (*KeepGoingProc)();

    FeatureSelector();
    explicit FeatureSelector(Draw2dDocument* pDocument);
    FeatureSelector(const FeatureSelector&) = delete;
    FeatureSelector& operator=(const FeatureSelector&) = delete;
    virtual ~FeatureSelector();

    Draw2dDocument* GetDocument() const { return m_pDocument; }

    void SetSelectSide(int nSide) { m_nSelectSide = nSide; }
    int GetSelectSide() const { return m_nSelectSide; }
    void SetSelectPart(int nPart) { m_nSelectPart = nPart; }
    int GetSelectPart() const { return m_nSelectPart; }
    void SetSelectBoundary(int nBoundary) { m_nSelectBoundary = nBoundary; }
    int GetSelectBoundary() const { return m_nSelectBoundary; }
    void SetFeatureFilter(DWORD dwMask) { m_dwFeatureFilter = dwMask; }
    DWORD GetFeatureFilter() const { return m_dwFeatureFilter; }
    // Not owned.
    void SetSelectionFilter(SelectionFilter* pFilter) { m_pSelectionFilter = pFilter; }
    SelectionFilter* GetSelectionFilter() const { return m_pSelectionFilter; }
    void SetDisplayStateSelectable(BOOL bSelectable) { m_bDisplayStateSelectable = bSelectable ? TRUE : FALSE; }
    BOOL GetDisplayStateSelectable() const { return m_bDisplayStateSelectable; }
    // The same setting as a mode (0 or 1; any non-zero value is 1).
    void SetDisplayStateMode(int nMode) { m_bDisplayStateSelectable = nMode != 0 ? TRUE : FALSE; }
    int GetDisplayStateMode() const { return m_bDisplayStateSelectable ? 1 : 0; }
    void SetSnapPick(BOOL bSnap) { m_bSnapPick = bSnap ? TRUE : FALSE; }
    BOOL GetSnapPick() const { return m_bSnapPick; }
    // A feature item's pick setting, kept for the callers; the picker gives it no meaning of its own.
    void SetPickSetting(int nSetting) { m_nPickSetting = nSetting; }
    int GetPickSetting() const { return m_nPickSetting; }
    void SetMaxSelectCount(int nCount) { m_nMaxSelectCount = nCount; }
    int GetMaxSelectCount() const { return m_nMaxSelectCount; }
    void SetSelectInGroup(BOOL bInGroup) { m_bSelectInGroup = bInGroup; }
    BOOL GetSelectInGroup() const { return m_bSelectInGroup; }

    // Restricts picking to these records (a copy); empty means every record.
    void SetSourceRecordList(const CArray<FeatureLayout>& records);
    const CArray<FeatureLayout>& GetSourceRecordList() const { return m_sourceRecords; }

    int GetSelectedCount() const { return (int)m_selected.GetSize(); }
    // Index-guarded (invalid-argument exception).
    long GetSelectedRecordID(int nIndex) const;
    long GetSelectedLayoutID(int nIndex) const;
    const FeatureLayout& GetSelectedFeatureLayout(int nIndex) const;
    void GetAllSelectedObjects(CArray<FeatureLayout>& objects) const;
    const CArray<FeatureLayout>& GetAllSelectedObjects() const { return m_selected; }
    void ClearSelectedObject();
    // Adds an object unless it is there already or the maximum count is reached; FALSE when not added.
    BOOL AddSelectedObject(const FeatureLayout& object, int nMatchType = MatchInside);
    // How the record matched when it was added; MatchNone when it was not.
    int GetMatchType(long nRecordID) const;

    // Picks in a view of the selector's document (any document's view when it has none) and replaces the
    // selected objects with what it found: every pickable shape within the aperture (world units) of the
    // world point, nearest first. Returns the number selected, -1 (nothing selected) when the keep-going
    // test stopped the pick.
    int PickByPoint(const Draw2dView* pView, const RuVaPnt2d& point, double dAperture,
                    KeepGoingProc pfnKeepGoing = nullptr);
    // The same for the shapes the closed polygon (world points) takes by the part and side modes; each
    // object's match type tells how it lies with respect to the polygon. (The callback has no default, so
    // that PickByPolygon(NULL, polygon) still names the test of a single shape.)
    int PickByPolygon(const Draw2dView* pView, const KcArrayOfGePnt2d& polygon, KeepGoingProc pfnKeepGoing);

    // How the shape lies with respect to the closed polygon (its curves flattened): wholly inside, crossing
    // the boundary, or wholly outside; MatchNone for NULL or a polygon of fewer than three points.
    static FeatureMatchType PickByPolygon(const Feature2dBase* pFeature, const KcArrayOfGePnt2d& polygon);
    // The 1-based number of the polyline's segment within the tolerance of the point, nearest first; -1 when
    // none is that near.
    static int PolylineSelectIndex(const Polyline2dFeature* pPolyline, const RuVaPnt2d& point, double dTolerance = 4.0);

private:
    // Whether the view shows a document this selector may pick in.
    BOOL CanPickIn(const Draw2dView* pView) const;

    Draw2dDocument* m_pDocument = nullptr;
    CArray<FeatureLayout> m_sourceRecords;
    CArray<FeatureLayout> m_selected;
    int m_nSelectSide = 1;
    int m_nSelectPart = 1;
    int m_nSelectBoundary = 0;
    DWORD m_dwFeatureFilter = 0xFFFFFFFF;
    SelectionFilter* m_pSelectionFilter = nullptr;
    BOOL m_bDisplayStateSelectable = FALSE;
    int m_nMaxSelectCount = 0x7FFFFFFF;
    BOOL m_bSelectInGroup = FALSE;
    BOOL m_bSnapPick = FALSE;
    int m_nPickSetting = 0;
    std::map<long, int> m_matchTypes;
};
