#pragma once
// Works out a trim without changing the document: which shapes go whole, and which are cut and by what
// pieces they are replaced (in their drawing's coordinates, of the source's kind).
// Pick trim: the shape is cut at its crossings with the other shapes of its drawing (editable ones only
// for display-state flag 0, every one for 1), found through the drawing's spatial index; the piece
// between the nearest crossings on both sides of the pick goes (to the shape's end where one side has
// none). A closed shape needs two crossings and opens into an arc, elliptic arc or open chain; an
// infinite line gives rays. Region trim: the closed polygon cuts the curves of the active drawing;
// curves wholly inside go, curves crossing it keep their outside pieces, other kinds stay.

#include <memory>
#include <vector>

#include "platform/afx/AfxTypes.h"
#include "libs/ruva/KcArrayOfGePnt2d.h"
#include "libs/ruva/RuVaPnt2d.h"
#include "libs/vevure/Feature2dList.h"

class Draw2dDocument;
class Draw2dView;
class Feature2dBase;
class PartDrawingLayout;

class FeatureTrimming
{
public:
    FeatureTrimming() = default;
    FeatureTrimming(const FeatureTrimming&) = delete;
    FeatureTrimming& operator=(const FeatureTrimming&) = delete;
    ~FeatureTrimming() = default;

    // The stored shape picked at the point (its drawing's coordinates). FALSE when nothing would change:
    // no shape, a kind that is no curve, no crossing (or one on a closed shape). The piece that goes is
    // added to *pRemoved when given.
    BOOL TrimFeature(Draw2dDocument* pDocument, const Draw2dView* pView, const PartDrawingLayout* pLayout,
                     const Feature2dBase* pFeature, const RuVaPnt2d& pick, int nDisplayState,
                     Feature2dList* pRemoved = nullptr);
    // The closed polygon in world coordinates, over the view's drawing (the document's active drawing
    // without a view). FALSE when no curve is reached.
    BOOL TrimFeature(Draw2dDocument* pDocument, const Draw2dView* pView, const KcArrayOfGePnt2d& region);

    int GetDeletedFeatureCount() const { return (int)m_deleted.size(); }
    long GetDeletedFeature(int nIndex) const;
    int GetTrimmedFeatureCount() const { return (int)m_trimmed.size(); }
    long GetTrimmedFeature(int nIndex) const;
    // The engine's list; NULL outside the range.
    Feature2dList* GetTrimmedResult(int nIndex) const;

    // The pieces of the shape left when the stretch around the pick between the nearest of the cut
    // parameters is taken out; FALSE when the cuts leave nothing to take out. Exposed for previews.
    static BOOL PiecesWithout(const Feature2dBase* pFeature, const std::vector<double>& cuts, const RuVaPnt2d& pick,
                              Feature2dList& pieces, Feature2dList* pRemoved = nullptr);

private:
    void Clear();

    std::vector<long> m_deleted;
    std::vector<long> m_trimmed;
    std::vector<std::unique_ptr<Feature2dList>> m_results;
};
