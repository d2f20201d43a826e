#pragma once
// Finds the closed region around a picked point among the shapes a view shows, walking along them without
// their having to be joined first: the outer boundary of the area that holds the point. Long searches
// report progress through the callback, which can stop them.
//
// The searcher owns the region it returns: it stays valid until the next search with a view, or until the
// searcher is destroyed. A searcher is used on one thread, and is not copied.

#include "platform/afx/AfxTypes.h"
#include "regionsearch/NotifyProgressInfo.h"

class Draw2dDocument;
class Draw2dView;
class Region2dFeature;
class RgnSearch;
class RuVaPnt2d;

class KcRegionSearcher
{
public:
    enum Status {
        statusFound = 0,      // GetRegion returns the region
        statusCancelled = 1,  // the progress callback asked to stop
        statusNoRegion = 2    // no view, the point lies on a shape, nothing encloses it, or the time ran out
    };
    // A millisecond tick count; a search ends when 15000 ms have passed on it since tracing began.
    typedef DWORD (*TickCountFunction)(void* pUserData);

    // The document must outlive the searcher.
    explicit KcRegionSearcher(const Draw2dDocument* pDocument);
    virtual ~KcRegionSearcher();
    KcRegionSearcher(const KcRegionSearcher&) = delete;
    KcRegionSearcher& operator=(const KcRegionSearcher&) = delete;

    // Searches among the view's selectable shapes (nFlag is handed to the view's walk over them) around a
    // point in world coordinates. A null view gives statusNoRegion and keeps the previous region.
    Status SearchRegion(const Draw2dView* pView, const RuVaPnt2d& point, int nFlag);
    // The region of the last successful search, or NULL; the searcher keeps it.
    const Region2dFeature* GetRegion() const;
    // A null callback switches reporting off.
    void SetNotifyProgressFunction(NotifyProgressFunction pfn, void* pUserData);
    // The clock of the time limit; null restores the system's monotonic clock.
    void SetTickCountFunction(TickCountFunction pfn, void* pUserData);

private:
    RgnSearch* m_pWorker;
};
