#include "platform/win/CPrintInfo.h"

CPrintInfo::CPrintInfo() = default;
