#pragma once
// Shared helpers of the shape tests: memory archives, exception checks and one filled-in shape of every kind.

#include <gtest/gtest.h>

#include <functional>
#include <memory>
#include <vector>

#include "platform/afx/CArchive.h"
#include "platform/afx/CArchiveException.h"
#include "platform/afx/CInvalidArgException.h"
#include "platform/afx/CMemFile.h"
#include "libs/vevure/Feature2dBase.h"

namespace feature_test {

using Bytes = std::vector<BYTE>;
using FeaturePtr = std::unique_ptr<Feature2dBase>;

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

// The cause of the CArchiveException that loading threw, or -1 when it loaded.
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
        ar.Abort();
        return cause;
    }
    ar.Close();
    return -1;
}

inline Bytes StoreFeature(const Feature2dBase* f)
{
    return Store([&](CArchive& ar) { Feature2dBase::StoreFeature(ar, f); });
}

// The loaded shape, or NULL with the exception's cause in *pCause.
inline FeaturePtr LoadFeature(const Bytes& bytes, int* pCause = nullptr)
{
    FeaturePtr loaded;
    const int cause = Load(bytes, [&](CArchive& ar) { loaded.reset(Feature2dBase::LoadFeature(ar)); });
    if (pCause)
        *pCause = cause;
    return loaded;
}

template <class F>
bool ThrowsInvalidArg(F&& f)
{
    try {
        f();
    } catch (CInvalidArgException* e) {
        e->Delete();
        return true;
    } catch (...) {
        return false;
    }
    return false;
}

// One shape of every stored kind, every field away from its default, some with attributes.
std::vector<FeaturePtr> MakeSampleFeatures();

}  // namespace feature_test
