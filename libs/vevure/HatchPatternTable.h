#pragma once
// A document's own hatch patterns, in the order they were added, each under an id that the table
// gives (from 1 upwards, never given twice) and a name unique ignoring case. The table owns copies.

#include <memory>
#include <vector>

#include "platform/afx/AfxTypes.h"

class CArchive;
class CString;
class HatchPatternBase;

class HatchPatternTable
{
public:
    static constexpr int kSchema = 1;
    static constexpr int kMaxPatternCount = 0x10000;

    HatchPatternTable();
    HatchPatternTable(const HatchPatternTable& src);
    HatchPatternTable& operator=(const HatchPatternTable& src);
    virtual ~HatchPatternTable();

    int GetHatchPatternCount() const { return static_cast<int>(m_patterns.size()); }
    // Index-guarded (invalid-argument exception).
    const HatchPatternBase* GetHatchPatternByIndex(int index) const;
    // NULL for an unknown id.
    const HatchPatternBase* GetHatchPattern(long id) const;
    BOOL IsPatternIDExists(long id) const { return GetHatchPattern(id) != nullptr; }
    BOOL IsPatternNameExists(const CString& name) const { return GetHatchPatternID(name) != -1; }
    // The id of a name (ignoring case); -1 when none.
    long GetHatchPatternID(const CString& name) const;
    int GetHatchPatternIndex(long id) const;

    // Stores a copy under a new id; the id, or -1 for no pattern, a pattern that breaks its rules or a
    // name in use.
    long AddHatchPattern(const HatchPatternBase* pattern);
    // Stores the pattern under an id in use, in place (kind, name and content); FALSE for an unknown id,
    // a pattern that breaks its rules or a name another pattern has.
    BOOL SetHatchPattern(long id, const HatchPatternBase* pattern);
    BOOL SetHatchPatternName(long id, const CString& name);
    BOOL DeleteHatchPattern(long id);
    void RemoveAllHatchPatterns();

    // Adds every pattern stored in the files "*.kvhp" of a folder (each an archive of one pattern, as
    // SavePatternFile writes it) whose name is not in use. Returns the number added; files that cannot
    // be read are skipped.
    int LoadPatternFiles(const CString& folder);
    // Writes one pattern into a file that LoadPatternFiles reads. FALSE when it cannot be written.
    static BOOL SavePatternFile(const HatchPatternBase& pattern, const CString& path);

    // Same patterns (ids, kinds, names, content) in the same order.
    BOOL IsEqual(const HatchPatternTable& other) const;

    // Loading checks the count, each pattern's class, id and name and throws CArchiveException for a
    // damaged table; the table then stays unchanged.
    void Serialize(CArchive& ar);

private:
    void CopyFrom(const HatchPatternTable& src);
    BOOL IsNameFree(const CString& name, long exceptId) const;

    std::vector<std::unique_ptr<HatchPatternBase>> m_patterns;
    long m_nextId = 1;
};
