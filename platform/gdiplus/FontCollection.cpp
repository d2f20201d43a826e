#include "platform/gdiplus/FontCollection.h"

#include "platform/gdiplus/FontFamily.h"

namespace Gdiplus {

Status FontCollection::GetFamilies(INT numSought, FontFamily* gpfamilies, INT* numFound) const {
  if (!gpfamilies || !numFound || numSought < 0) return InvalidParameter;
  const INT n = std::min<INT>(numSought, INT(m_names.size()));
  for (INT i = 0; i < n; ++i) gpfamilies[i] = FontFamily(m_names[size_t(i)].c_str());
  *numFound = n;
  return Ok;
}

}  // namespace Gdiplus
