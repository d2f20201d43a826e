#include "libs/vevure/DrawingFeatureBase.h"

#include <algorithm>
#include <cmath>

#include "platform/afx/CArchive.h"
#include "platform/afx/CArchiveException.h"
#include "platform/afx/CInvalidArgException.h"
#include "libs/vevure/Draw2dDocument.h"
#include "libs/vevure/DrawComponent2dFeatureDefine.h"
#include "libs/vevure/GridSetting.h"
#include "libs/vevure/Paper2dFeature.h"
#include "libs/vevure/PartDrawingLayout.h"
#include "libs/vevure/StoredForm.h"

namespace {
// More part layouts than this on one drawing mark a damaged archive.
constexpr DWORD_PTR kMaxLayoutsPerDrawing = 100000;
}  // namespace

DrawingFeatureBase::DrawingFeatureBase(int nType)
    : m_nType(nType), m_pGrid(new GridSetting), m_pSelfLayout(new PartDrawingLayout)
{
}

DrawingFeatureBase::DrawingFeatureBase(const DrawingFeatureBase& other)
    : m_nType(other.m_nType), m_pSelfLayout(new PartDrawingLayout)
{
    CopyFrom(other);
}

DrawingFeatureBase& DrawingFeatureBase::operator=(const DrawingFeatureBase& other)
{
    if (this != &other) {
        m_nType = other.m_nType;
        CopyFrom(other);
    }
    return *this;
}

DrawingFeatureBase::~DrawingFeatureBase()
{
    ClearLayouts();
    delete m_pGrid;
    delete m_pSelfLayout;
}

DrawingFeatureBase* DrawingFeatureBase::Clone() const
{
    return new DrawingFeatureBase(*this);
}

void DrawingFeatureBase::CopyFrom(const DrawingFeatureBase& o)
{
    GridSetting* grid = new GridSetting(*o.m_pGrid);
    std::vector<PartDrawingLayout*> layouts;
    layouts.reserve(o.m_layouts.size());
    for (const PartDrawingLayout* p : o.m_layouts)
        layouts.push_back(new PartDrawingLayout(*p));
    ClearLayouts();
    delete m_pGrid;
    m_pGrid = grid;
    m_layouts = std::move(layouts);
    m_nDrawingID = o.m_nDrawingID;
    m_dwState = o.m_dwState;
    m_strName = o.m_strName;
    m_printRange = o.m_printRange;
    m_userOrigin = o.m_userOrigin;
    m_nFeatureCount = o.m_nFeatureCount;
    *m_pSelfLayout = *o.m_pSelfLayout;
    m_pDocument = o.m_pDocument;
}

void DrawingFeatureBase::ClearLayouts()
{
    for (PartDrawingLayout* p : m_layouts)
        delete p;
    m_layouts.clear();
}

bool DrawingFeatureBase::IsSame(const DrawingFeatureBase& o) const
{
    if (m_nType != o.m_nType || m_nDrawingID != o.m_nDrawingID || m_dwState != o.m_dwState ||
        m_strName != o.m_strName || m_printRange != o.m_printRange || m_userOrigin != o.m_userOrigin ||
        !m_pSelfLayout->IsSame(*o.m_pSelfLayout) || m_layouts.size() != o.m_layouts.size())
        return false;
    for (size_t i = 0; i < m_layouts.size(); ++i)
        if (!m_layouts[i]->IsSame(*o.m_layouts[i]))
            return false;
    return StoredForm::IsSameValue(m_pGrid, o.m_pGrid) != FALSE;
}

void DrawingFeatureBase::SetPrintable(BOOL bPrintable)
{
    if (bPrintable)
        m_dwState |= flagPrintable;
    else
        m_dwState &= ~DWORD(flagPrintable);
}

int DrawingFeatureBase::GetDrawingState() const
{
    if (!(m_dwState & flagDisplay))
        return 2;
    return (m_dwState & flagEditable) ? 0 : 1;
}

