#pragma once
// Picking shapes in a view: by a point within an aperture, by a window or crossing rectangle, by a fence
// line, a polygon or a polyline. Looks only near the pick through each drawing's spatial index, through
// every part layout on the shown drawing (in its local coordinates, within its clipping region).
//
// What is pickable: shapes the view's walk offers (GetNextSelectableFeatureRecordID: drawing and layer
// displayed, and editable unless the display-state mode is 1), of the kinds in the mask
// (SelectionFeatureFilter::FilterFeature), passing the selection filter when one is given.
//
// Part modes: 1 window (the shape lies wholly inside), 2 crossing (inside or crossing the outline). Side
// modes: 1 inside, 2 outside (the shapes a window would not take).

#include <vector>

#include "platform/afx/AfxTypes.h"
#include "platform/afx/CArray.h"
#include "libs/vevure/FeatureLayout.h"

class Draw2dView;
class Feature2dBase;
class KcArrayOfGePnt2d;
class PartDrawingLayout;
class RuVaPnt2d;
class SelectionFilter;

class FeaturePicker
{
public:
    typedef BOOL (*KeepGoingProc)();

    struct Options {
        int nDisplayStateMode = 0;        // 1: shown but locked shapes too
        DWORD dwKinds = 0xFFFFFFFF;       // SelectionFeatureFilter mask
        const SelectionFilter* pFilter = nullptr;
        int nPartMode = 1;
        int nSideMode = 1;
        int nMaxCount = 0x7FFFFFFF;
        KeepGoingProc pfnKeepGoing = nullptr;  // polled every few candidates; FALSE abandons the pick
        // Only these records (empty: all).
        const CArray<FeatureLayout>* pSource = nullptr;
    };

    // Every shape within the aperture (world units) of the point, nearest first (equal distances: the shape
    // drawn last first). -1 when the keep-going test stopped the pick.
    static int PickByPoint(const Draw2dView* pView, const RuVaPnt2d& point, double dAperture, const Options& options,
                           CArray<FeatureLayout>& found);
    // The nearest one; FALSE when none.
    static BOOL PickByPoint(const Draw2dView* pView, const RuVaPnt2d& point, double dAperture,
                            int nDisplayStateMode, int nPickSetting, DWORD dwKinds, const SelectionFilter* pFilter,
                            FeatureLayout& found);
    static int PickByRectangle(const Draw2dView* pView, const RuVaPnt2d& p1, const RuVaPnt2d& p2,
                               const Options& options, CArray<FeatureLayout>& found);
    // Shapes the fence line crosses.
    static int PickByLine(const Draw2dView* pView, const RuVaPnt2d& p1, const RuVaPnt2d& p2, const Options& options,
                          CArray<FeatureLayout>& found);
    static int PickByPolygon(const Draw2dView* pView, const KcArrayOfGePnt2d& polygon, const Options& options,
                             CArray<FeatureLayout>& found);
    // Shapes the open polyline crosses.
    static int PickByPolyline(const Draw2dView* pView, const KcArrayOfGePnt2d& polyline, const Options& options,
                              CArray<FeatureLayout>& found);

    // Distance in world units from the point to the shape as seen through the layout (NULL: its own
    // coordinates); texts, pictures and frames count as filled. Negative when the shape has no geometry.
    static double DistanceToFeature(const Feature2dBase* pFeature, const PartDrawingLayout* pLayout,
                                    const RuVaPnt2d& world, double dTolerance);

private:
    struct Candidate {
        long nRecordID;
        long nLayoutID;
        const PartDrawingLayout* pLayout;
    };
    // Candidates whose boxes meet the world box, drawing by drawing, pickable by the options. FALSE when
    // the keep-going test stopped.
    static BOOL Collect(const Draw2dView* pView, double xmin, double ymin, double xmax, double ymax,
                        const Options& options, std::vector<Candidate>& out);
    static int Fence(const Draw2dView* pView, const KcArrayOfGePnt2d& outline, BOOL bClosed, const Options& options,
                     CArray<FeatureLayout>& found);
};
