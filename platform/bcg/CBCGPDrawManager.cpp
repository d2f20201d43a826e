#include "platform/bcg/CBCGPDrawManager.h"

#include <algorithm>
#include <cmath>

namespace {
BYTE ToByte(double v) { return static_cast<BYTE>(std::clamp(std::lround(v * 255.0), 0L, 255L)); }
double Clamp01(double v) { return std::isfinite(v) ? std::clamp(v, 0.0, 1.0) : 0.0; }
}  // namespace

void CBCGPDrawManager::RGBtoHSL(COLORREF rgb, double* H, double* S, double* L) {
  const double r = GetRValue(rgb) / 255.0, g = GetGValue(rgb) / 255.0, b = GetBValue(rgb) / 255.0;
  const double mx = std::max({r, g, b}), mn = std::min({r, g, b});
  const double l = (mx + mn) / 2.0;
  double h = 0.0, s = 0.0;
  if (mx != mn) {
    const double d = mx - mn;
    s = l <= 0.5 ? d / (mx + mn) : d / (2.0 - mx - mn);
    if (mx == r)
      h = (g - b) / d;
    else if (mx == g)
      h = 2.0 + (b - r) / d;
    else
      h = 4.0 + (r - g) / d;
    h /= 6.0;
    if (h < 0.0) h += 1.0;
  }
  if (H) *H = h;
  if (S) *S = s;
  if (L) *L = l;
}

BYTE CBCGPDrawManager::HueToRGB(double m1, double m2, double h) {
  if (h < 0) h += 1.0;
  if (h > 1) h -= 1.0;
  double v;
  if (6.0 * h < 1)
    v = m1 + (m2 - m1) * h * 6.0;
  else if (2.0 * h < 1)
    v = m2;
  else if (3.0 * h < 2.0)
    v = m1 + (m2 - m1) * ((2.0 / 3.0) - h) * 6.0;
  else
    v = m1;
  return ToByte(v);
}

COLORREF CBCGPDrawManager::HLStoRGB_ONE(double H, double L, double S) {
  H = Clamp01(H);
  L = Clamp01(L);
  S = Clamp01(S);
  if (S == 0.0) {
    const BYTE v = ToByte(L);
    return RGB(v, v, v);
  }
  const double m2 = L <= 0.5 ? L * (1.0 + S) : L + S - L * S;
  const double m1 = 2.0 * L - m2;
  return RGB(HueToRGB(m1, m2, H + 1.0 / 3.0), HueToRGB(m1, m2, H), HueToRGB(m1, m2, H - 1.0 / 3.0));
}

COLORREF CBCGPDrawManager::HLStoRGB_TWO(double H, double L, double S) {
  if (!std::isfinite(H)) H = 0.0;
  H = std::fmod(H, 360.0);
  if (H < 0) H += 360.0;
  return HLStoRGB_ONE(H / 360.0, L, S);
}