BOOL DrawingFeatureBase::SetDrawingState(int nState)
{
    DWORD bits = 0;
    switch (nState) {
    case 0: bits = flagDisplay | flagEditable; break;
    case 1: bits = flagDisplay; break;
    case 2: bits = 0; break;
    default: return FALSE;
    }
    m_dwState = (m_dwState & ~DWORD(flagDisplay | flagEditable)) | bits;
    return TRUE;
}

void DrawingFeatureBase::SetGridSetting(const GridSetting& grid)
{
    if (&grid == m_pGrid)
        return;
    GridSetting* copy = new GridSetting(grid);
    delete m_pGrid;
    m_pGrid = copy;
}

BOOL DrawingFeatureBase::IsUserOrigin() const
{
    return m_userOrigin.Distance(RuVaPnt2d(0.0, 0.0)) > 1e-7 ? TRUE : FALSE;
}

Feature2dBase* DrawingFeatureBase::GetFeature(long nRecordID) const
{
    if (nRecordID == 0)
        AfxThrowInvalidArgException();
    if (m_pDocument == nullptr || nRecordID < 0 || m_pDocument->GetFeatureDrawingID(nRecordID) != m_nDrawingID)
        return nullptr;
    return m_pDocument->GetFeature(nRecordID);
}

long DrawingFeatureBase::GetNextFeaturePosition(long nPosition, int) const
{
    if (m_pDocument == nullptr)
        return -1;
    return m_pDocument->GetNextFeatureRecordID(this, nPosition, 0);
}

PartDrawingLayout* DrawingFeatureBase::GetPartLayout(int nIndex) const
{
    if (nIndex < 0 || nIndex >= GetPartLayoutCount())
        AfxThrowInvalidArgException();
    return m_layouts[static_cast<size_t>(nIndex)];
}

int DrawingFeatureBase::PartLayoutIDToIndex(long nLayoutID) const
{
    for (size_t i = 0; i < m_layouts.size(); ++i)
        if (m_layouts[i]->GetLayoutID() == nLayoutID)
            return static_cast<int>(i);
    return -1;
}

void DrawingFeatureBase::SetSelfPartLayoutID(long nID)
{
    m_pSelfLayout->SetLayoutID(nID);
    m_pSelfLayout->SetPaperID(m_nDrawingID);
    m_pSelfLayout->SetDrawingID(m_nDrawingID);
}

PartDrawingLayout* DrawingFeatureBase::GetPartLayoutByID(long nLayoutID) const
{
    if (nLayoutID != -1 && nLayoutID == m_pSelfLayout->GetLayoutID())
        return m_pSelfLayout;
    int i = PartLayoutIDToIndex(nLayoutID);
    return i < 0 ? nullptr : m_layouts[static_cast<size_t>(i)];
}

long DrawingFeatureBase::PartLayoutIndexToID(int nIndex) const
{
    return GetPartLayout(nIndex)->GetLayoutID();
}

long DrawingFeatureBase::GetPartLayoutDrawingID(int nIndex) const
{
    return GetPartLayout(nIndex)->GetDrawingID();
}

PartDrawingLayout* DrawingFeatureBase::FindPartLayoutByDrawingID(long nDrawingID) const
{
    for (PartDrawingLayout* p : m_layouts)
        if (p->GetDrawingID() == nDrawingID)
            return p;
    return nullptr;
}

PartDrawingLayout* DrawingFeatureBase::InsertPartLayout(const PartDrawingLayout& layout, int nOrder)
{
    PartDrawingLayout* copy = new PartDrawingLayout(layout);
    if (nOrder < 0 || nOrder > GetPartLayoutCount())
        m_layouts.push_back(copy);
    else
        m_layouts.insert(m_layouts.begin() + nOrder, copy);
    return copy;
}

BOOL DrawingFeatureBase::RemovePartLayout(long nLayoutID)
{
    int i = PartLayoutIDToIndex(nLayoutID);
    if (i < 0)
        return FALSE;
    delete m_layouts[static_cast<size_t>(i)];
    m_layouts.erase(m_layouts.begin() + i);
    return TRUE;
}

PartDrawingLayout* DrawingFeatureBase::DetachPartLayout(long nLayoutID)
{
    int i = PartLayoutIDToIndex(nLayoutID);
    if (i < 0)
        return nullptr;
    PartDrawingLayout* p = m_layouts[static_cast<size_t>(i)];
    m_layouts.erase(m_layouts.begin() + i);
    return p;
}

