#include "platform/afx/ResourceModule.h"

#include <atomic>
#include <map>
#include <mutex>

#include <QtCore/QByteArray>
#include <QtCore/QCoreApplication>
#include <QtCore/QDir>
#include <QtCore/QFile>
#include <QtCore/QFileInfo>
#include <QtCore/QResource>
#include <QtCore/QString>

namespace {

// Limits that keep a damaged or hostile file from making us allocate without bound.
constexpr qint64 kMaxModuleFileSize = 256 * 1024 * 1024;
constexpr quint32 kMaxUncompressedSize = 64 * 1024 * 1024;

QString ToQ(const std::u16string& s) { return QString::fromUtf16(s.data(), qsizetype(s.size())); }
std::u16string FromQ(const QString& s) { return std::u16string(reinterpret_cast<const char16_t*>(s.utf16()), size_t(s.size())); }

quint32 ReadBE32(const uchar* p) { return (quint32(p[0]) << 24) | (quint32(p[1]) << 16) | (quint32(p[2]) << 8) | quint32(p[3]); }
quint16 ReadBE16(const uchar* p) { return quint16((p[0] << 8) | p[1]); }

// Walks the whole tree of a binary resource file and checks that every node, name and data
// block lies inside the file. The resource system trusts these offsets, so a damaged file must
// be turned away before it is registered.
bool CheckResourceImage(const QByteArray& image, QString& reason) {
  const auto* b = reinterpret_cast<const uchar*>(image.constData());
  const quint64 size = quint64(image.size());
  if (size < 20 || std::memcmp(b, "qres", 4) != 0) {
    reason = QStringLiteral("not a resource file");
    return false;
  }
  const quint32 version = ReadBE32(b + 4);
  const quint64 tree = ReadBE32(b + 8), data = ReadBE32(b + 12), names = ReadBE32(b + 16);
  if (version < 1 || version > 3) {
    reason = QStringLiteral("unsupported resource file version %1").arg(version);
    return false;
  }
  if (version >= 3) {
    if (size < 24) {
      reason = QStringLiteral("damaged resource file (header)");
      return false;
    }
    if (ReadBE32(b + 20) & ~quint32(1)) {  // only zlib compression is read
      reason = QStringLiteral("resource file uses an unsupported compression");
      return false;
    }
  }
  if (tree >= size || data >= size || names >= size) {
    reason = QStringLiteral("damaged resource file (header offsets)");
    return false;
  }
  const quint64 nodeSize = version >= 2 ? 22 : 14;
  const quint64 nodeCount = (size - tree) / nodeSize;
  if (nodeCount == 0) {
    reason = QStringLiteral("damaged resource file (no tree)");
    return false;
  }
  enum : quint16 { Compressed = 1, Directory = 2, CompressedZstd = 4 };
  std::vector<bool> seen(size_t(nodeCount), false);
  std::vector<quint64> pending{0};
  while (!pending.empty()) {
    const quint64 node = pending.back();
    pending.pop_back();
    if (node >= nodeCount || seen[size_t(node)]) {
      reason = QStringLiteral("damaged resource file (tree)");
      return false;
    }
    seen[size_t(node)] = true;
    const uchar* n = b + tree + node * nodeSize;
    const quint64 nameOff = names + ReadBE32(n);
    const quint16 flags = ReadBE16(n + 4);
    if (node != 0) {
      if (nameOff + 6 > size || nameOff + 6 + quint64(ReadBE16(b + nameOff)) * 2 > size) {
        reason = QStringLiteral("damaged resource file (names)");
        return false;
      }
    }
    if (flags & Directory) {
      const quint64 count = ReadBE32(n + 6), first = ReadBE32(n + 10);
      if (first + count > nodeCount || count > nodeCount) {
        reason = QStringLiteral("damaged resource file (tree)");
        return false;
      }
      for (quint64 i = 0; i < count; ++i)
        pending.push_back(first + i);
    } else {
      if (node == 0) {
        reason = QStringLiteral("damaged resource file (root)");
        return false;
      }
      if (flags & CompressedZstd) {
        reason = QStringLiteral("resource file uses an unsupported compression");
        return false;
      }
      const quint64 dataOff = data + ReadBE32(n + 10);
      if (dataOff + 4 > size) {
        reason = QStringLiteral("damaged resource file (data)");
        return false;
      }
      const quint64 len = ReadBE32(b + dataOff);
      if (dataOff + 4 + len > size) {
        reason = QStringLiteral("damaged resource file (data)");
        return false;
      }
      if (flags & Compressed) {
        if (len < 4 || ReadBE32(b + dataOff + 4) > kMaxUncompressedSize) {
          reason = QStringLiteral("damaged resource file (compressed data)");
          return false;
        }
      }
    }
  }
  return true;
}

// A string number: decimal or 0x hexadecimal digits only, at most 65535.
bool ParseNumber(const QString& num, UINT& id) {
  const bool hex = num.size() > 2 && num[0] == QLatin1Char('0') && (num[1] == QLatin1Char('x') || num[1] == QLatin1Char('X'));
  const int base = hex ? 16 : 10;
  const qsizetype start = hex ? 2 : 0;
  if (num.size() <= start)
    return false;
  quint32 value = 0;
  for (qsizetype i = start; i < num.size(); ++i) {
    const char16_t c = num[i].unicode();
    int digit = -1;
    if (c >= u'0' && c <= u'9')
      digit = c - u'0';
    else if (hex && c >= u'a' && c <= u'f')
      digit = c - u'a' + 10;
    else if (hex && c >= u'A' && c <= u'F')
      digit = c - u'A' + 10;
    if (digit < 0)
      return false;
    value = value * quint32(base) + quint32(digit);
    if (value > 0xFFFF)
      return false;
  }
  id = UINT(value);
  return true;
}

// Parses a string table: lines of "<number><TAB><text>", '#' comments and blank lines; the
// text knows the escapes \n \t and \\. Numbers are decimal or 0x hexadecimal.
bool ParseStringTable(const QByteArray& bytes, std::map<UINT, std::u16string>& table, QString& reason) {
  const QString all = QString::fromUtf8(bytes);
  const QStringList lines = all.split(QLatin1Char('\n'));
  for (qsizetype i = 0; i < lines.size(); ++i) {
    QString line = lines[i];
    if (line.endsWith(QLatin1Char('\r')))
      line.chop(1);
    if (line.trimmed().isEmpty() || line.startsWith(QLatin1Char('#')))
      continue;
    const qsizetype tab = line.indexOf(QLatin1Char('\t'));
    UINT id = 0;
    const QString where = QStringLiteral("string table line %1: ").arg(i + 1);
    if (tab <= 0) {
      reason = where + QStringLiteral("no number and tab");
      return false;
    }
    const QString num = line.left(tab);
    if (!ParseNumber(num, id)) {
      reason = where + QStringLiteral("bad number \"%1\"").arg(num);
      return false;
    }
    std::u16string text;
    const QString raw = line.mid(tab + 1);
    for (qsizetype k = 0; k < raw.size(); ++k) {
      const QChar c = raw[k];
      if (c != QLatin1Char('\\')) {
        text.push_back(char16_t(c.unicode()));
        continue;
      }
      if (++k >= raw.size()) {
        reason = where + QStringLiteral("backslash at end of line");
        return false;
      }
      switch (raw[k].unicode()) {
        case u'n': text.push_back(u'\n'); break;
        case u't': text.push_back(u'\t'); break;
        case u'\\': text.push_back(u'\\'); break;
        default:
          reason = where + QStringLiteral("unknown escape \\%1").arg(raw[k]);
          return false;
      }
    }
    if (!table.emplace(id, std::move(text)).second) {
      reason = where + QStringLiteral("number %1 repeats").arg(id);
      return false;
    }
  }
  return true;
}

bool IsResourceTypeName(const char* type) {
  if (!type || !*type)
    return false;
  for (const char* p = type; *p; ++p)
    if (!((*p >= 'A' && *p <= 'Z') || (*p >= '0' && *p <= '9') || *p == '_'))
      return false;
  return true;
}

std::atomic<unsigned> g_nextRoot{1};

struct Chain {
  std::recursive_mutex mutex;
  ResourceModule* resourceHandle = nullptr;
  std::vector<ResourceModule*> extensions;  // newest last
  std::map<UINT, std::u16string> programStrings;

