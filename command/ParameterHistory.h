#pragma once
// The last values the user typed, per value kind (lengths, angles, scales and texts), newest first.

#include <map>
#include <memory>
#include <vector>

#include "platform/afx/AfxTypes.h"

namespace QZ2Command {

class ParameterItemBase;

class ParameterHistory
{
public:
    explicit ParameterHistory(int nMaximum);
    virtual ~ParameterHistory();
    ParameterHistory(const ParameterHistory&) = delete;
    ParameterHistory& operator=(const ParameterHistory&) = delete;

    // Keeps a clone of a length, angle, scale or text item as the newest value of its kind; an equal
    // older value moves to the front. FALSE for other kinds and empty items.
    BOOL Add(const ParameterItemBase& item);
    int GetCount(int nTypeCode) const;
    const ParameterItemBase* GetAt(int nTypeCode, int nIndex) const;

    BOOL IsLoaded() const { return m_bLoaded; }
    // Reads the stored values once per run.
    void Load();
    void Save();
    void RemoveAll();
    int GetMaximum() const { return m_nMaximum; }

private:
    std::map<WORD, std::vector<std::unique_ptr<ParameterItemBase>>> m_lists;
    BOOL m_bLoaded = FALSE;
    int m_nMaximum;
};

}  // namespace QZ2Command
