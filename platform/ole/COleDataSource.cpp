#include "platform/ole/COleDataSource.h"

#include <QtCore/QCoreApplication>
#include <QtCore/QMetaObject>

#include <map>
#include <vector>

#include "platform/afx/CException.h"
#include "platform/afx/COleException.h"
#include "platform/afx/CSharedFile.h"
#include "platform/ole/OleTypes.h"
#include "platform/win/CWnd.h"
#include "platform/win/WinClipboard.h"
#include "platform/win/WinInput.h"

IMPLEMENT_DYNAMIC(COleDataSource, CCmdTarget)

namespace {

// The clipboard could not be opened.
constexpr SCODE kCantOpenClipboard = static_cast<SCODE>(0x800401D0L);

// Mediums that can travel on the clipboard.
constexpr DWORD kClipboardMediums = TYMED_HGLOBAL | TYMED_GDI;

// Every data source alive, with a serial number that tells a new one at an old address apart.
std::map<COleDataSource*, unsigned long long>& LiveSources()
{
    static auto* live = new std::map<COleDataSource*, unsigned long long>;
    return *live;
}
unsigned long long g_nextSerial = 1;

CException*& PendingRenderException()
{
    static CException* pending = nullptr;
    return pending;
}

FORMATETC DefaultFormat(CLIPFORMAT cf, DWORD tymed)
{
    return FORMATETC{cf, nullptr, DVASPECT_CONTENT, -1, tymed};
}

// The format asked for matches an offered one: same format, aspect and index, a common medium.
bool Matches(const FORMATETC& offered, const FORMATETC& asked)
{
    return offered.cfFormat == asked.cfFormat && offered.dwAspect == asked.dwAspect &&
           offered.lindex == asked.lindex && (offered.tymed & asked.tymed) != 0;
}

// A copy of a cached medium for a reader, in the kind the reader asked for.
BOOL CopyMedium(const STGMEDIUM& from, DWORD askedTymed, LPSTGMEDIUM to)
{
    if ((from.tymed & askedTymed) == 0)
        return FALSE;
    switch (from.tymed) {
    case TYMED_HGLOBAL: {
        HGLOBAL h = AfxCopyGlobalMemory(from.hGlobal);
        if (h == nullptr)
            return FALSE;
        to->tymed = TYMED_HGLOBAL;
        to->hGlobal = h;
        to->pUnkForRelease = nullptr;
        return TRUE;
    }
    case TYMED_GDI: {
        HANDLE h = ::CopyImage(static_cast<HANDLE>(from.hBitmap), IMAGE_BITMAP, 0, 0, 0);
        if (h == nullptr)
            return FALSE;
        to->tymed = TYMED_GDI;
        to->hBitmap = static_cast<HBITMAP>(h);
        to->pUnkForRelease = nullptr;
        return TRUE;
    }
    default:
        return FALSE;
    }
}

}  // namespace

// The hidden window that owns the clipboard data of one data source.
class CDataSourceOwnerWnd : public CWnd
{
public:
    explicit CDataSourceOwnerWnd(COleDataSource* pSource) : m_pSource(pSource) {}
    COleDataSource* m_pSource;

    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override
    {
        if (message == WM_RENDERFORMAT) {
            if (m_pSource != nullptr)
                m_pSource->RenderToClipboard(static_cast<UINT>(wParam));
            return 0;
        }
        if (message == WM_DESTROYCLIPBOARD) {
            if (m_pSource != nullptr)
                m_pSource->OnLeftClipboard();
            return 0;
        }
        return CWnd::WindowProc(message, wParam, lParam);
    }
};

struct COleDataSource::Impl
{
    struct Entry
    {
        FORMATETC format;
        bool cached;
        STGMEDIUM medium;
    };
    std::vector<Entry> entries;
    CDataSourceOwnerWnd* pWnd = nullptr;
    bool onClipboard = false;
    bool settingClipboard = false;  // our own EmptyClipboard: not a loss of the clipboard
    bool dying = false;             // being destroyed: only cached data can still be rendered

