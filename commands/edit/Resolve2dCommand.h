#pragma once
// Breaks leads, balloons, hatches, dimensions, tolerance frames and placed components into the simple
// shapes they are made of, in their drawing, one undo step per run; tells how many shapes were handed in.

#include "command/CommandBase.h"
#include "platform/afx/CArray.h"
#include "libs/vevure/FeatureLayout.h"

class Draw2dDocument;
class DrawingFeatureBase;
class Feature2dBase;

namespace QZ2Command {

class Resolve2dCommand : public CommandBase
{
    DECLARE_DYNCREATE(Resolve2dCommand)
public:
    enum : WORD { itemShapes = 0 };

    Resolve2dCommand() = default;

    void SetupParameters() override;
    int OnInput(int nIndex) override;

    // Each listed shape replaced by its pieces; a shape whose pieces cannot all be stored stays whole.
    // FALSE only for an empty list.
    static BOOL ResolveFeatures(Draw2dDocument* pDocument, const CArray<FeatureLayout>& shapes);
    // Collects a piece handed out by the resolver (user 1: the collector); arrows are broken up further and
    // auxiliary point markers left out.
    static int AddResolvedFeature(const DrawingFeatureBase* pDrawing, const Feature2dBase* pPiece, void* pUser1,
                                  void* pUser2, const Feature2dBase* pSource);

    // One selected shape of a kind that breaks up.
    static BOOL IsCommandEnabled(CString strIdentifier, Draw2dDocument* pDocument);
};

}  // namespace QZ2Command
