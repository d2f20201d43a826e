#include "libs/vevure/Feature2dBase.h"

#include <cmath>
#include <memory>

#include "platform/afx/CArchive.h"
#include "platform/afx/CArchiveException.h"
#include "libs/ruva/KcArrayOfGePnt2d.h"
#include "libs/vevure/AngularDimension2dFeature.h"
#include "libs/vevure/Arc2dFeature.h"
#include "libs/vevure/ArcDimension2dFeature.h"
#include "libs/vevure/Arrow2dFeature.h"
#include "libs/vevure/BSplineCurve2dFeature.h"
#include "libs/vevure/Balloon2dFeature.h"
#include "libs/vevure/Circle2dFeature.h"
#include "libs/vevure/DiameterDimension2dFeature.h"
#include "libs/vevure/DrawComponent2dFeature.h"
#include "libs/vevure/DrawGroup2dFeature.h"
#include "libs/vevure/Ellipse2dFeature.h"
#include "libs/vevure/EllipseArc2dFeature.h"
#include "libs/vevure/FeatureAttribute.h"
#include "libs/vevure/FeatureGeometry.h"
#include "libs/vevure/Hatch2dFeature.h"
#include "libs/vevure/Image2dFeature.h"
#include "libs/vevure/InfiniteLine2dFeature.h"
#include "libs/vevure/Lead2dFeature.h"
#include "libs/vevure/Line2dFeature.h"
#include "libs/vevure/LinearDimension2dFeature.h"
#include "libs/vevure/OleObject2dFeature.h"
#include "libs/vevure/ParallelDimension2dFeature.h"
#include "libs/vevure/PointMarker2dFeature.h"
#include "libs/vevure/Polyline2dFeature.h"
#include "libs/vevure/RadiusDimension2dFeature.h"
#include "libs/vevure/Region2dFeature.h"
#include "libs/vevure/SemiInfiniteLine2dFeature.h"
#include "libs/vevure/Text2dFeature.h"
#include "libs/vevure/Tolerance2dFeature.h"

IMPLEMENT_DYNAMIC(Feature2dBase, CObject)

Feature2dBase::Feature2dBase() = default;

Feature2dBase::Feature2dBase(FeatureType nType) : m_nFeatureType(nType) {}

Feature2dBase::Feature2dBase(const Feature2dBase& other)
    : CObject(other),
      m_nFeatureNo(other.m_nFeatureNo),
      m_nFeatureType(other.m_nFeatureType),
      m_nRecordID(other.m_nRecordID),
      m_nColorNo(other.m_nColorNo),
      m_nLineTypeNo(other.m_nLineTypeNo),
      m_nLineWidthNo(other.m_nLineWidthNo),
      m_color(other.m_color),
      m_dLineWidth(other.m_dLineWidth),
      m_nLayerID(other.m_nLayerID),
      m_pAttribute(other.m_pAttribute ? new FeatureAttribute(*other.m_pAttribute) : nullptr)
{
}

Feature2dBase& Feature2dBase::operator=(const Feature2dBase& other)
{
    if (this != &other) {
        CopyBase(&other);
        m_nFeatureType = other.m_nFeatureType;
        CopyAttribute(&other);
    }
    return *this;
}

Feature2dBase::~Feature2dBase()
{
    delete m_pAttribute;
}

Feature2dBase* Feature2dBase::CopyObject(WORD wFlags) const
{
    CObject* pObject = GetRuntimeClass()->CreateObject();
    Feature2dBase* pCopy = pObject ? DYNAMIC_DOWNCAST(Feature2dBase, pObject) : nullptr;
    if (pCopy == nullptr) {
        delete pObject;
        return nullptr;
    }
    pCopy->Copy(this, wFlags);
    return pCopy;
}

void Feature2dBase::Copy(const Feature2dBase* pSource, WORD wFlags)
{
    if (pSource == nullptr || pSource == this)
        return;
    if (wFlags & copyBase)
        CopyBase(pSource);
    if (wFlags & copyGeometry)
        CopyGeometry(pSource);
    if (wFlags & copyAttribute)
        CopyAttribute(pSource);
}

void Feature2dBase::CopyAttribute(const Feature2dBase* pSource)
{
    if (pSource == nullptr || pSource == this)
        return;
    if (pSource->m_pAttribute)
        SetAttribute(*pSource->m_pAttribute);
    else
        RemoveAttribute();
}

