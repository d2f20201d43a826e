#include "libs/conv/AcadColor.h"

#include <cmath>

#include "libs/vevure/ColorFeatureTable.h"

namespace {

COLORREF FromHsv(double hueDeg, double sat, double val)
{
    const double c = val * sat;
    const double h = std::fmod(hueDeg, 360.0) / 60.0;
    const double x = c * (1 - std::fabs(std::fmod(h, 2.0) - 1));
    double r = 0, g = 0, b = 0;
    if (h < 1) { r = c; g = x; }
    else if (h < 2) { r = x; g = c; }
    else if (h < 3) { g = c; b = x; }
    else if (h < 4) { g = x; b = c; }
    else if (h < 5) { r = x; b = c; }
    else { r = c; b = x; }
    const double m = val - c;
    auto ch = [m](double v) { return static_cast<BYTE>(std::lround((v + m) * 255.0)); };
    return RGB(ch(r), ch(g), ch(b));
}

long Distance2(COLORREF a, COLORREF b)
{
    const long dr = long(GetRValue(a)) - GetRValue(b), dg = long(GetGValue(a)) - GetGValue(b),
               db = long(GetBValue(a)) - GetBValue(b);
    // Weighted for the eye's sensitivity.
    return 3 * dr * dr + 4 * dg * dg + 2 * db * db;
}

short Nearest(COLORREF rgb, const ColorFeatureTable* pTable, short nLast)
{
    if (pTable == nullptr)
        return 1;
    short best = 1;
    long bestDist = -1;
    for (short no = 1; no <= nLast && no <= pTable->GetColorSize(); ++no) {
        const long d = Distance2(rgb, pTable->GetColorRef(no));
        if (bestDist < 0 || d < bestDist) {
            bestDist = d;
            best = no;
        }
    }
    return best;
}

}  // namespace

COLORREF AcadColor::GetAciRgb(int nAci)
{
    switch (nAci) {
    case 1: return RGB(255, 0, 0);
    case 2: return RGB(255, 255, 0);
    case 3: return RGB(0, 255, 0);
    case 4: return RGB(0, 255, 255);
    case 5: return RGB(0, 0, 255);
    case 6: return RGB(255, 0, 255);
    case 7: return RGB(255, 255, 255);
    case 8: return RGB(128, 128, 128);
    case 9: return RGB(192, 192, 192);
    default: break;
    }
    if (nAci >= 10 && nAci <= 249) {
        // 24 hues in steps of 15 degrees; in each, five brightness levels, each full and half saturated.
        const int hue = (nAci - 10) / 10, step = (nAci - 10) % 10;
        static const double kValue[5] = {1.0, 0.65, 0.5, 0.3, 0.15};
        return FromHsv(hue * 15.0, (step % 2) == 0 ? 1.0 : 0.5, kValue[step / 2]);
    }
    if (nAci >= 250 && nAci <= 255) {
        const BYTE g = static_cast<BYTE>(51 + (nAci - 250) * 40.8);
        return RGB(g, g, g);
    }
    return RGB(0, 0, 0);
}

short AcadColor::NearestFixedColorNo(COLORREF rgb, const ColorFeatureTable* pTable)
{
    return Nearest(rgb, pTable, ColorFeatureTable::kFixedColorCount);
}

short AcadColor::NearestColorNo(COLORREF rgb, const ColorFeatureTable* pTable)
{
    return Nearest(rgb, pTable, ColorFeatureTable::kColorCount);
}
