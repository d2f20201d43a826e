#include "libs/vevure/NotifyInfoBase.h"

NotifyInfoBase::~NotifyInfoBase() = default;
