#pragma once
// What the document knows of one feature record besides the shape: the drawing and layer it lies in, its
// position in the drawing's order, the deleted flag, the box, and what resolving the shape (groups,
// components, texts) gave: outline points, pieces with their boxes and points. The record owns all of these;
// a copy copies them (never shares them).

#include <vector>

#include "platform/afx/AfxTypes.h"
#include "libs/ruva/KcArrayOfGePnt2d.h"
#include "libs/ruva/RuVaBndBox2d.h"

class Feature2dList;

class FeatureRecordInfo
{
public:
    FeatureRecordInfo() = default;
    FeatureRecordInfo(long nDrawingID, long nLayerID, long nPosition, long nFeatureNo);
    FeatureRecordInfo(const FeatureRecordInfo& other);
    FeatureRecordInfo& operator=(const FeatureRecordInfo& other);
    virtual ~FeatureRecordInfo();

    long GetDrawingFeatureID() const { return m_nDrawingID; }
    void SetDrawingFeatureID(long nID) { m_nDrawingID = (LONG)nID; }
    long GetLayerID() const { return m_nLayerID; }
    void SetLayerID(long nID) { m_nLayerID = (LONG)nID; }
    long GetPosition() const { return m_nPosition; }
    void SetPosition(long nPosition) { m_nPosition = (LONG)nPosition; }
    long GetFeatureNo() const { return m_nFeatureNo; }
    void SetFeatureNo(long nNo) { m_nFeatureNo = (LONG)nNo; }
    BOOL IsDeleted() const { return m_bDeleted; }
    void SetDelete(BOOL bDeleted) { m_bDeleted = bDeleted ? 1 : 0; }

    void GetBox(RuVaBndBox2d& box) const { box = m_box; }
    const RuVaBndBox2d& GetBox() const { return m_box; }
    void SetBox(const RuVaBndBox2d& box) { m_box = box; }
    void ClearBox() { m_box.SetVoid(); }

    // A copy of the outline points (emptied when there are none) / the points, NULL when none.
    void GetPoints(KcArrayOfGePnt2d& points) const;
    const KcArrayOfGePnt2d* GetPoints() const { return m_pPoints; }
    // Stores a copy; an empty array clears them.
    void SetPoints(const KcArrayOfGePnt2d& points);
    void ClearPoints();

    // The resolved pieces, their boxes and their points (NULL until resolved).
    Feature2dList* GetResolveFeatureList() const { return m_pResolveFeatureList; }
    std::vector<RuVaBndBox2d>* GetResolveBoxList() const { return m_pResolveBoxList; }
    std::vector<KcArrayOfGePnt2d>* GetResolvePointsList() const { return m_pResolvePointsList; }
    // Takes the three over (any may be NULL), deleting what was there.
    void SetResolveData(Feature2dList* pFeatures, std::vector<RuVaBndBox2d>* pBoxes,
                        std::vector<KcArrayOfGePnt2d>* pPoints);
    void ClearResolveData();

    // Ids, flag, box, feature number and the points and pieces, compared by content.
    bool operator==(const FeatureRecordInfo& other) const;
    bool operator!=(const FeatureRecordInfo& other) const { return !(*this == other); }

private:
    void CopyOwned(const FeatureRecordInfo& other);

    LONG m_nDrawingID = -1;
    LONG m_nLayerID = -1;
    LONG m_nPosition = -1;
    LONG m_nFeatureNo = -1;
    BYTE m_bDeleted = 0;
    RuVaBndBox2d m_box;
    KcArrayOfGePnt2d* m_pPoints = nullptr;
    Feature2dList* m_pResolveFeatureList = nullptr;
    std::vector<RuVaBndBox2d>* m_pResolveBoxList = nullptr;
    std::vector<KcArrayOfGePnt2d>* m_pResolvePointsList = nullptr;
};
