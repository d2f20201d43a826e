#include "regionsearch/KcRegionSearcher.h"

#include "libs/ruva/RuVaPnt2d.h"
#include "libs/vevure/Region2dFeature.h"
#include "libs/zuruda/KcOcConv.h"
#include "regionsearch/RgnSearch.h"

KcRegionSearcher::KcRegionSearcher(const Draw2dDocument* pDocument)
    : m_pWorker(new RgnSearch(pDocument))
{
}

KcRegionSearcher::~KcRegionSearcher()
{
    delete m_pWorker;
}

KcRegionSearcher::Status KcRegionSearcher::SearchRegion(const Draw2dView* pView, const RuVaPnt2d& point, int nFlag)
{
    if (pView == nullptr)
        return statusNoRegion;
    switch (m_pWorker->Search(KcOcConv::KcToOcPnt2d(point), pView, nFlag)) {
    case 1:
        return statusFound;
    case -1:
        return statusCancelled;
    default:
        return statusNoRegion;
    }
}

const Region2dFeature* KcRegionSearcher::GetRegion() const
{
    return m_pWorker->GetRegion();
}

void KcRegionSearcher::SetNotifyProgressFunction(NotifyProgressFunction pfn, void* pUserData)
{
    m_pWorker->SetNotifyProgressFunction(pfn, pUserData);
}

void KcRegionSearcher::SetTickCountFunction(TickCountFunction pfn, void* pUserData)
{
    m_pWorker->SetTickCountFunction(pfn, pUserData);
}
