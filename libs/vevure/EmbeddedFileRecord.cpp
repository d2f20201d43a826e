#include "libs/vevure/EmbeddedFileRecord.h"

#include <QtCore/QString>

#include <cstring>
#include <string>

namespace {

constexpr char kMagic[8] = {'K', 'C', 'E', 'M', 'B', 'E', 'D', 0};
constexpr WORD kFlagLink = 1;

class Reader
{
public:
    Reader(const BYTE* p, size_t n) : m_p(p), m_n(n) {}
    bool Take(size_t n, const BYTE*& out)
    {
        if (n > m_n - m_at)
            return false;
        out = m_p + m_at;
        m_at += n;
        return true;
    }
    bool U16(WORD& v)
    {
        const BYTE* p = nullptr;
        if (!Take(2, p))
            return false;
        v = WORD(p[0] | p[1] << 8);
        return true;
    }
    bool U64(quint64& v)
    {
        const BYTE* p = nullptr;
        if (!Take(8, p))
            return false;
        v = 0;
        for (int i = 7; i >= 0; --i)
            v = v << 8 | p[i];
        return true;
    }
    bool Bytes(size_t nMax, std::vector<BYTE>& out)
    {
        quint64 n = 0;
        const BYTE* p = nullptr;
        if (!U64(n) || n > nMax || !Take((size_t)n, p))
            return false;
        out.assign(p, p + n);
        return true;
    }
    // UTF-8 without control characters other than none at all: a name, a type or a path.
    bool Text(CString& out)
    {
        std::vector<BYTE> bytes;
        if (!Bytes(EmbeddedFileRecord::kMaxTextBytes, bytes))
            return false;
        const QByteArray utf8(reinterpret_cast<const char*>(bytes.data()), (qsizetype)bytes.size());
        const QString text = QString::fromUtf8(utf8);
        if (text.toUtf8() != utf8)
            return false;
        for (QChar c : text)
            if (c.unicode() < 0x20 || c.unicode() == 0x7F)
                return false;
        out = CString::FromQString(text);
        return true;
    }
    bool AtEnd() const { return m_at == m_n; }

private:
    const BYTE* m_p;
    size_t m_n;
    size_t m_at = 0;
};

void PutU16(std::vector<BYTE>& out, WORD v)
{
    out.push_back(BYTE(v & 0xFF));
    out.push_back(BYTE(v >> 8));
}

void PutBytes(std::vector<BYTE>& out, const BYTE* p, size_t n)
{
    for (int i = 0; i < 8; ++i)
        out.push_back(BYTE((quint64(n) >> (8 * i)) & 0xFF));
    if (n > 0)
        out.insert(out.end(), p, p + n);
}

bool PutText(std::vector<BYTE>& out, const CString& text)
{
    const std::string utf8 = text.ToUtf8();
    if (utf8.size() > EmbeddedFileRecord::kMaxTextBytes)
        return false;
    PutBytes(out, reinterpret_cast<const BYTE*>(utf8.data()), utf8.size());
    return true;
}

}  // namespace

BOOL EmbeddedFileRecord::IsRecord(const BYTE* pData, size_t nSize)
{
    return pData != nullptr && nSize >= sizeof(kMagic) && std::memcmp(pData, kMagic, sizeof(kMagic)) == 0;
}

BOOL EmbeddedFileRecord::Read(const BYTE* pData, size_t nSize)
{
    if (!IsRecord(pData, nSize))
        return FALSE;
    Reader in(pData + sizeof(kMagic), nSize - sizeof(kMagic));
    WORD version = 0, flags = 0;
    EmbeddedFileRecord r;
    if (!in.U16(version) || version != kVersion || !in.U16(flags) || (flags & ~kFlagLink) != 0)
        return FALSE;
    r.m_bLink = (flags & kFlagLink) != 0;
    if (!in.Text(r.m_strFileName) || !in.Text(r.m_strMimeType) || !in.Bytes(kMaxPreviewBytes, r.m_preview))
        return FALSE;
    if (r.m_bLink ? !in.Text(r.m_strLinkPath) : !in.Bytes(kMaxDataBytes, r.m_data))
        return FALSE;
    if (!in.AtEnd())
        return FALSE;
    *this = std::move(r);
    return TRUE;
}

std::vector<BYTE> EmbeddedFileRecord::Write() const
{
    std::vector<BYTE> out(kMagic, kMagic + sizeof(kMagic));
    if (m_preview.size() > kMaxPreviewBytes || (!m_bLink && m_data.size() > kMaxDataBytes))
        return {};
    PutU16(out, kVersion);
    PutU16(out, m_bLink ? kFlagLink : 0);
    if (!PutText(out, m_strFileName) || !PutText(out, m_strMimeType))
        return {};
    PutBytes(out, m_preview.data(), m_preview.size());
    if (m_bLink) {
        if (!PutText(out, m_strLinkPath))
            return {};
    } else {
        out.reserve(out.size() + 8 + m_data.size());
        PutBytes(out, m_data.data(), m_data.size());
    }
    return out;
}

CString EmbeddedFileRecord::MakeSafeFileName(const CString& strName)
{
    QString name = strName.ToQString();
    // Only the last component of any path, whichever separator it uses.
    const qsizetype cut = std::max(name.lastIndexOf(QLatin1Char('/')), name.lastIndexOf(QLatin1Char('\\')));
    if (cut >= 0)
        name = name.mid(cut + 1);
    QString plain;
    for (QChar c : name)
        if (c.unicode() >= 0x20 && c.unicode() != 0x7F && c != QLatin1Char(':'))
            plain.append(c);
    while (plain.contains(QLatin1String("..")))
        plain.replace(QLatin1String(".."), QLatin1String("."));
    while (!plain.isEmpty() && (plain.front() == QLatin1Char('.') || plain.front().isSpace()))
        plain.remove(0, 1);
    while (!plain.isEmpty() && plain.back().isSpace())
        plain.chop(1);
    constexpr qsizetype kMaxName = 200;
    if (plain.size() > kMaxName) {
        const qsizetype dot = plain.lastIndexOf(QLatin1Char('.'));
        const QString ext = dot > 0 && plain.size() - dot <= 16 ? plain.mid(dot) : QString();
        plain = plain.left(kMaxName - ext.size()) + ext;
    }
    if (plain.isEmpty() || plain == QLatin1String("."))
        plain = QStringLiteral("embedded");
    return CString::FromQString(plain);
}
