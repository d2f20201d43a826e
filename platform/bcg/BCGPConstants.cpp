#include "platform/bcg/BCGPConstants.h"

#include "platform/win/CWnd.h"

const UINT BCGM_RESETTOOLBAR = ::RegisterWindowMessage(u"BCGM_RESETTOOLBAR");
const UINT BCGM_CREATETOOLBAR = ::RegisterWindowMessage(u"BCGM_CREATETOOLBAR");
const UINT BCGM_TOOLBARMENU = ::RegisterWindowMessage(u"BCGM_TOOLBARMENU");
const UINT BCGM_CHANGE_ACTIVE_TAB = ::RegisterWindowMessage(u"BCGM_CHANGE_ACTIVE_TAB");
const UINT BCGM_RESETRPROMPT = ::RegisterWindowMessage(u"BCGM_RESETRPROMPT");
