#include "libs/vevure/DrawViewInfo.h"

#include "platform/afx/CArchive.h"
#include "platform/afx/CArchiveException.h"
#include "platform/afx/CInvalidArgException.h"

namespace {
constexpr DWORD_PTR kMaxViews = 10000;
}  // namespace

bool DrawViewInfo::operator==(const DrawViewInfo& o) const
{
    return m_entries == o.m_entries && m_nActive == o.m_nActive;
}

int DrawViewInfo::AddViewInfo(int nViewType, long nID)
{
    m_entries.push_back({nViewType, nID});
    return GetViewInfoCount() - 1;
}

int DrawViewInfo::GetViewType(int nIndex) const
{
    if (nIndex < 0 || nIndex >= GetViewInfoCount())
        AfxThrowInvalidArgException();
    return m_entries[static_cast<size_t>(nIndex)].type;
}

long DrawViewInfo::GetViewID(int nIndex) const
{
    if (nIndex < 0 || nIndex >= GetViewInfoCount())
        AfxThrowInvalidArgException();
    return m_entries[static_cast<size_t>(nIndex)].id;
}

void DrawViewInfo::DeleteAllViewInfo()
{
    m_entries.clear();
    m_nActive = -1;
}

void DrawViewInfo::Serialize(CArchive& ar)
{
    if (ar.IsStoring()) {
        ar.WriteCount(m_entries.size());
        for (const Entry& e : m_entries)
            ar << e.type << static_cast<LONG>(e.id);
        ar << m_nActive;
        return;
    }
    DWORD_PTR n = ar.ReadCount();
    if (n > kMaxViews)
        ar.ThrowArchiveException(CArchiveException::genericException);
    ar.EnsureReadable(static_cast<ULONGLONG>(n) * 8u);
    std::vector<Entry> entries;
    entries.reserve(n);
    for (DWORD_PTR i = 0; i < n; ++i) {
        int type = 0;
        LONG id = 0;
        ar >> type >> id;
        entries.push_back({type, id});
    }
    int active = -1;
    ar >> active;
    if (active < -1 || active >= static_cast<int>(entries.size()))
        ar.ThrowArchiveException(CArchiveException::genericException);
    m_entries = std::move(entries);
    m_nActive = active;
}