    Entry* Find(const FORMATETC& asked)
    {
        for (Entry& e : entries)
            if (Matches(e.format, asked))
                return &e;
        return nullptr;
    }
    // An entry for the format and aspect replaces an earlier one.
    void Add(const FORMATETC& format, bool cached, const STGMEDIUM* medium)
    {
        for (auto it = entries.begin(); it != entries.end(); ++it) {
            if (it->format.cfFormat == format.cfFormat && it->format.dwAspect == format.dwAspect &&
                it->format.lindex == format.lindex) {
                if (it->cached)
                    ReleaseStgMedium(&it->medium);
                entries.erase(it);
                break;
            }
        }
        Entry e{format, cached, {}};
        e.format.ptd = nullptr;
        e.medium.tymed = TYMED_NULL;
        e.medium.hGlobal = nullptr;
        e.medium.pUnkForRelease = nullptr;
        if (medium != nullptr)
            e.medium = *medium;
        entries.push_back(e);
    }
};

COleDataSource::COleDataSource() : m_pImpl(new Impl)
{
    LiveSources()[this] = g_nextSerial++;
}

COleDataSource::~COleDataSource()
{
    LiveSources().erase(this);
    m_pImpl->dying = true;
    if (m_pImpl->pWnd != nullptr) {
        // Going while on the clipboard: the cached data stays, delayed formats go.
        if (m_pImpl->pWnd->GetSafeHwnd() != nullptr)
            m_pImpl->pWnd->DestroyWindow();
        delete m_pImpl->pWnd;
        m_pImpl->pWnd = nullptr;
    }
    Empty();
    delete m_pImpl;
}

void COleDataSource::CacheGlobalData(CLIPFORMAT cfFormat, HGLOBAL hGlobal, LPFORMATETC lpFormatEtc)
{
    STGMEDIUM medium{};
    medium.tymed = TYMED_HGLOBAL;
    medium.hGlobal = hGlobal;
    medium.pUnkForRelease = nullptr;
    CacheData(cfFormat, &medium, lpFormatEtc);
}

void COleDataSource::CacheData(CLIPFORMAT cfFormat, LPSTGMEDIUM lpStgMedium, LPFORMATETC lpFormatEtc)
{
    if (lpStgMedium == nullptr)
        AfxThrowOleException(E_INVALIDARG);
    FORMATETC format = lpFormatEtc != nullptr ? *lpFormatEtc : DefaultFormat(cfFormat, lpStgMedium->tymed);
    format.cfFormat = cfFormat;
    format.tymed = lpStgMedium->tymed;
    m_pImpl->Add(format, true, lpStgMedium);
}

void COleDataSource::DelayRenderData(CLIPFORMAT cfFormat, LPFORMATETC lpFormatEtc)
{
    FORMATETC format = lpFormatEtc != nullptr ? *lpFormatEtc : DefaultFormat(cfFormat, TYMED_HGLOBAL);
    format.cfFormat = cfFormat;
    m_pImpl->Add(format, false, nullptr);
}

void COleDataSource::DelayRenderFileData(CLIPFORMAT cfFormat, LPFORMATETC lpFormatEtc)
{
    FORMATETC format = lpFormatEtc != nullptr ? *lpFormatEtc : DefaultFormat(cfFormat, TYMED_ISTREAM | TYMED_HGLOBAL);
    format.cfFormat = cfFormat;
    m_pImpl->Add(format, false, nullptr);
}

void COleDataSource::Empty()
{
    for (Impl::Entry& e : m_pImpl->entries)
        if (e.cached)
            ReleaseStgMedium(&e.medium);
    m_pImpl->entries.clear();
}

void COleDataSource::SetClipboard()
{
    if (m_pImpl->pWnd == nullptr) {
        auto* pWnd = new CDataSourceOwnerWnd(this);
        if (!pWnd->CreateEx(0, nullptr, nullptr, WS_POPUP, CRect(0, 0, 1, 1), nullptr, 0)) {
            delete pWnd;
            AfxThrowOleException(kCantOpenClipboard);
        }
        m_pImpl->pWnd = pWnd;
    }
    if (!::OpenClipboard(m_pImpl->pWnd->GetSafeHwnd()))
        AfxThrowOleException(kCantOpenClipboard);
    m_pImpl->settingClipboard = true;
    ::EmptyClipboard();
    m_pImpl->settingClipboard = false;
    // Every format is offered and made when read, cached ones too: the source stays the one
    // place its data lives until it is flushed.
    std::vector<UINT> offered;
    for (const Impl::Entry& e : m_pImpl->entries) {
        if ((e.format.tymed & kClipboardMediums) == 0 || e.format.dwAspect != DVASPECT_CONTENT || e.format.lindex != -1)
            continue;
        bool seen = false;
        for (UINT f : offered)
            seen = seen || f == e.format.cfFormat;
        if (seen)
            continue;
        offered.push_back(e.format.cfFormat);
        ::SetClipboardData(e.format.cfFormat, nullptr);
    }
    ::CloseClipboard();
    m_pImpl->onClipboard = true;
}

