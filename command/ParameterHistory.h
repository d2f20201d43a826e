#pragma once
// The last values the user typed, per value kind (lengths, angles, scales and texts), newest first.
// They are kept in the settings store between runs (section "CommandParameterHistory").

#include <map>
#include <memory>
#include <vector>

#include "platform/afx/AfxTypes.h"
#include "platform/afx/CString.h"

namespace QZ2Command {

class ParameterItemBase;

class ParameterHistory
{
public:
    // The longest text that is kept.
    static constexpr int kMaxTextLength = 256;

    explicit ParameterHistory(int nMaximum);
    virtual ~ParameterHistory();
    ParameterHistory(const ParameterHistory&) = delete;
    ParameterHistory& operator=(const ParameterHistory&) = delete;

    // Keeps a clone of the item as the newest value of its kind (Insert at 0).
    BOOL Add(const ParameterItemBase& item);
    // Keeps a clone of a length, angle, scale or text item at the position (beyond the list, or below
    // 0: at the end); an equal older value is removed first and the oldest ones give way to keep the
    // maximum. FALSE for other kinds, empty items and texts longer than kMaxTextLength.
    BOOL Insert(int nPosition, const ParameterItemBase& item);
    int GetCount(int nTypeCode) const;
    // The stored item (the history keeps it), or NULL outside the list.
    const ParameterItemBase* GetAt(int nTypeCode, int nIndex) const;
    BOOL RemoveAt(int nTypeCode, int nIndex);
    BOOL RemoveType(int nTypeCode);
    void RemoveAll();
    // Forgets everything held, loaded flag included (after the last Save of a run): a later Save
    // writes nothing, a later use loads again.
    void Reset();

    BOOL IsLoaded() const { return m_bLoaded; }
    // Reads the stored values once per run. Every accessor loads first, so that a run that never asks
    // for the history still writes back what it found. Values already held stay newest.
    void Load();
    // Replaces the stored values with the ones held now; nothing when nothing was loaded.
    void Save();
    int GetMaximum() const { return m_nMaximum; }

    // "SOFTWARE\<registry key>\<profile>\CommandParameterHistory\" of the running application.
    static CString GetStorePath();

private:
    void EnsureLoaded() const;
    void LoadType(WORD wType, const CString& strPath);

    std::map<WORD, std::vector<std::unique_ptr<ParameterItemBase>>> m_lists;
    BOOL m_bLoaded = FALSE;
    BOOL m_bLoading = FALSE;
    int m_nMaximum;
};

}  // namespace QZ2Command
