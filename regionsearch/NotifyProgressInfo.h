#pragma once
// The progress record lives with the data model so that the file converters can send it too.
#include "libs/vevure/NotifyProgressInfo.h"
