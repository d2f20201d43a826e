#pragma once
// The base of the brushes that fill shapes and text.

#include "platform/gdiplus/GdiplusTypes.h"

class QBrush;
class QTransform;

namespace Gdiplus {

class Brush {
public:
  virtual ~Brush() = default;
  virtual Brush* Clone() const = 0;
  BrushType GetType() const { return m_type; }
  Status GetLastStatus() const { return m_status; }

  // The Qt brush for painting under a painter whose transform maps world to device;
  // patterns of hatch brushes stay in device pixels.
  virtual QBrush ToQBrush(const QTransform& worldToDevice) const = 0;

protected:
  explicit Brush(BrushType type) : m_type(type) {}
  Brush(const Brush&) = default;
  BrushType m_type;
  mutable Status m_status = Ok;
};

}  // namespace Gdiplus
