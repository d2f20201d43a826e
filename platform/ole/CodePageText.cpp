#include "platform/ole/CodePageText.h"

#include <iconv.h>

#include <QLocale>
#include <atomic>
#include <cerrno>
#include <cstdio>

#include "platform/ole/OleTypes.h"

namespace {

std::atomic<UINT> g_ansiCodePage{0};

std::string IconvName(UINT nCodePage)
{
    switch (nCodePage) {
    case CP_WINUNICODE: return "UTF-16LE";
    case CP_UTF8: return "UTF-8";
    case 20127: return "ASCII";
    case 28591: return "ISO-8859-1";
    case 10000: return "MACINTOSH";
    default: {
        char name[16];
        std::snprintf(name, sizeof name, "CP%u", nCodePage);
        return name;
    }
    }
}

// An iconv conversion that is closed when it goes out of scope.
class Converter
{
public:
    Converter(const std::string& to, const std::string& from) : m_cd(iconv_open(to.c_str(), from.c_str())) {}
    ~Converter()
    {
        if (Ok())
            iconv_close(m_cd);
    }
    Converter(const Converter&) = delete;
    Converter& operator=(const Converter&) = delete;
    bool Ok() const { return m_cd != reinterpret_cast<iconv_t>(-1); }
    iconv_t Get() const { return m_cd; }

private:
    iconv_t m_cd;
};

UINT CodePageOfLocale()
{
    const QLocale locale = QLocale::system();
    switch (locale.language()) {
    case QLocale::Japanese: return 932;
    case QLocale::Chinese:
        return locale.script() == QLocale::TraditionalChineseScript || locale.territory() == QLocale::Taiwan ||
                       locale.territory() == QLocale::HongKong
                   ? 950
                   : 936;
    case QLocale::Korean: return 949;
    case QLocale::Thai: return 874;
    case QLocale::Russian:
    case QLocale::Ukrainian:
    case QLocale::Belarusian:
    case QLocale::Bulgarian:
    case QLocale::Macedonian:
        return 1251;
    case QLocale::Serbian: return locale.script() == QLocale::LatinScript ? 1250 : 1251;
    case QLocale::Polish:
    case QLocale::Czech:
    case QLocale::Slovak:
    case QLocale::Hungarian:
    case QLocale::Romanian:
    case QLocale::Croatian:
    case QLocale::Slovenian:
    case QLocale::Albanian:
        return 1250;
    case QLocale::Greek: return 1253;
    case QLocale::Turkish:
    case QLocale::Azerbaijani:
        return 1254;
    case QLocale::Hebrew: return 1255;
    case QLocale::Arabic:
    case QLocale::Persian:
    case QLocale::Urdu:
        return 1256;
    case QLocale::Lithuanian:
    case QLocale::Latvian:
    case QLocale::Estonian:
        return 1257;
    case QLocale::Vietnamese: return 1258;
    default: return 1252;
    }
}

}  // namespace

BOOL CodePageText::IsSupported(UINT nCodePage)
{
    if (nCodePage == CP_WINUNICODE)
        return TRUE;
    Converter cd("UTF-16LE", IconvName(nCodePage));
    return cd.Ok() ? TRUE : FALSE;
}

std::string CodePageText::Encode(const CString& text, UINT nCodePage)
{
    const std::u16string& units = text.str();
    std::string out;
    if (nCodePage == CP_WINUNICODE) {
        out.reserve(units.size() * 2);
        for (char16_t ch : units) {
            out.push_back(static_cast<char>(ch & 0xFF));
            out.push_back(static_cast<char>(ch >> 8));
        }
        return out;
    }
    Converter cd(IconvName(nCodePage), "UTF-16LE");
    if (!cd.Ok())
        return Encode(text, 1252);
    std::string in;
    in.reserve(units.size() * 2);
    for (char16_t ch : units) {
        in.push_back(static_cast<char>(ch & 0xFF));
        in.push_back(static_cast<char>(ch >> 8));
    }
    char* inPtr = in.data();
    size_t inLeft = in.size();
    char buffer[256];
    while (inLeft > 0) {
        char* outPtr = buffer;
        size_t outLeft = sizeof buffer;
        const size_t r = iconv(cd.Get(), &inPtr, &inLeft, &outPtr, &outLeft);
        out.append(buffer, static_cast<size_t>(outPtr - buffer));
        if (r == static_cast<size_t>(-1) && errno != E2BIG) {
            // A character the code page lacks (or a lone surrogate): '?' in its place.
            size_t skip = 2;
            if (inLeft >= 4) {
                const unsigned hi = static_cast<unsigned char>(inPtr[0]) | static_cast<unsigned char>(inPtr[1]) << 8;
                const unsigned lo = static_cast<unsigned char>(inPtr[2]) | static_cast<unsigned char>(inPtr[3]) << 8;
                if (hi >= 0xD800 && hi < 0xDC00 && lo >= 0xDC00 && lo < 0xE000)
                    skip = 4;
            }
            if (skip > inLeft)
                skip = inLeft;
            inPtr += skip;
            inLeft -= skip;
            out.push_back('?');
            iconv(cd.Get(), nullptr, nullptr, nullptr, nullptr);
        }
    }
    char* outPtr = buffer;
    size_t outLeft = sizeof buffer;
    iconv(cd.Get(), nullptr, nullptr, &outPtr, &outLeft);
    out.append(buffer, static_cast<size_t>(outPtr - buffer));
    return out;
}

CString CodePageText::Decode(const BYTE* lpData, SIZE_T nCount, UINT nCodePage)
{
    std::u16string out;
    if (nCodePage == CP_WINUNICODE) {
        out.reserve(nCount / 2);
        for (SIZE_T i = 0; i + 1 < nCount; i += 2)
            out.push_back(static_cast<char16_t>(lpData[i] | lpData[i + 1] << 8));
        return CString(std::move(out));
    }
    Converter cd("UTF-16LE", IconvName(nCodePage));
    if (!cd.Ok()) {
        // An unknown code page: keep the bytes as Latin-1 rather than lose the text.
        for (SIZE_T i = 0; i < nCount; ++i)
            out.push_back(static_cast<char16_t>(lpData[i]));
        return CString(std::move(out));
    }
    std::string in(reinterpret_cast<const char*>(lpData), nCount);
    char* inPtr = in.data();
    size_t inLeft = in.size();
    std::string bytes;
    char buffer[512];
    while (inLeft > 0) {
        char* outPtr = buffer;
        size_t outLeft = sizeof buffer;
        const size_t r = iconv(cd.Get(), &inPtr, &inLeft, &outPtr, &outLeft);
        bytes.append(buffer, static_cast<size_t>(outPtr - buffer));
        if (r == static_cast<size_t>(-1) && errno != E2BIG) {
            ++inPtr;
            --inLeft;
            bytes.append("\xFD\xFF", 2);
            iconv(cd.Get(), nullptr, nullptr, nullptr, nullptr);
        }
    }
    out.reserve(bytes.size() / 2);
    for (size_t i = 0; i + 1 < bytes.size(); i += 2)
        out.push_back(static_cast<char16_t>(static_cast<unsigned char>(bytes[i]) |
                                            static_cast<unsigned char>(bytes[i + 1]) << 8));
    return CString(std::move(out));
}

UINT CodePageText::GetAnsiCodePage()
{
    UINT cp = g_ansiCodePage.load();
    if (cp == 0) {
        cp = CodePageOfLocale();
        g_ansiCodePage.store(cp);
    }
    return cp;
}

void CodePageText::SetAnsiCodePage(UINT nCodePage)
{
    g_ansiCodePage.store(nCodePage);
}
