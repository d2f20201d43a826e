#pragma once
// Colour arithmetic of the library: RGB to hue, saturation and luminance and back, all three
// in 0..1.

#include "platform/afx/AfxTypes.h"

class CBCGPDrawManager {
public:
  static void RGBtoHSL(COLORREF rgb, double* H, double* S, double* L);
  // Hue, luminance and saturation in 0..1.
  static COLORREF HLStoRGB_ONE(double H, double L, double S);
  // Hue in degrees (0..360), luminance and saturation in 0..1.
  static COLORREF HLStoRGB_TWO(double H, double L, double S);
  static BYTE HueToRGB(double m1, double m2, double h);
};