  // The modules in search order.
  std::vector<ResourceModule*> Order() {
    std::vector<ResourceModule*> order;
    if (resourceHandle)
      order.push_back(resourceHandle);
    for (auto it = extensions.rbegin(); it != extensions.rend(); ++it)
      if (*it != resourceHandle)
        order.push_back(*it);
    return order;
  }
};

Chain& TheChain() {
  static Chain chain;
  return chain;
}

}  // namespace

struct ResourceModule::Impl {
  QByteArray image;  // the registered file image; must outlive the registration
  QString root;      // mapping root, "/kcres/<n>"
  bool registered = false;
  std::map<UINT, std::u16string> strings;

  // The resource path of a typed resource, or empty when the module has none.
  QString ResourcePath(const char* type, UINT nID) const {
    if (!IsResourceTypeName(type))
      return {};
    const QString dirPath = QLatin1Char(':') + root + QLatin1Char('/') + QLatin1String(type);
    const QString id = QString::number(nID);
    const QString exact = dirPath + QLatin1Char('/') + id;
    if (QFileInfo(exact).isFile())
      return exact;
    // The file may carry an extension that names its format ("130.png").
    const QStringList found = QDir(dirPath).entryList({id + QStringLiteral(".*")}, QDir::Files, QDir::Name);
    return found.isEmpty() ? QString() : dirPath + QLatin1Char('/') + found.first();
  }

