#include "platform/win/WinImm.h"

#include <map>
#include <mutex>
#include <set>

struct KcInputContext {
    BOOL bOpen = FALSE;
};

namespace {

struct ImmTables {
    std::mutex lock;
    std::set<HIMC> contexts;
    std::map<HWND, HIMC> windows;
};

ImmTables& Tables()
{
    static ImmTables tables;
    return tables;
}

}  // namespace

HIMC ImmGetContext(HWND hWnd)
{
    ImmTables& t = Tables();
    std::lock_guard<std::mutex> guard(t.lock);
    const auto it = t.windows.find(hWnd);
    return it != t.windows.end() ? it->second : nullptr;
}

BOOL ImmReleaseContext(HWND, HIMC)
{
    return TRUE;
}

HIMC ImmCreateContext()
{
    ImmTables& t = Tables();
    std::lock_guard<std::mutex> guard(t.lock);
    HIMC h = new KcInputContext;
    t.contexts.insert(h);
    return h;
}

BOOL ImmDestroyContext(HIMC hIMC)
{
    ImmTables& t = Tables();
    std::lock_guard<std::mutex> guard(t.lock);
    if (t.contexts.erase(hIMC) == 0)
        return FALSE;
    // Windows still pointing at it lose their context.
    for (auto it = t.windows.begin(); it != t.windows.end();)
        it = it->second == hIMC ? t.windows.erase(it) : std::next(it);
    delete hIMC;
    return TRUE;
}

HIMC ImmAssociateContext(HWND hWnd, HIMC hIMC)
{
    if (hWnd == nullptr)
        return nullptr;
    ImmTables& t = Tables();
    std::lock_guard<std::mutex> guard(t.lock);
    HIMC previous = nullptr;
    const auto it = t.windows.find(hWnd);
    if (it != t.windows.end()) {
        previous = it->second;
        t.windows.erase(it);
    }
    if (hIMC != nullptr && t.contexts.count(hIMC) != 0)
        t.windows[hWnd] = hIMC;
    return previous;
}

BOOL ImmGetOpenStatus(HIMC hIMC)
{
    ImmTables& t = Tables();
    std::lock_guard<std::mutex> guard(t.lock);
    return hIMC != nullptr && t.contexts.count(hIMC) != 0 ? hIMC->bOpen : FALSE;
}

BOOL ImmSetOpenStatus(HIMC hIMC, BOOL bOpen)
{
    ImmTables& t = Tables();
    std::lock_guard<std::mutex> guard(t.lock);
    if (hIMC == nullptr || t.contexts.count(hIMC) == 0)
        return FALSE;
    hIMC->bOpen = bOpen ? TRUE : FALSE;
    return TRUE;
}
