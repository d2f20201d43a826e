#include "app/LastUpdateCheckTime.h"

#include <cstdint>
#include <cstring>
#include <vector>

#include "app/CQZ2App.h"
#include "app/RegistrySection.h"
#include "platform/win/Registry.h"

namespace {
const TCHAR kSection[] = _T("Options");
const TCHAR kValue[] = _T("LastUpdateCheckTime");
}  // namespace

CTime GetLastUpdateCheckTime()
{
    RegistrySection reg(HKEY_CURRENT_USER);
    std::vector<BYTE> data;
    if (reg.Open(CQZ2App::GetSectionKeyPath(kSection)) && reg.ReadBinary(kValue, data) &&
        data.size() == sizeof(std::int64_t)) {
        std::int64_t seconds = 0;
        std::memcpy(&seconds, data.data(), sizeof(seconds));
        return CTime(static_cast<std::time_t>(seconds));
    }
    return CTime::GetCurrentTime();
}

void SetLastUpdateCheckTime()
{
    RegistrySection reg(HKEY_CURRENT_USER);
    if (!reg.Create(CQZ2App::GetSectionKeyPath(kSection)))
        return;
    const std::int64_t seconds = static_cast<std::int64_t>(CTime::GetCurrentTime().GetTime());
    reg.WriteBinary(kValue, reinterpret_cast<const BYTE*>(&seconds), sizeof(seconds));
}
