#pragma once
// The selection tool of the data model: its settings (side, part, boundary, kinds of shapes, the selection
// filter it consults, limits) and the objects it selected. Picking in a view fills the selected list through
// AddSelectedObject; picking by a polygon tests single shapes without a document.

#include <map>

#include "platform/afx/AfxTypes.h"
#include "platform/afx/CArray.h"
#include "libs/vevure/FeatureLayout.h"

class Draw2dDocument;
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
    void SetDisplayStateSelectable(BOOL bSelectable) { m_bDisplayStateSelectable = bSelectable; }
    BOOL GetDisplayStateSelectable() const { return m_bDisplayStateSelectable; }
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

    // How the shape lies with respect to the closed polygon (its curves flattened): wholly inside, crossing
    // the boundary, or wholly outside; MatchNone for NULL or a polygon of fewer than three points.
    static FeatureMatchType PickByPolygon(const Feature2dBase* pFeature, const KcArrayOfGePnt2d& polygon);
    // The 1-based number of the polyline's segment within the tolerance of the point, nearest first; -1 when
    // none is that near.
    static int PolylineSelectIndex(const Polyline2dFeature* pPolyline, const RuVaPnt2d& point, double dTolerance = 4.0);

private:
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
    std::map<long, int> m_matchTypes;
};
