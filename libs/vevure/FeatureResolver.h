#pragma once
// Breaking a shape into simple shapes: polylines into lines, regions and hatches into their boundary curves,
// groups into their members, leaders, balloons, dimensions and tolerance frames into lines, arcs, arrows and
// texts laid out from their points and style, arrows into lines, outlines and dots. Each piece goes to the
// callback with the drawing, the two user values and the source shape; the resolver owns the pieces (the
// callback copies what it keeps) and stops when the callback answers 0. Pieces carry the shape's colour,
// line type, line width and layer.

#include "platform/afx/AfxTypes.h"

class Arrow2dFeature;
class Draw2dDocument;
class DrawingFeatureBase;
class Feature2dBase;
class Feature2dList;
class Hatch2dFeature;
class SelectionFeatureFilter;

typedef int (*FeatureResolveCallback)(const DrawingFeatureBase* pDrawing, const Feature2dBase* pPiece, void* pUser1,
                                      void* pUser2, const Feature2dBase* pSource);

class FeatureResolver
{
public:
    // Non-zero when the shape was broken up (shapes that are already simple, texts and placed components are
    // not).
    static int ResolveFeature(const DrawingFeatureBase* pDrawing, const Feature2dBase* pFeature,
                              FeatureResolveCallback callback, void* pUser1, void* pUser2,
                              const Feature2dBase* pSource = nullptr);
    // The boundary curves of the hatch's outer region and islands.
    static int ResolveHatchFeature(const Draw2dDocument* pDocument, const DrawingFeatureBase* pDrawing,
                                   const Hatch2dFeature* pHatch, FeatureResolveCallback callback, void* pUser1,
                                   void* pUser2);
    static int ResolveArrowFeature(const DrawingFeatureBase* pDrawing, const Arrow2dFeature* pArrow,
                                   FeatureResolveCallback callback, void* pUser1, void* pUser2);
    // Every simple piece, arrows and nested groups broken up too (nFlag 1), in a new list owned by the caller;
    // NULL when the shape does not break up.
    static Feature2dList* ResolveFeatureAll(const DrawingFeatureBase* pDrawing, const Feature2dBase* pFeature,
                                            int nFlag, const SelectionFeatureFilter* pFilter = nullptr);
};