void Feature2dBase::CopyBase(const Feature2dBase* pSource)
{
    if (pSource == nullptr || pSource == this)
        return;
    m_nFeatureNo = pSource->m_nFeatureNo;
    m_nRecordID = pSource->m_nRecordID;
    m_nColorNo = pSource->m_nColorNo;
    m_color = pSource->m_color;
    m_nLineTypeNo = pSource->m_nLineTypeNo;
    m_nLineWidthNo = pSource->m_nLineWidthNo;
    m_dLineWidth = pSource->m_dLineWidth;
    m_nLayerID = pSource->m_nLayerID;
}

BOOL Feature2dBase::SetColorNo(short nColorNo)
{
    if (nColorNo > 256)
        return FALSE;
    m_nColorNo = nColorNo;
    return TRUE;
}

BOOL Feature2dBase::SetLineTypeNo(short nLineTypeNo)
{
    if (nLineTypeNo == 32767)
        return FALSE;
    m_nLineTypeNo = nLineTypeNo;
    return TRUE;
}

BOOL Feature2dBase::SetLineWidthNo(short nLineWidthNo)
{
    if (nLineWidthNo > 15)
        return FALSE;
    m_nLineWidthNo = nLineWidthNo;
    return TRUE;
}

BOOL Feature2dBase::SetLineWidth(double dWidth)
{
    // NaN fails the comparison and is refused with the negative widths.
    if (!(dWidth >= 0.0) || !std::isfinite(dWidth))
        return FALSE;
    m_dLineWidth = dWidth;
    return TRUE;
}

BOOL Feature2dBase::IsEqualColor(const Feature2dBase* pOther) const
{
    if (pOther == nullptr || m_nColorNo != pOther->m_nColorNo)
        return FALSE;
    return m_nColorNo != -1 || m_color == pOther->m_color;
}

BOOL Feature2dBase::IsEqualLineWidth(const Feature2dBase* pOther) const
{
    if (pOther == nullptr || m_nLineWidthNo != pOther->m_nLineWidthNo)
        return FALSE;
    return m_nLineWidthNo != kLineWidthNoExplicit || m_dLineWidth == pOther->m_dLineWidth;
}

void Feature2dBase::SetAttribute(const FeatureAttribute& attribute)
{
    if (&attribute == m_pAttribute)
        return;
    if (m_pAttribute)
        *m_pAttribute = attribute;
    else
        m_pAttribute = new FeatureAttribute(attribute);
}

void Feature2dBase::RemoveAttribute()
{
    delete m_pAttribute;
    m_pAttribute = nullptr;
}

RuVaBndBox2d Feature2dBase::GetBndBox() const
{
    return RuVaBndBox2d();
}

BOOL Feature2dBase::TransformGeometry(const RuVaGTrsf2d&, double)
{
    return TRUE;
}

BOOL Feature2dBase::GetOutlinePoints(KcArrayOfGePnt2d& points) const
{
    points.RemoveAll();
    return FALSE;
}

BOOL Feature2dBase::IsEqualGeometry(const Feature2dBase* pOther) const
{
    return pOther != nullptr && pOther->m_nFeatureType == m_nFeatureType;
}

BOOL Feature2dBase::IsEqual(const Feature2dBase* pOther) const
{
    if (pOther == nullptr)
        return FALSE;
    if (pOther == this)
        return TRUE;
    if (m_nFeatureType != pOther->m_nFeatureType || m_nFeatureNo != pOther->m_nFeatureNo ||
        m_nRecordID != pOther->m_nRecordID || m_nColorNo != pOther->m_nColorNo || m_color != pOther->m_color ||
        m_nLineTypeNo != pOther->m_nLineTypeNo || m_nLineWidthNo != pOther->m_nLineWidthNo ||
        m_dLineWidth != pOther->m_dLineWidth || m_nLayerID != pOther->m_nLayerID)
        return FALSE;
    if ((m_pAttribute == nullptr) != (pOther->m_pAttribute == nullptr))
        return FALSE;
    if (m_pAttribute && *m_pAttribute != *pOther->m_pAttribute)
        return FALSE;
    return IsEqualGeometry(pOther);
}

void Feature2dBase::CheckLoaded(CArchive& ar, bool bCondition)
{
    FeatureGeometry::Check(ar, bCondition);
}

