#pragma once
// The data model's drawing services for the whole program: set up once at start, given idle time, and
// released at exit. Caches that do not depend on a view live here.

#include "platform/afx/AfxTypes.h"
#include "platform/gdiplus/GdiplusTypes.h"

class GraphicManager
{
public:
    // Prepares the shared drawing state; calling it again does nothing. FALSE when it cannot be prepared.
    static BOOL Init();
    // Idle work (cache trimming). TRUE while more idle work remains.
    static BOOL OnIdle(int nGraphicsMode);
    // Releases what Init prepared; Init may be called again afterwards.
    static void Dispose();
    static BOOL IsInitialized();
    // The graphics mode of the last idle pass (-1 before the first).
    static int GetGraphicsMode();
    // The brush style of a built-in hatch pattern number (0-52); another number gives the first style.
    static Gdiplus::HatchStyle ConvertToGdiPlusHatchStyle(int nPatternType);
};
