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
