#pragma once
// The font families installed on the system, in name order.

#include "platform/gdiplus/FontCollection.h"

namespace Gdiplus {

class InstalledFontCollection : public FontCollection {
public:
  InstalledFontCollection();
};

}  // namespace Gdiplus
