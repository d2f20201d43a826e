#pragma once
// A set of font families.

#include <string>
#include <vector>

#include "platform/gdiplus/GdiplusTypes.h"

namespace Gdiplus {

class FontFamily;

class FontCollection {
public:
  FontCollection() = default;
  virtual ~FontCollection() = default;
  INT GetFamilyCount() const { return INT(m_names.size()); }
  // Fills up to numSought families; numFound says how many.
  Status GetFamilies(INT numSought, FontFamily* gpfamilies, INT* numFound) const;
  Status GetLastStatus() const { return m_status; }

protected:
  std::vector<std::u16string> m_names;
  Status m_status = Ok;
};

}  // namespace Gdiplus
