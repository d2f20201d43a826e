#include "libs/vevure/FeatureRecordInfo.h"

#include "libs/vevure/Feature2dBase.h"
#include "libs/vevure/Feature2dList.h"

FeatureRecordInfo::FeatureRecordInfo(long nDrawingID, long nLayerID, long nPosition, long nFeatureNo)
    : m_nDrawingID((LONG)nDrawingID), m_nLayerID((LONG)nLayerID), m_nPosition((LONG)nPosition),
      m_nFeatureNo((LONG)nFeatureNo)
{
}

FeatureRecordInfo::FeatureRecordInfo(const FeatureRecordInfo& other)
    : m_nDrawingID(other.m_nDrawingID), m_nLayerID(other.m_nLayerID), m_nPosition(other.m_nPosition),
      m_nFeatureNo(other.m_nFeatureNo), m_bDeleted(other.m_bDeleted), m_box(other.m_box)
{
    CopyOwned(other);
}

FeatureRecordInfo& FeatureRecordInfo::operator=(const FeatureRecordInfo& other)
{
    if (this != &other) {
        m_nDrawingID = other.m_nDrawingID;
        m_nLayerID = other.m_nLayerID;
        m_nPosition = other.m_nPosition;
        m_nFeatureNo = other.m_nFeatureNo;
        m_bDeleted = other.m_bDeleted;
        m_box = other.m_box;
        CopyOwned(other);
    }
    return *this;
}

FeatureRecordInfo::~FeatureRecordInfo()
{
    ClearPoints();
    ClearResolveData();
}

void FeatureRecordInfo::CopyOwned(const FeatureRecordInfo& other)
{
    // Build the copies first so that a failing allocation leaves this record as it was.
    KcArrayOfGePnt2d* points = other.m_pPoints ? new KcArrayOfGePnt2d(*other.m_pPoints) : nullptr;
    Feature2dList* features = nullptr;
    std::vector<RuVaBndBox2d>* boxes = nullptr;
    std::vector<KcArrayOfGePnt2d>* pointsList = nullptr;
    try {
        features = other.m_pResolveFeatureList ? new Feature2dList(*other.m_pResolveFeatureList) : nullptr;
        boxes = other.m_pResolveBoxList ? new std::vector<RuVaBndBox2d>(*other.m_pResolveBoxList) : nullptr;
        pointsList = other.m_pResolvePointsList ? new std::vector<KcArrayOfGePnt2d>(*other.m_pResolvePointsList)
                                                : nullptr;
    } catch (...) {
        delete points;
        delete features;
        delete boxes;
        throw;
    }
    ClearPoints();
    m_pPoints = points;
    SetResolveData(features, boxes, pointsList);
}

void FeatureRecordInfo::GetPoints(KcArrayOfGePnt2d& points) const
{
    if (m_pPoints)
        points = *m_pPoints;
    else
        points.RemoveAll();
}

void FeatureRecordInfo::SetPoints(const KcArrayOfGePnt2d& points)
{
    if (points.IsEmpty()) {
        ClearPoints();
    } else if (m_pPoints) {
        *m_pPoints = points;
    } else {
        m_pPoints = new KcArrayOfGePnt2d(points);
    }
}

void FeatureRecordInfo::ClearPoints()
{
    delete m_pPoints;
    m_pPoints = nullptr;
}

void FeatureRecordInfo::SetResolveData(Feature2dList* pFeatures, std::vector<RuVaBndBox2d>* pBoxes,
                                       std::vector<KcArrayOfGePnt2d>* pPoints)
{
    if (pFeatures != m_pResolveFeatureList)
        delete m_pResolveFeatureList;
    if (pBoxes != m_pResolveBoxList)
        delete m_pResolveBoxList;
    if (pPoints != m_pResolvePointsList)
        delete m_pResolvePointsList;
    m_pResolveFeatureList = pFeatures;
    m_pResolveBoxList = pBoxes;
    m_pResolvePointsList = pPoints;
}

void FeatureRecordInfo::ClearResolveData()
{
    SetResolveData(nullptr, nullptr, nullptr);
}

bool FeatureRecordInfo::operator==(const FeatureRecordInfo& other) const
{
    if (m_nDrawingID != other.m_nDrawingID || m_nLayerID != other.m_nLayerID || m_nPosition != other.m_nPosition ||
        m_nFeatureNo != other.m_nFeatureNo || m_bDeleted != other.m_bDeleted || m_box != other.m_box)
        return false;
    auto samePtr = [](const auto* a, const auto* b) { return a == b || (a && b && *a == *b); };
    if (!samePtr(m_pPoints, other.m_pPoints) || !samePtr(m_pResolveBoxList, other.m_pResolveBoxList) ||
        !samePtr(m_pResolvePointsList, other.m_pResolvePointsList))
        return false;
    const Feature2dList* a = m_pResolveFeatureList;
    const Feature2dList* b = other.m_pResolveFeatureList;
    if (a == b)
        return true;
    if (!a || !b || a->GetFeatureSize() != b->GetFeatureSize())
        return false;
    for (int i = 0; i < a->GetFeatureSize(); ++i)
        if (!a->GetFeature(i)->IsEqual(b->GetFeature(i)))
            return false;
    return true;
}