  ~Impl() {
    if (registered)
      QResource::unregisterResource(reinterpret_cast<const uchar*>(image.constData()), root);
  }
};

ResourceModule::ResourceModule() : m_impl(std::make_unique<Impl>()) {}
ResourceModule::~ResourceModule() = default;

std::unique_ptr<ResourceModule> ResourceModule::Load(const std::u16string& path, std::u16string* reason) {
  auto fail = [&](const QString& why) -> std::unique_ptr<ResourceModule> {
    if (reason)
      *reason = FromQ(why);
    return nullptr;
  };
  const QString qpath = ToQ(path);
  QFileInfo info(qpath);
  if (!info.exists())
    return fail(QStringLiteral("file not found: %1").arg(qpath));
  if (!info.isFile())
    return fail(QStringLiteral("not a file: %1").arg(qpath));
  if (info.size() > kMaxModuleFileSize)
    return fail(QStringLiteral("file too large: %1").arg(qpath));
  QFile file(qpath);
  if (!file.open(QIODevice::ReadOnly))
    return fail(QStringLiteral("cannot read %1: %2").arg(qpath, file.errorString()));
  if (file.size() > kMaxModuleFileSize)
    return fail(QStringLiteral("file too large: %1").arg(qpath));
  QByteArray image = file.readAll();
  if (file.error() != QFileDevice::NoError)
    return fail(QStringLiteral("cannot read %1: %2").arg(qpath, file.errorString()));
  if (image.size() > kMaxModuleFileSize)
    return fail(QStringLiteral("file too large: %1").arg(qpath));
  QString why;
  if (!CheckResourceImage(image, why))
    return fail(QStringLiteral("%1: %2").arg(qpath, why));

  std::unique_ptr<ResourceModule> module(new ResourceModule());
  Impl& impl = *module->m_impl;
  impl.image = std::move(image);
  impl.root = QStringLiteral("/kcres/%1").arg(g_nextRoot.fetch_add(1));
  if (!QResource::registerResource(reinterpret_cast<const uchar*>(impl.image.constData()), impl.root))
    return fail(QStringLiteral("%1: not a resource file").arg(qpath));
  impl.registered = true;
  module->m_path = path;
  module->m_mapRoot = FromQ(QLatin1Char(':') + impl.root);

  QFile strings(QLatin1Char(':') + impl.root + QStringLiteral("/strings.txt"));
  if (!strings.open(QIODevice::ReadOnly))
    return fail(QStringLiteral("%1: no string table").arg(qpath));
  if (!ParseStringTable(strings.readAll(), impl.strings, why))
    return fail(QStringLiteral("%1: %2").arg(qpath, why));
  return module;
}

bool ResourceModule::FindString(UINT nID, std::u16string& text) const {
  const auto it = m_impl->strings.find(nID);
  if (it == m_impl->strings.end()) {
    text.clear();
    return false;
  }
  text = it->second;
  return true;
}

bool ResourceModule::HasString(UINT nID) const { return m_impl->strings.count(nID) != 0; }

bool ResourceModule::FindResourceData(const char* type, UINT nID, std::vector<BYTE>& data) const {
  data.clear();
  const QString path = m_impl->ResourcePath(type, nID);
  if (path.isEmpty())
    return false;
  QFile file(path);
  if (!file.open(QIODevice::ReadOnly))
    return false;
  const QByteArray bytes = file.readAll();
  data.assign(reinterpret_cast<const BYTE*>(bytes.constData()), reinterpret_cast<const BYTE*>(bytes.constData()) + bytes.size());
  return true;
}

bool ResourceModule::HasResource(const char* type, UINT nID) const { return !m_impl->ResourcePath(type, nID).isEmpty(); }

std::u16string ResourceModule::GetResourcePath(const char* type, UINT nID) const { return FromQ(m_impl->ResourcePath(type, nID)); }

ResourceModule* AfxLoadResourceModule(const std::u16string& path, std::u16string* reason) {
  return ResourceModule::Load(path, reason).release();
}

