#pragma once
// An element type that counts its live instances, so tests can see that the collections
// construct and destroy exactly what they hold.

#include <utility>

struct Tracked {
  static inline int s_live = 0;
  int value = 0;

  Tracked() { ++s_live; }
  Tracked(int v) : value(v) { ++s_live; }  // NOLINT: implicit on purpose, like a value type
  Tracked(const Tracked& o) : value(o.value) { ++s_live; }
  Tracked(Tracked&& o) noexcept : value(std::exchange(o.value, -1)) { ++s_live; }
  Tracked& operator=(const Tracked&) = default;
  Tracked& operator=(Tracked&& o) noexcept {
    value = std::exchange(o.value, -1);
    return *this;
  }
  ~Tracked() { --s_live; }
  bool operator==(const Tracked& o) const { return value == o.value; }
};
