#include "libs/vevure/SelectionFeatureFilter.h"

DWORD SelectionFeatureFilter::GetFeatureBit(int nFeatureType)
{
    if (nFeatureType >= 1 && nFeatureType <= 13)
        return DWORD(1) << (nFeatureType - 1);
    switch (nFeatureType) {
    case 30: return 0x2000;
    case 31: return 0x4000;
    case 32: return 0x8000;
    case 50: return 0x20000;
    case 51: return 0x40000;
    case 52: return 0x80000;
    case 53: return 0x100000;
    case 54: return 0x200000;
    case 55: return 0x400000;
    case 70: return 0x800000;
    case 71: return 0x1000000;
    case 80: return 0x2000000;
    case 90: return 0x4000000;
    case 59: return 0x8000000;
    default: return 0;
    }
}

BOOL SelectionFeatureFilter::FilterFeature(int nFeatureType, DWORD dwMask)
{
    return (GetFeatureBit(nFeatureType) & dwMask) != 0 ? TRUE : FALSE;
}
