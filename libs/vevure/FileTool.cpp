#include "libs/vevure/FileTool.h"

#include <algorithm>
#include <cstring>

#include <QFile>
#include <QFileInfo>

#include "platform/afx/CString.h"

namespace {

QString ToQString(const CString& s)
{
    return QString::fromUtf16(static_cast<LPCTSTR>(s), s.GetLength());
}

// Compound files start with this signature.
bool IsCompoundFile(const CString& path)
{
    static const unsigned char kSignature[8] = {0xD0, 0xCF, 0x11, 0xE0, 0xA1, 0xB1, 0x1A, 0xE1};
    QFile file(ToQString(path));
    if (!file.open(QIODevice::ReadOnly))
        return false;
    const QByteArray head = file.read(8);
    return head.size() == 8 && memcmp(head.constData(), kSignature, 8) == 0;
}

int LastSeparator(const CString& path)
{
    return std::max(path.ReverseFind(u'/'), path.ReverseFind(u'\\'));
}

}  // namespace

int FileTool::GetFileType(const CString& path)
{
    const int dot = path.ReverseFind(u'.');
    if (dot < 0 || dot < LastSeparator(path))
        return -1;
    CString ext = path.Mid(dot + 1);
    ext.MakeLower();
    struct Kind { const char16_t* ext; int type; };
    static const Kind kKinds[] = {{u"kvcd", 0}, {u"kvct", 1}, {u"kvcb", 2}, {u"kvcr", 7}, {u"qzt", 5},
                                  {u"qzb", 6},  {u"dxf", 10}, {u"dwg", 11}, {u"jwc", 12}, {u"jwk", 13},
                                  {u"jww", 14}, {u"sfc", 15}, {u"p21", 16}, {u"jws", 17}};
    for (const Kind& k : kKinds) {
        if (ext == k.ext)
            return k.type;
    }
    if (ext == u"qz2" || ext == u"qzc")
        return IsCompoundFile(path) ? 3 : 4;
    return -1;
}

bool FileTool::IsFileExist(const CString& path)
{
    if (path.IsEmpty())
        return false;
    const QFileInfo info(ToQString(path));
    return info.exists() && !info.isDir();
}

CString FileTool::SplitFileName(const CString& path, int mode)
{
    int start = 0;
    CString drive;
    if (path.GetLength() >= 2 && path[1] == u':' &&
        ((path[0] >= u'A' && path[0] <= u'Z') || (path[0] >= u'a' && path[0] <= u'z'))) {
        drive = path.Left(2);
        start = 2;
    }
    const int sep = LastSeparator(path);
    const CString directory = sep >= start ? path.Mid(start, sep + 1 - start) : CString();
    const CString file = path.Mid(std::max(sep + 1, start));
    const int dot = file.ReverseFind(u'.');
    const CString name = dot >= 0 ? file.Left(dot) : file;
    const CString extension = dot >= 0 ? file.Mid(dot) : CString();

    CString result;
    if (mode & splitDrive)
        result += drive;
    if (mode & splitDirectory)
        result += directory;
    if (mode & splitName)
        result += name;
    if (mode & splitExtension)
        result += extension;
    return result;
}
