// The main frame's side of the structure bars: what the drawing bar, the component palette and the
// overview ask of it.
#include "app/CMainFrame.h"

BOOL CMainFrame::ShowDrawingProperties(Draw2dDocument* pModel, long nDrawingID, long nLayoutID, BOOL bShow)
{
    // The drawing's property object comes with the property bar's drawing rows; until then nothing shows.
    (void)pModel;
    (void)nDrawingID;
    (void)nLayoutID;
    (void)bShow;
    return FALSE;
}