BOOL DrawingFeatureBase::MovePartLayout(long nLayoutID, int nOrder)
{
    int i = PartLayoutIDToIndex(nLayoutID);
    if (i < 0)
        return FALSE;
    PartDrawingLayout* p = m_layouts[static_cast<size_t>(i)];
    m_layouts.erase(m_layouts.begin() + i);
    if (nOrder < 0 || nOrder > GetPartLayoutCount())
        m_layouts.push_back(p);
    else
        m_layouts.insert(m_layouts.begin() + nOrder, p);
    return TRUE;
}

void DrawingFeatureBase::Serialize(CArchive& ar)
{
    if (ar.IsStoring()) {
        ar << static_cast<LONG>(m_nDrawingID) << m_dwState << m_strName;
        m_pGrid->Serialize(ar);
        BYTE hasRange = m_printRange.IsVoid() ? 0 : 1;
        ar << hasRange;
        if (hasRange)
            ar << m_printRange.XMin() << m_printRange.YMin() << m_printRange.XMax() << m_printRange.YMax();
        ar << m_userOrigin.X() << m_userOrigin.Y();
        m_pSelfLayout->Serialize(ar);
        ar.WriteCount(m_layouts.size());
        for (PartDrawingLayout* p : m_layouts)
            p->Serialize(ar);
        return;
    }
    // Load into a fresh drawing so that a failure leaves this one unchanged.
    DrawingFeatureBase loaded(m_nType);
    LONG id = 0;
    ar >> id >> loaded.m_dwState >> loaded.m_strName;
    loaded.m_pGrid->Serialize(ar);
    BYTE hasRange = 0;
    ar >> hasRange;
    if (hasRange > 1)
        ar.ThrowArchiveException(CArchiveException::genericException);
    if (hasRange) {
        double x0, y0, x1, y1;
        ar >> x0 >> y0 >> x1 >> y1;
        if (!std::isfinite(x0) || !std::isfinite(y0) || !std::isfinite(x1) || !std::isfinite(y1))
            ar.ThrowArchiveException(CArchiveException::genericException);
        loaded.m_printRange = RuVaBndBox2d(RuVaPnt2d(x0, y0), RuVaPnt2d(x1, y1));
    }
    double ox, oy;
    ar >> ox >> oy;
    loaded.m_pSelfLayout->Serialize(ar);
    if (!std::isfinite(ox) || !std::isfinite(oy))
        ar.ThrowArchiveException(CArchiveException::genericException);
    loaded.m_userOrigin = RuVaPnt2d(ox, oy);
    DWORD_PTR n = ar.ReadCount();
    if (n > kMaxLayoutsPerDrawing)
        ar.ThrowArchiveException(CArchiveException::genericException);
    ar.EnsureReadable(static_cast<ULONGLONG>(n) * 78u);  // the smallest stored layout
    for (DWORD_PTR i = 0; i < n; ++i) {
        PartDrawingLayout layout;
        layout.Serialize(ar);
        loaded.InsertPartLayout(layout, -1);
    }
    loaded.m_nDrawingID = id;
    loaded.m_pDocument = m_pDocument;
    CopyFrom(loaded);
}

void DrawingFeatureBase::Store(CArchive& ar) const
{
    ar << static_cast<LONG>(m_nType);
    const_cast<DrawingFeatureBase*>(this)->Serialize(ar);
}

DrawingFeatureBase* DrawingFeatureBase::LoadNew(CArchive& ar)
{
    LONG type = 0;
    ar >> type;
    DrawingFeatureBase* p = nullptr;
    switch (type) {
    case typePaper: p = new Paper2dFeature; break;
    case typePart: p = new DrawingFeatureBase(typePart); break;
    case typeComponent: p = new DrawComponent2dFeatureDefine; break;
    default: ar.ThrowArchiveException(CArchiveException::badClass);
    }
    try {
        p->Serialize(ar);
    } catch (...) {
        delete p;
        throw;
    }
    return p;
}