void COleDataSource::FlushClipboard()
{
    COleDataSource* pSource = GetClipboardOwner();
    if (pSource == nullptr)
        return;
    HWND hWnd = pSource->m_pImpl->pWnd->GetSafeHwnd();
    if (CException* stale = TakeRenderException())
        stale->Delete();
    ::AfxFlushClipboard();
    pSource->m_pImpl->onClipboard = false;
    ::AfxClipboardOwnerDestroying(hWnd);
    delete pSource;
    // A renderer that failed: the formats it owed are missing, and the caller hears why.
    if (CException* e = TakeRenderException())
        throw e;
}

COleDataSource* COleDataSource::GetClipboardOwner()
{
    auto* pWnd = dynamic_cast<CDataSourceOwnerWnd*>(CWnd::FromHandlePermanent(::GetClipboardOwner()));
    if (pWnd == nullptr || pWnd->m_pSource == nullptr || !LiveSources().count(pWnd->m_pSource))
        return nullptr;
    return pWnd->m_pSource->m_pImpl->onClipboard ? pWnd->m_pSource : nullptr;
}

BOOL COleDataSource::OnRenderData(LPFORMATETC lpFormatEtc, LPSTGMEDIUM lpStgMedium)
{
    if (lpFormatEtc == nullptr || lpStgMedium == nullptr)
        return FALSE;
    for (const Impl::Entry& e : m_pImpl->entries)
        if (e.cached && Matches(e.format, *lpFormatEtc))
            return CopyMedium(e.medium, lpFormatEtc->tymed, lpStgMedium);
    if ((lpFormatEtc->tymed & TYMED_HGLOBAL) == 0)
        return FALSE;
    const bool given = lpStgMedium->tymed == TYMED_HGLOBAL && lpStgMedium->hGlobal != nullptr;
    HGLOBAL hGlobal = given ? lpStgMedium->hGlobal : nullptr;
    if (OnRenderGlobalData(lpFormatEtc, &hGlobal) && hGlobal != nullptr) {
        lpStgMedium->tymed = TYMED_HGLOBAL;
        lpStgMedium->hGlobal = hGlobal;
        lpStgMedium->pUnkForRelease = nullptr;
        return TRUE;
    }
    if (given)
        return FALSE;  // a caller's block is filled only as global data
    CSharedFile file(GMEM_MOVEABLE | GMEM_SHARE);
    if (!OnRenderFileData(lpFormatEtc, &file))
        return FALSE;
    HGLOBAL h = file.Detach();
    if (h == nullptr)
        h = GlobalAlloc(GMEM_MOVEABLE | GMEM_SHARE, 0);  // an empty file is empty data, not none
    if (h == nullptr)
        return FALSE;
    lpStgMedium->tymed = TYMED_HGLOBAL;
    lpStgMedium->hGlobal = h;
    lpStgMedium->pUnkForRelease = nullptr;
    return TRUE;
}

BOOL COleDataSource::OnRenderGlobalData(LPFORMATETC, HGLOBAL*)
{
    return FALSE;
}

BOOL COleDataSource::OnRenderFileData(LPFORMATETC, CFile*)
{
    return FALSE;
}

BOOL COleDataSource::QueryGetData(const FORMATETC* lpFormatEtc) const
{
    if (lpFormatEtc == nullptr)
        return FALSE;
    for (const Impl::Entry& e : m_pImpl->entries)
        if (Matches(e.format, *lpFormatEtc))
            return TRUE;
    return FALSE;
}

