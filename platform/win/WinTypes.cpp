#include "platform/win/WinTypes.h"
