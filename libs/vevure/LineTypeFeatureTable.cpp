#include "libs/vevure/LineTypeFeatureTable.h"

#include <set>

#include "platform/afx/CArchive.h"
#include "platform/afx/CArchiveException.h"
#include "platform/afx/CInvalidArgException.h"
#include "platform/afx/CString.h"

LineTypeFeatureTable::~LineTypeFeatureTable() = default;

void LineTypeFeatureTable::InitializeLineTypes()
{
    struct Fixed { const char16_t* name; int count; double segments[10]; };
    static const Fixed kFixed[kFixedLineTypeCount] = {
        {u"Continuous", 0, {}},
        {u"Dashed", 2, {6.0, 2.0}},
        {u"Dashed fine", 2, {3.0, 1.0}},
        {u"Dotted", 2, {0.5, 1.5}},
        {u"Dash dot", 4, {8.0, 1.5, 0.5, 1.5}},
        {u"Dash dot fine", 4, {4.0, 1.0, 0.5, 1.0}},
        {u"Dash double dot", 6, {8.0, 1.5, 0.5, 1.5, 0.5, 1.5}},
        {u"Dash double dot fine", 6, {4.0, 1.0, 0.5, 1.0, 0.5, 1.0}},
        {u"Long dash", 2, {12.0, 3.0}},
        {u"Long dash short dash", 4, {12.0, 2.0, 3.0, 2.0}},
        {u"Long dash double short dash", 6, {12.0, 2.0, 3.0, 2.0, 3.0, 2.0}},
        {u"Dash triple dot", 8, {8.0, 1.5, 0.5, 1.5, 0.5, 1.5, 0.5, 1.5}},
        {u"Sparse dot", 2, {0.5, 4.0}},
        {u"Wide dashed", 2, {10.0, 5.0}},
        {u"Long dash double dot", 10, {15.0, 1.5, 0.5, 1.5, 0.5, 1.5, 5.0, 1.5, 0.5, 1.5}}};
    m_lineTypes.clear();
    LineTypeFeature byLayer;
    byLayer.SetLineType(0, CString(u"By layer"), nullptr, 0);
    m_lineTypes.push_back(byLayer);
    for (short i = 0; i < kFixedLineTypeCount; ++i) {
        LineTypeFeature lt;
        lt.SetLineType(static_cast<short>(i + 1), CString(kFixed[i].name), kFixed[i].segments, kFixed[i].count);
        m_lineTypes.push_back(lt);
    }
}

const LineTypeFeature* LineTypeFeatureTable::GetAt(int index) const
{
    if (index < 0 || index >= GetLineTypeSize())
        AfxThrowInvalidArgException();
    return &m_lineTypes[static_cast<size_t>(index)];
}

int LineTypeFeatureTable::IndexOfNo(short no) const
{
    for (size_t i = 0; i < m_lineTypes.size(); ++i) {
        if (m_lineTypes[i].GetLineTypeNo() == no)
            return static_cast<int>(i);
    }
    return -1;
}

const LineTypeFeature* LineTypeFeatureTable::GetLineTypeByNo(short no) const
{
    const int i = IndexOfNo(no);
    return i < 0 ? nullptr : &m_lineTypes[static_cast<size_t>(i)];
}

CString LineTypeFeatureTable::GetLineTypeName(short no) const
{
    const LineTypeFeature* lt = GetLineTypeByNo(no);
    return lt != nullptr ? lt->GetLineTypeName() : CString();
}

int LineTypeFeatureTable::LineTypeNameToIndex(const CString& name) const
{
    for (size_t i = 0; i < m_lineTypes.size(); ++i) {
        if (m_lineTypes[i].GetLineTypeName() == name)
            return static_cast<int>(i);
    }
    return -1;
}

const LineTypeFeature* LineTypeFeatureTable::GetLineTypeByName(const CString& name) const
{
    const int i = LineTypeNameToIndex(name);
    return i < 0 ? nullptr : &m_lineTypes[static_cast<size_t>(i)];
}

short LineTypeFeatureTable::GetLineTypeNoByName(const CString& name) const
{
    const LineTypeFeature* lt = GetLineTypeByName(name);
    return lt != nullptr ? lt->GetLineTypeNo() : -1;
}

BOOL LineTypeFeatureTable::SetLineType(const LineTypeFeature& lineType)
{
    const short no = lineType.GetLineTypeNo();
    if (no < kFirstUserNo || no > kLastUserNo || lineType.GetLineTypeName().IsEmpty())
        return FALSE;
    const int named = LineTypeNameToIndex(lineType.GetLineTypeName());
    const int existing = IndexOfNo(no);
    if (named >= 0 && named != existing)
        return FALSE;
    if (existing >= 0)
        m_lineTypes[static_cast<size_t>(existing)] = lineType;
    else
        m_lineTypes.push_back(lineType);
    return TRUE;
}

BOOL LineTypeFeatureTable::DeleteLineTypeByNo(short no)
{
    if (no < kFirstUserNo)
        return FALSE;
    const int i = IndexOfNo(no);
    if (i < 0)
        return FALSE;
    m_lineTypes.erase(m_lineTypes.begin() + i);
    return TRUE;
}

BOOL LineTypeFeatureTable::UpDownIndex(int index, BOOL up)
{
    const int firstUser = kFixedLineTypeCount + 1;
    if (index < firstUser || index >= GetLineTypeSize())
        return FALSE;
    const int other = up ? index - 1 : index + 1;
    if (other < firstUser || other >= GetLineTypeSize())
        return FALSE;
    std::swap(m_lineTypes[static_cast<size_t>(index)], m_lineTypes[static_cast<size_t>(other)]);
    return TRUE;
}

void LineTypeFeatureTable::Serialize(CArchive& ar)
{
    if (ar.IsStoring()) {
        ar.WriteCount(m_lineTypes.size());
        for (const LineTypeFeature& lt : m_lineTypes) {
            ar << lt.GetLineTypeNo() << lt.GetLineTypeName();
            const int count = lt.GetLineTypeSegment();
            ar << static_cast<BYTE>(count);
            for (int i = 0; i < count; ++i)
                ar << lt.GetLineTypeSegmentAt(i);
        }
        return;
    }
    const DWORD_PTR count = ar.ReadCount();
    if (count > static_cast<DWORD_PTR>(kLastUserNo) + 1)
        ar.ThrowArchiveException(CArchiveException::genericException);
    std::vector<LineTypeFeature> loaded;
    loaded.reserve(count);
    std::set<short> numbers;
    std::set<CString> names;
    for (DWORD_PTR i = 0; i < count; ++i) {
        short no = 0;
        CString name;
        BYTE segmentCount = 0;
        ar >> no >> name >> segmentCount;
        if (segmentCount > LineTypeFeature::kMaxSegmentCount)
            ar.ThrowArchiveException(CArchiveException::genericException);
        double segments[LineTypeFeature::kMaxSegmentCount] = {};
        for (int s = 0; s < segmentCount; ++s)
            ar >> segments[s];
        LineTypeFeature lt;
        // The number of a position: the by-layer entry first, then unique numbers and names.
        const bool placeOk = (i == 0) == (no == 0) && (i > kFixedLineTypeCount || no == static_cast<short>(i));
        if (!placeOk || !lt.SetLineType(no, name, segments, segmentCount) || !numbers.insert(no).second ||
            !names.insert(name).second)
            ar.ThrowArchiveException(CArchiveException::genericException);
        loaded.push_back(lt);
    }
    m_lineTypes.swap(loaded);
}
