#include "libs/vevure/HatchPatternTable.h"

#include <algorithm>
#include <cstdio>

#include "libs/vevure/HatchPatternBase.h"
#include "platform/afx/CArchive.h"
#include "platform/afx/CArchiveException.h"
#include "platform/afx/CException.h"
#include "platform/afx/CFile.h"
#include "platform/afx/CFileException.h"
#include "platform/afx/CFileFind.h"
#include "platform/afx/CFileStatus.h"
#include "platform/afx/CInvalidArgException.h"
#include "platform/afx/CRuntimeClass.h"
#include "platform/afx/CString.h"

namespace {

// Reads one pattern: its class (which must be a pattern class) and its data.
HatchPatternBase* ReadPattern(CArchive& ar)
{
    const CRuntimeClass* rc = ar.ReadClass(RUNTIME_CLASS(HatchPatternBase));
    CObject* object = rc != nullptr ? rc->CreateObject() : nullptr;
    if (object == nullptr)
        ar.ThrowArchiveException(CArchiveException::badClass);
    std::unique_ptr<HatchPatternBase> pattern(static_cast<HatchPatternBase*>(object));
    pattern->Serialize(ar);
    return pattern.release();
}

void WritePattern(CArchive& ar, const HatchPatternBase& pattern)
{
    ar.WriteClass(pattern.GetRuntimeClass());
    const_cast<HatchPatternBase&>(pattern).Serialize(ar);
}

}  // namespace

HatchPatternTable::HatchPatternTable() = default;

HatchPatternTable::HatchPatternTable(const HatchPatternTable& src)
{
    CopyFrom(src);
}

HatchPatternTable& HatchPatternTable::operator=(const HatchPatternTable& src)
{
    if (this != &src)
        CopyFrom(src);
    return *this;
}

HatchPatternTable::~HatchPatternTable() = default;

void HatchPatternTable::CopyFrom(const HatchPatternTable& src)
{
    std::vector<std::unique_ptr<HatchPatternBase>> patterns;
    patterns.reserve(src.m_patterns.size());
    for (const auto& p : src.m_patterns)
        patterns.emplace_back(p->Clone());
    m_patterns.swap(patterns);
    m_nextId = src.m_nextId;
}

const HatchPatternBase* HatchPatternTable::GetHatchPatternByIndex(int index) const
{
    if (index < 0 || index >= GetHatchPatternCount())
        AfxThrowInvalidArgException();
    return m_patterns[static_cast<size_t>(index)].get();
}

int HatchPatternTable::GetHatchPatternIndex(long id) const
{
    for (size_t i = 0; i < m_patterns.size(); ++i) {
        if (m_patterns[i]->GetPatternID() == id)
            return static_cast<int>(i);
    }
    return -1;
}

const HatchPatternBase* HatchPatternTable::GetHatchPattern(long id) const
{
    const int i = GetHatchPatternIndex(id);
    return i < 0 ? nullptr : m_patterns[static_cast<size_t>(i)].get();
}

long HatchPatternTable::GetHatchPatternID(const CString& name) const
{
    for (const auto& p : m_patterns) {
        if (p->GetPatternName().CompareNoCase(name) == 0)
            return p->GetPatternID();
    }
    return -1;
}

BOOL HatchPatternTable::IsNameFree(const CString& name, long exceptId) const
{
    const long id = GetHatchPatternID(name);
    return id == -1 || id == exceptId;
}

long HatchPatternTable::AddHatchPattern(const HatchPatternBase* pattern)
{
    if (pattern == nullptr || !pattern->IsValidPattern() || !IsNameFree(pattern->GetPatternName(), -1) ||
        GetHatchPatternCount() >= kMaxPatternCount || m_nextId >= 0x7FFFFFFF)
        return -1;
    std::unique_ptr<HatchPatternBase> copy(pattern->Clone());
    if (!copy)
        return -1;
    const long id = m_nextId++;
    copy->SetPatternID(id);
    m_patterns.push_back(std::move(copy));
    return id;
}

BOOL HatchPatternTable::SetHatchPattern(long id, const HatchPatternBase* pattern)
{
    const int i = GetHatchPatternIndex(id);
    if (i < 0 || pattern == nullptr || !pattern->IsValidPattern() || !IsNameFree(pattern->GetPatternName(), id))
        return FALSE;
    std::unique_ptr<HatchPatternBase> copy(pattern->Clone());
    if (!copy)
        return FALSE;
    copy->SetPatternID(id);
    m_patterns[static_cast<size_t>(i)] = std::move(copy);
    return TRUE;
}