void AfxFreeResourceModule(ResourceModule* pModule) {
  if (!pModule)
    return;
  AfxRemoveResourceModule(pModule);
  {
    Chain& chain = TheChain();
    std::lock_guard lock(chain.mutex);
    if (chain.resourceHandle == pModule)
      chain.resourceHandle = nullptr;
  }
  delete pModule;
}

void AfxSetResourceHandle(ResourceModule* pModule) {
  Chain& chain = TheChain();
  std::lock_guard lock(chain.mutex);
  chain.resourceHandle = pModule;
}

ResourceModule* AfxGetResourceHandle() {
  Chain& chain = TheChain();
  std::lock_guard lock(chain.mutex);
  return chain.resourceHandle;
}

void AfxAddResourceModule(ResourceModule* pModule) {
  if (!pModule)
    return;
  Chain& chain = TheChain();
  std::lock_guard lock(chain.mutex);
  std::erase(chain.extensions, pModule);
  chain.extensions.push_back(pModule);
}

void AfxRemoveResourceModule(ResourceModule* pModule) {
  Chain& chain = TheChain();
  std::lock_guard lock(chain.mutex);
  std::erase(chain.extensions, pModule);
}

ResourceModule* AfxFindStringResourceModule(UINT nID) {
  Chain& chain = TheChain();
  std::lock_guard lock(chain.mutex);
  for (ResourceModule* m : chain.Order())
    if (m->HasString(nID))
      return m;
  return nullptr;
}

ResourceModule* AfxFindResourceModule(const char* type, UINT nID) {
  Chain& chain = TheChain();
  std::lock_guard lock(chain.mutex);
  for (ResourceModule* m : chain.Order())
    if (m->HasResource(type, nID))
      return m;
  return nullptr;
}

bool AfxLoadStringResource(UINT nID, std::u16string& text) {
  Chain& chain = TheChain();
  std::lock_guard lock(chain.mutex);
  for (ResourceModule* m : chain.Order())
    if (m->FindString(nID, text))
      return true;
  const auto it = chain.programStrings.find(nID);
  if (it != chain.programStrings.end()) {
    text = it->second;
    return true;
  }
  text.clear();
  return false;
}

bool AfxFindResourceData(const char* type, UINT nID, std::vector<BYTE>& data) {
  Chain& chain = TheChain();
  std::lock_guard lock(chain.mutex);
  for (ResourceModule* m : chain.Order())
    if (m->FindResourceData(type, nID, data))
      return true;
  data.clear();
  return false;
}

void AfxSetProgramString(UINT nID, const std::u16string& text) {
  Chain& chain = TheChain();
  std::lock_guard lock(chain.mutex);
  chain.programStrings[nID] = text;
}

void AfxClearProgramStrings() {
  Chain& chain = TheChain();
  std::lock_guard lock(chain.mutex);
  chain.programStrings.clear();
}

LanguageModuleResult AfxLoadLanguageModule(const std::u16string& folder, const std::u16string& code) {
  LanguageModuleResult result;
  QString dir = ToQ(folder);
  if (!dir.isEmpty() && !dir.endsWith(QLatin1Char('/')))
    dir += QLatin1Char('/');
  auto tryLoad = [&](const QString& path) {
    std::u16string why;
    result.pModule = AfxLoadResourceModule(FromQ(path), &why);
    if (result.pModule) {
      result.fileName = FromQ(path);
      result.reason.clear();
      return true;
    }
    result.tried.push_back(FromQ(path));
    result.reason = why;
    return false;
  };
  if (tryLoad(dir + QStringLiteral("KcResource%1.rcc").arg(ToQ(code))))
    return result;
  // Any library of the family serves when the one of the language is missing or broken.
  const QStringList others = QDir(dir.isEmpty() ? QStringLiteral(".") : dir)
                                 .entryList({QStringLiteral("KcResource*.rcc")}, QDir::Files, QDir::Name);
  for (const QString& name : others)
    if (tryLoad(dir + name))
      return result;
  return result;
}

std::u16string AfxGetProgramFolder() {
  QString dir;
  if (QCoreApplication::instance())
    dir = QCoreApplication::applicationDirPath();
  else
    dir = QFileInfo(QFile::symLinkTarget(QStringLiteral("/proc/self/exe"))).absolutePath();
  if (dir.isEmpty())
    return {};
  if (!dir.endsWith(QLatin1Char('/')))
    dir += QLatin1Char('/');
  return FromQ(dir);
}

std::u16string AfxGetResourceFolder() {
  const std::u16string program = AfxGetProgramFolder();
  if (program.empty())
    return {};
  return program + u"resource/";
}
