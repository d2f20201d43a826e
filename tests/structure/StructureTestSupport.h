#pragma once
// What the structure view tests share: the English language library, a document with a few layers
// and groups, and a top-level host window.

#include <gtest/gtest.h>

#include "libs/vevure/Draw2dDocument.h"
#include "platform/afx/ResourceModule.h"
#include "platform/win/CWnd.h"

class EnglishStructureTest : public ::testing::Test
{
protected:
    static void SetUpTestSuite();
    static void TearDownTestSuite();
    static ResourceModule* s_pModule;
    static ResourceModule* s_pPrevious;
};

// A document holding: group G1 { layer A, group G2 { layer B, layer C } }, layer D, layer E (ids kept).
struct LayerDocument {
    LayerDocument();
    Draw2dDocument doc;
    long g1 = -1, a = -1, g2 = -1, b = -1, c = -1, d = -1, e = -1;
};

void PumpEvents();
