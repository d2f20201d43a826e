#pragma once
// The hash function of CMap: HashKey<ARG_KEY>(key).
//
// Integers, enumerations, floating-point values and pointers are hashed by value; C strings
// (LPCTSTR, LPCSTR and their non-const forms) by their text. A class key type gets its hash in
// one of two ways, both picked up by CMap:
//   - a plain function   UINT HashKey(const MyKey& key);            (as CString.h does)
//   - a specialisation   template <> UINT HashKey<const MyKey&>(const MyKey& key);
//     (or HashKey<MyKey>(MyKey key); a map with ARG_KEY = const MyKey& falls back to it).
// A specialisation must be declared before the map using it is instantiated; a plain function is
// found through the key's namespace, so declare it beside the key type.

#include <cstring>
#include <type_traits>

#include "platform/afx/AfxTypes.h"

namespace afx_detail {

// Spreads the bits of an integer so that consecutive keys land in different buckets.
inline UINT HashMix(unsigned long long v) {
  v ^= v >> 33;
  v *= 0xff51afd7ed558ccdULL;
  v ^= v >> 33;
  v *= 0xc4ceb9fe1a85ec53ULL;
  v ^= v >> 33;
  return static_cast<UINT>(v);
}

template <class CH>
inline UINT HashText(const CH* s) {
  if (s == nullptr) return 0;
  UINT h = 0;
  for (; *s != 0; ++s) h = (h << 5) + h + static_cast<UINT>(static_cast<std::make_unsigned_t<CH>>(*s));
  return h;
}

template <class T>
inline constexpr bool kIsCharPointer =
    std::is_pointer_v<T> && (std::is_same_v<std::remove_cv_t<std::remove_pointer_t<T>>, char16_t> ||
                             std::is_same_v<std::remove_cv_t<std::remove_pointer_t<T>>, char> ||
                             std::is_same_v<std::remove_cv_t<std::remove_pointer_t<T>>, wchar_t>);

// Wraps a class key so that only plain HashKey functions (found through the key's namespace)
// accept it: the HashKey template excludes it, which keeps a missing hash a compile error.
template <class K>
struct HashArg {
  const K& ref;
  operator const K&() const { return ref; }
};
template <class T>
inline constexpr bool kIsHashArg = false;
template <class K>
inline constexpr bool kIsHashArg<HashArg<K>> = true;

}  // namespace afx_detail

template <class ARG_KEY>
requires(!afx_detail::kIsHashArg<std::remove_cvref_t<ARG_KEY>>) inline UINT AFXAPI HashKey(ARG_KEY key) {
  using K = std::remove_cvref_t<ARG_KEY>;
  if constexpr (afx_detail::kIsCharPointer<K>) {
    return afx_detail::HashText(key);
  } else if constexpr (std::is_pointer_v<K> || std::is_null_pointer_v<K>) {
    return afx_detail::HashMix(static_cast<unsigned long long>(reinterpret_cast<UINT_PTR>(key)));
  } else if constexpr (std::is_enum_v<K>) {
    return afx_detail::HashMix(static_cast<unsigned long long>(key));
  } else if constexpr (std::is_integral_v<K>) {
    return afx_detail::HashMix(static_cast<unsigned long long>(key));
  } else if constexpr (std::is_floating_point_v<K>) {
    const double d = (key == 0) ? 0.0 : static_cast<double>(key);  // +0 and -0 are equal keys
    unsigned long long bits = 0;
    std::memcpy(&bits, &d, sizeof bits);
    return afx_detail::HashMix(bits);
  } else if constexpr (std::is_reference_v<ARG_KEY>) {
    // A map keyed by const K& uses a specialisation for K or a plain HashKey(K) function.
    return HashKey<K>(key);
  } else {
    // Only a plain HashKey function for K takes the wrapper; without one this fails to
    // compile instead of recursing.
    return HashKey(afx_detail::HashArg<K>{key});
  }
}