BOOL COleDataSource::GetData(const FORMATETC* lpFormatEtc, LPSTGMEDIUM lpStgMedium)
{
    if (lpFormatEtc == nullptr || lpStgMedium == nullptr)
        return FALSE;
    lpStgMedium->tymed = TYMED_NULL;
    lpStgMedium->hGlobal = nullptr;
    lpStgMedium->pUnkForRelease = nullptr;
    Impl::Entry* e = m_pImpl->Find(*lpFormatEtc);
    if (e == nullptr)
        return FALSE;
    FORMATETC asked = e->format;
    asked.ptd = lpFormatEtc->ptd;
    asked.tymed = e->format.tymed & lpFormatEtc->tymed;
    if (e->cached)
        return CopyMedium(e->medium, asked.tymed, lpStgMedium);
    if (m_pImpl->dying)
        return FALSE;
    if (!OnRenderData(&asked, lpStgMedium))
        return FALSE;
    if ((lpStgMedium->tymed & asked.tymed) == 0) {
        ReleaseStgMedium(lpStgMedium);  // a medium nobody asked for
        return FALSE;
    }
    return TRUE;
}

int COleDataSource::GetFormatCount() const
{
    return static_cast<int>(m_pImpl->entries.size());
}

BOOL COleDataSource::GetFormat(int nIndex, LPFORMATETC lpFormatEtc) const
{
    if (lpFormatEtc == nullptr || nIndex < 0 || nIndex >= GetFormatCount())
        return FALSE;
    *lpFormatEtc = m_pImpl->entries[static_cast<size_t>(nIndex)].format;
    return TRUE;
}

CException* COleDataSource::TakeRenderException()
{
    CException* e = PendingRenderException();
    PendingRenderException() = nullptr;
    return e;
}

void COleDataSource::RenderToClipboard(UINT nFormat)
{
    if (!m_pImpl->onClipboard)
        return;
    FORMATETC asked = DefaultFormat(static_cast<CLIPFORMAT>(nFormat), nFormat == CF_BITMAP ? TYMED_GDI : TYMED_HGLOBAL);
    // Text and pictures travel as one kind each: a reader of CF_TEXT may be served by the source's
    // CF_UNICODETEXT and the other way round (likewise CF_DIB and CF_BITMAP).
    std::vector<FORMATETC> tries{asked};
    auto also = [&](UINT other) {
        tries.push_back(DefaultFormat(static_cast<CLIPFORMAT>(other), other == CF_BITMAP ? TYMED_GDI : TYMED_HGLOBAL));
    };
    if (nFormat == CF_TEXT) also(CF_UNICODETEXT);
    if (nFormat == CF_UNICODETEXT) also(CF_TEXT);
    if (nFormat == CF_DIB) also(CF_BITMAP);
    if (nFormat == CF_BITMAP) also(CF_DIB);
    for (const FORMATETC& f : tries) {
        if (!QueryGetData(&f))
            continue;
        STGMEDIUM medium{};
        try {
            if (!GetData(&f, &medium))
                continue;
        } catch (CException* e) {
            // The reader hears of it once the clipboard call returns.
            if (CException* old = TakeRenderException())
                old->Delete();
            PendingRenderException() = e;
            return;
        } catch (...) {
            return;  // nothing to hand on: the format is not there
        }
        HANDLE h = medium.tymed == TYMED_GDI ? static_cast<HANDLE>(medium.hBitmap) : medium.hGlobal;
        // The clipboard takes the data when it accepts it.
        if (::SetClipboardData(f.cfFormat, h) == nullptr)
            ReleaseStgMedium(&medium);
        return;
    }
}

void COleDataSource::OnLeftClipboard()
{
    if (m_pImpl->settingClipboard || !m_pImpl->onClipboard)
        return;
    m_pImpl->onClipboard = false;
    // Replaced on the clipboard: the source goes, but not inside its own window's message.
    QCoreApplication* app = QCoreApplication::instance();
    if (app == nullptr)
        return;
    COleDataSource* self = this;
    const unsigned long long serial = LiveSources()[this];
    QMetaObject::invokeMethod(
        app,
        [self, serial] {
            auto it = LiveSources().find(self);
            if (it != LiveSources().end() && it->second == serial)
                delete self;
        },
        Qt::QueuedConnection);
}
