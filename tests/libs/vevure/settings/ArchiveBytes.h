#pragma once
// Storing and loading through memory archives for the settings tests.

#include <gtest/gtest.h>

#include <functional>
#include <vector>

#include "platform/afx/CArchive.h"
#include "platform/afx/CArchiveException.h"
#include "platform/afx/CMemFile.h"

namespace settings_test {

using Bytes = std::vector<BYTE>;

inline Bytes Store(const std::function<void(CArchive&)>& write)
{
    CMemFile file;
    {
        CArchive ar(&file, CArchive::store);
        write(ar);
        ar.Close();
    }
    const BYTE* p = file.GetBuffer();
    return Bytes(p, p + file.GetLength());
}

// Loads from a copy of the bytes; the cause of a CArchiveException, or -1 when loading succeeded.
inline int Load(const Bytes& bytes, const std::function<void(CArchive&)>& read)
{
    Bytes copy = bytes;
    CMemFile file(copy.empty() ? nullptr : copy.data(), static_cast<UINT>(copy.size()));
    CArchive ar(&file, CArchive::load);
    try {
        read(ar);
    } catch (CArchiveException* e) {
        const int cause = e->m_cause;
        e->Delete();
        return cause;
    }
    ar.Close();
    return -1;
}

// Every proper prefix of the bytes must fail to load with an archive exception.
inline void ExpectEveryTruncationFails(const Bytes& bytes, const std::function<void(CArchive&)>& read,
                                       const std::function<void()>& checkUnchanged)
{
    for (size_t n = 0; n < bytes.size(); ++n) {
        Bytes cut(bytes.begin(), bytes.begin() + static_cast<std::ptrdiff_t>(n));
        const int cause = Load(cut, read);
        if (cause == -1)
            ADD_FAILURE() << "loading " << n << " of " << bytes.size() << " bytes succeeded";
        checkUnchanged();
    }
}

}  // namespace settings_test
