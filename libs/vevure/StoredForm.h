#pragma once
// The archived bytes of an object: two objects whose stored forms match hold the same data. Used to compare
// shapes, regions and settings without a comparison of their own, and to check that a copy or a round trip
// is exact.

#include <functional>
#include <vector>

#include "platform/afx/AfxTypes.h"

class CArchive;
class CObject;

class StoredForm
{
public:
    // The bytes that store writes into a storing archive.
    static std::vector<BYTE> Bytes(const std::function<void(CArchive&)>& store);
    static std::vector<BYTE> Bytes(const CObject& object);
    // Both null, or both set with the same class and the same stored bytes.
    static BOOL IsSame(const CObject* a, const CObject* b);

    // The same for any class with a Serialize(CArchive&) member.
    template <class T>
    static BOOL IsSameValue(const T* a, const T* b)
    {
        if (a == nullptr || b == nullptr)
            return a == b ? TRUE : FALSE;
        auto bytes = [](const T* p) {
            return Bytes([p](CArchive& ar) { const_cast<T*>(p)->Serialize(ar); });
        };
        return bytes(a) == bytes(b) ? TRUE : FALSE;
    }
};
