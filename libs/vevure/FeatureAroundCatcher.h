#pragma once
// Makes a clean corner of two loose ends: in a window it finds the ends of lines and of the end
// segments of open polylines (editable shapes of the active drawing). With exactly two such ends on
// straight pieces that are not parallel, both are carried to the crossing of their lines; a polyline
// with both ends in the window closes there. The results keep the record ids of their sources, which are
// listed as deleted. The document is not changed here.

#include <vector>

#include "platform/afx/AfxTypes.h"
#include "libs/ruva/KcArrayOfGePnt2d.h"
#include "libs/vevure/Feature2dList.h"

class Draw2dDocument;
class Draw2dView;

class FeatureAroundCatcher
{
public:
    FeatureAroundCatcher() = default;
    FeatureAroundCatcher(const FeatureAroundCatcher&) = delete;
    FeatureAroundCatcher& operator=(const FeatureAroundCatcher&) = delete;
    ~FeatureAroundCatcher() = default;

    // The closed window in world coordinates over the view's drawing (the active drawing without a view).
    // FALSE for any case but two catchable ends.
    BOOL AroundCatcherFeature(Draw2dDocument* pDocument, const Draw2dView* pView, const KcArrayOfGePnt2d& polygon);

    int GetDeletedFeatureCount() const { return (int)m_deleted.size(); }
    long GetDeletedFeature(int nIndex) const;
    int GetAroundCatcherFeatureCount() const { return m_results.GetFeatureSize(); }
    const Feature2dList* GetAroundCatcherResultFeatureList() const { return &m_results; }

private:
    std::vector<long> m_deleted;
    Feature2dList m_results;
};