void Feature2dBase::Serialize(CArchive& ar)
{
    if (ar.IsStoring()) {
        const BYTE bAttribute = m_pAttribute ? 1 : 0;
        ar << m_nFeatureNo << m_nRecordID << m_nColorNo << m_color << m_nLineTypeNo << m_nLineWidthNo
           << m_dLineWidth << m_nLayerID << bAttribute;
        if (m_pAttribute)
            m_pAttribute->Serialize(ar);
        return;
    }
    LONG nFeatureNo, nRecordID, nLayerID;
    short nColorNo, nLineTypeNo, nLineWidthNo;
    COLORREF color;
    double dLineWidth;
    BYTE bAttribute;
    ar >> nFeatureNo >> nRecordID >> nColorNo >> color >> nLineTypeNo >> nLineWidthNo >> dLineWidth >> nLayerID >>
        bAttribute;
    CheckLoaded(ar, nColorNo <= 256 && nLineTypeNo != 32767 && nLineWidthNo <= 15 && dLineWidth >= 0.0 &&
                        std::isfinite(dLineWidth) && bAttribute <= 1);
    std::unique_ptr<FeatureAttribute> pAttribute;
    if (bAttribute) {
        pAttribute = std::make_unique<FeatureAttribute>();
        pAttribute->Serialize(ar);
    }
    m_nFeatureNo = nFeatureNo;
    m_nRecordID = nRecordID;
    m_nColorNo = nColorNo;
    m_color = color;
    m_nLineTypeNo = nLineTypeNo;
    m_nLineWidthNo = nLineWidthNo;
    m_dLineWidth = dLineWidth;
    m_nLayerID = nLayerID;
    delete m_pAttribute;
    m_pAttribute = pAttribute.release();
}

void Feature2dBase::StoreFeature(CArchive& ar, const Feature2dBase* pFeature)
{
    const WORD wType = pFeature ? (WORD)pFeature->GetFeatureType() : (WORD)0;
    ar << wType;
    if (pFeature)
        const_cast<Feature2dBase*>(pFeature)->Serialize(ar);
}

Feature2dBase* Feature2dBase::LoadFeature(CArchive& ar)
{
    WORD wType;
    ar >> wType;
    if (wType == 0)
        return nullptr;
    std::unique_ptr<Feature2dBase> pFeature(CreateFeature(wType));
    if (!pFeature)
        ar.ThrowArchiveException(CArchiveException::badClass);
    pFeature->Serialize(ar);
    CheckLoaded(ar, pFeature->IsValid() != FALSE);
    return pFeature.release();
}

Feature2dBase* Feature2dBase::CreateFeature(int nFeatureType)
{
    switch (nFeatureType) {
    case FeatureTypePointMarker: return new PointMarker2dFeature;
    case FeatureTypeLine: return new Line2dFeature;
    case FeatureTypePolyline: return new Polyline2dFeature;
    case FeatureTypeCircle: return new Circle2dFeature;
    case FeatureTypeArc: return new Arc2dFeature;
    case FeatureTypeEllipse: return new Ellipse2dFeature;
    case FeatureTypeEllipseArc: return new EllipseArc2dFeature;
    case FeatureTypeRegion: return new Region2dFeature;
    case FeatureTypeBSplineCurve: return new BSplineCurve2dFeature;
    case FeatureTypeText: return new Text2dFeature;
    case FeatureTypeInfiniteLine: return new InfiniteLine2dFeature;
    case FeatureTypeSemiInfiniteLine: return new SemiInfiniteLine2dFeature;
    case FeatureTypeArrow: return new Arrow2dFeature;
    case FeatureTypeLead: return new Lead2dFeature;
    case FeatureTypeBalloon: return new Balloon2dFeature;
    case FeatureTypeHatch: return new Hatch2dFeature;
    case FeatureTypeLinearDimension: return new LinearDimension2dFeature;
    case FeatureTypeRadiusDimension: return new RadiusDimension2dFeature;
    case FeatureTypeDiameterDimension: return new DiameterDimension2dFeature;
    case FeatureTypeAngularDimension: return new AngularDimension2dFeature;
    case FeatureTypeArcDimension: return new ArcDimension2dFeature;
    case FeatureTypeParallelDimension: return new ParallelDimension2dFeature;
    case FeatureTypeTolerance: return new Tolerance2dFeature;
    case FeatureTypeDrawGroup: return new DrawGroup2dFeature;
    case FeatureTypeDrawComponent: return new DrawComponent2dFeature;
    case FeatureTypeImage: return new Image2dFeature;
    case FeatureTypeOleObject: return new OleObject2dFeature;
    default: return nullptr;
    }
}
