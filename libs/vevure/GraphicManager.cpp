#include "libs/vevure/GraphicManager.h"

namespace {
bool g_initialized = false;
int g_graphicsMode = -1;
}  // namespace

BOOL GraphicManager::Init()
{
    g_initialized = true;
    return TRUE;
}

BOOL GraphicManager::OnIdle(int nGraphicsMode)
{
    if (!g_initialized)
        return FALSE;
    g_graphicsMode = nGraphicsMode;
    return FALSE;
}

void GraphicManager::Dispose()
{
    g_initialized = false;
    g_graphicsMode = -1;
}

BOOL GraphicManager::IsInitialized()
{
    return g_initialized ? TRUE : FALSE;
}

int GraphicManager::GetGraphicsMode()
{
    return g_graphicsMode;
}

Gdiplus::HatchStyle GraphicManager::ConvertToGdiPlusHatchStyle(int nPatternType)
{
    // The pattern numbers are the brush styles' own order.
    if (nPatternType < Gdiplus::HatchStyleMin || nPatternType > Gdiplus::HatchStyleMax)
        return Gdiplus::HatchStyleMin;
    return static_cast<Gdiplus::HatchStyle>(nPatternType);
}