BOOL HatchPatternTable::SetHatchPatternName(long id, const CString& name)
{
    const int i = GetHatchPatternIndex(id);
    if (i < 0 || !IsNameFree(name, id))
        return FALSE;
    return m_patterns[static_cast<size_t>(i)]->SetPatternName(name);
}

BOOL HatchPatternTable::DeleteHatchPattern(long id)
{
    const int i = GetHatchPatternIndex(id);
    if (i < 0)
        return FALSE;
    m_patterns.erase(m_patterns.begin() + i);
    return TRUE;
}

void HatchPatternTable::RemoveAllHatchPatterns()
{
    m_patterns.clear();
}

BOOL HatchPatternTable::IsEqual(const HatchPatternTable& other) const
{
    if (m_patterns.size() != other.m_patterns.size())
        return FALSE;
    for (size_t i = 0; i < m_patterns.size(); ++i) {
        if (m_patterns[i]->GetPatternID() != other.m_patterns[i]->GetPatternID() ||
            !m_patterns[i]->IsEqual(*other.m_patterns[i]))
            return FALSE;
    }
    return TRUE;
}

int HatchPatternTable::LoadPatternFiles(const CString& folder)
{
    if (folder.IsEmpty())
        return 0;
    std::vector<CString> sorted;
    CFileFind finder;
    BOOL more = finder.FindFile(folder + u"/*.kvhp");
    while (more) {
        more = finder.FindNextFile();
        if (!finder.IsDirectory())
            sorted.push_back(finder.GetFilePath());
    }
    finder.Close();
    // The same order on every system.
    std::sort(sorted.begin(), sorted.end());

    int added = 0;
    for (const CString& path : sorted) {
        std::unique_ptr<HatchPatternBase> pattern;
        try {
            CFile file(path, CFile::modeRead | CFile::shareDenyWrite);
            CArchive ar(&file, CArchive::load);
            pattern.reset(ReadPattern(ar));
            ar.Close();
        } catch (CException* e) {
            e->Delete();
            continue;
        }
        if (AddHatchPattern(pattern.get()) != -1)
            ++added;
    }
    return added;
}

BOOL HatchPatternTable::SavePatternFile(const HatchPatternBase& pattern, const CString& path)
{
    // Written beside the target first, so a failed write never destroys an existing file.
    const CString temp = path + u".tmp";
    try {
        {
            CFile file(temp, CFile::modeCreate | CFile::modeWrite);
            CArchive ar(&file, CArchive::store);
            WritePattern(ar, pattern);
            ar.Close();
            file.Close();
        }
        // Replaces the target in one step.
        if (std::rename(CFile::NativePath(temp).c_str(), CFile::NativePath(path).c_str()) != 0)
            AfxThrowFileException(CFileException::genericException, -1, path);
    } catch (CException* e) {
        e->Delete();
        CFileStatus status;
        if (CFile::GetStatus(temp, status)) {
            try {
                CFile::Remove(temp);
            } catch (CException* e2) {
                e2->Delete();
            }
        }
        return FALSE;
    }
    return TRUE;
}

void HatchPatternTable::Serialize(CArchive& ar)
{
    if (ar.IsStoring()) {
        ar << static_cast<WORD>(kSchema) << static_cast<LONG>(m_nextId);
        ar.WriteCount(m_patterns.size());
        for (const auto& p : m_patterns) {
            ar << static_cast<LONG>(p->GetPatternID());
            WritePattern(ar, *p);
        }
        return;
    }
    WORD schema = 0;
    LONG nextId = 0;
    ar >> schema;
    if (schema == 0 || schema > kSchema)
        ar.ThrowArchiveException(CArchiveException::badSchema);
    ar >> nextId;
    const DWORD_PTR count = ar.ReadCount();
    if (nextId < 1 || count > static_cast<DWORD_PTR>(kMaxPatternCount))
        ar.ThrowArchiveException(CArchiveException::genericException);
    HatchPatternTable loaded;
    loaded.m_nextId = nextId;
    for (DWORD_PTR i = 0; i < count; ++i) {
        LONG id = 0;
        ar >> id;
        std::unique_ptr<HatchPatternBase> pattern(ReadPattern(ar));
        pattern->SetPatternID(id);
        // Ids are below the next id to give and unique; names unique; content within its rules.
        if (id < 1 || id >= nextId || loaded.GetHatchPattern(id) != nullptr || !pattern->IsValidPattern() ||
            !loaded.IsNameFree(pattern->GetPatternName(), -1))
            ar.ThrowArchiveException(CArchiveException::genericException);
        loaded.m_patterns.push_back(std::move(pattern));
    }
    m_patterns.swap(loaded.m_patterns);
    m_nextId = loaded.m_nextId;
}
