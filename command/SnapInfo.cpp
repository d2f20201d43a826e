#include "command/SnapInfo.h"

namespace QZ2Command {

SnapInfo::SnapInfo() = default;

void SnapInfo::ClearHistories()
{
    m_nHistoryCount = 0;
}

void SnapInfo::Reset()
{
    ClearHistories();
}

}  // namespace QZ2Command
