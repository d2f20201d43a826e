#include "platform/win/SettingsStore.h"

#include <QtCore/QByteArray>
#include <QtCore/QDateTime>
#include <QtCore/QDir>
#include <QtCore/QElapsedTimer>
#include <QtCore/QFile>
#include <QtCore/QFileInfo>
#include <QtCore/QLockFile>
#include <QtCore/QSaveFile>
#include <QtCore/QString>
#include <QtCore/QStringDecoder>
#include <QtCore/QStringList>
#include <QtCore/QThread>

#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <map>
#include <mutex>

#include "platform/win/Registry.h"

namespace {

constexpr const char* kFileName = "Korvan/registry.conf";
constexpr const char* kFirstLine = "Korvan settings 1";
constexpr const char* kLastLine = "end";
// Settings are small; anything near this size is not a store of ours.
constexpr qint64 kMaxFileSize = 64 * 1024 * 1024;
constexpr int kLockWaitMs = 10000;
constexpr int kMaxNameLength = 255;

struct Value {
  QString name;
  QString folded;
  DWORD type = REG_NONE;
  QByteArray data;
};

struct Key {
  QString name;
  std::map<QString, std::unique_ptr<Key>> children;  // by case-folded name, so sorted
  std::vector<Value> values;                          // in creation order
  // This key's lines in the file, kept until the key changes: a write then re-encodes only
  // the key that changed.
  QByteArray text;
  bool textValid = false;

  Value* findValue(const QString& folded)
  {
    for (Value& v : values)
      if (v.folded == folded) return &v;
    return nullptr;
  }
  void clear()
  {
    children.clear();
    values.clear();
    textValid = false;
  }
};

QStringList components(const std::u16string& path)
{
  return QString::fromStdU16String(path).split(u'\\', Qt::SkipEmptyParts);
}

Key* findKey(Key* root, const QStringList& parts)
{
  Key* key = root;
  for (const QString& part : parts) {
    auto it = key->children.find(part.toCaseFolded());
    if (it == key->children.end()) return nullptr;
    key = it->second.get();
  }
  return key;
}

Key* makeKey(Key* root, const QStringList& parts, bool* created)
{
  Key* key = root;
  for (const QString& part : parts) {
    std::unique_ptr<Key>& child = key->children[part.toCaseFolded()];
    if (!child) {
      child = std::make_unique<Key>();
      child->name = part;
      if (created) *created = true;
    }
    key = child.get();
  }
  return key;
}

bool isValidKeyName(const QString& name)
{
  if (name.isEmpty() || name.size() > kMaxNameLength) return false;
  for (qsizetype i = 0; i < name.size(); ++i) {
    const char16_t c = name.at(i).unicode();
    if (c < 0x20 || c == 0x7f) return false;
    if (QChar::isHighSurrogate(c)) {
      if (i + 1 >= name.size() || !QChar::isLowSurrogate(name.at(i + 1).unicode())) return false;
      ++i;
    } else if (QChar::isLowSurrogate(c)) {
      return false;
    }
  }
  return true;
}

// ---- the text form -------------------------------------------------------------------------------

void appendQuoted(QString& out, const QString& text)
{
  static const char16_t hex[] = u"0123456789abcdef";
  auto escapeUnit = [&](char16_t c) {
    out += u"\\u";
    for (int shift = 12; shift >= 0; shift -= 4) out += QChar(hex[(c >> shift) & 0xf]);
  };
  out += u'"';
  for (qsizetype i = 0; i < text.size(); ++i) {
    const char16_t c = text.at(i).unicode();
    switch (c) {
    case u'\\': out += u"\\\\"; continue;
    case u'"': out += u"\\\""; continue;
    case u'\n': out += u"\\n"; continue;
    case u'\r': out += u"\\r"; continue;
    case u'\t': out += u"\\t"; continue;
    case 0: out += u"\\0"; continue;
    default: break;
    }
    if (c < 0x20 || c == 0x7f) {
      escapeUnit(c);
    } else if (QChar::isHighSurrogate(c) && i + 1 < text.size() && QChar::isLowSurrogate(text.at(i + 1).unicode())) {
      out += QChar(c);
      out += text.at(++i);
    } else if (QChar::isSurrogate(c)) {
      escapeUnit(c);  // a lone half of a pair has no UTF-8 form
    } else {
      out += QChar(c);
    }
  }
  out += u'"';
}

void appendHex(QByteArray& out, const QByteArray& data)
{
  static const char hex[] = "0123456789abcdef";
  if (data.isEmpty()) return;
  const qsizetype start = out.size();
  out.resize(start + data.size() * 3 - 1);
  char* p = out.data() + start;
  for (qsizetype i = 0; i < data.size(); ++i) {
    if (i) *p++ = ' ';
    const auto b = static_cast<unsigned char>(data.at(i));
    *p++ = hex[b >> 4];
    *p++ = hex[b & 0xf];
  }
}

void appendQuoted(QByteArray& out, const QString& text)
{
  QString quoted;
  appendQuoted(quoted, text);
  out += quoted.toUtf8();
}

QString unitsOf(const QByteArray& data, qsizetype count)
{
  QString s(count, Qt::Uninitialized);
  if (count > 0) std::memcpy(s.data(), data.constData(), size_t(count) * 2);
  return s;
}

// A string value in its usual shape: whole UTF-16 units ending in one terminating zero.
bool stringFromBytes(const QByteArray& data, QString* text)
{
  if (data.size() < 2 || data.size() % 2 != 0) return false;
  const qsizetype units = data.size() / 2;
  if (data.at(data.size() - 1) != 0 || data.at(data.size() - 2) != 0) return false;
  *text = unitsOf(data, units - 1);
  return true;
}

QByteArray bytesOfUnits(const QString& text, bool terminate)
{
  QByteArray out(reinterpret_cast<const char*>(text.utf16()), text.size() * 2);
  if (terminate) out.append(2, '\0');
  return out;
}

// A multi-string in its usual shape: non-empty items, each ending in a zero, then one more zero.
bool multiFromBytes(const QByteArray& data, QStringList* items)
{
  if (data.size() < 2 || data.size() % 2 != 0) return false;
  const QString units = unitsOf(data, data.size() / 2);
  qsizetype i = 0;
  while (i < units.size()) {
    const qsizetype end = units.indexOf(QChar(0), i);
    if (end < 0) return false;
    if (end == i) return end + 1 == units.size();
    items->append(units.mid(i, end - i));
    i = end + 1;
  }
  return false;
}

QByteArray bytesOfMulti(const QStringList& items)
{
  QByteArray out;
  for (const QString& item : items) out += bytesOfUnits(item, true);
  out.append(2, '\0');
  return out;
}

void appendValue(QByteArray& out, const Value& v)
{
  if (v.name.isEmpty())
    out += '@';
  else
    appendQuoted(out, v.name);
  out += '=';
  QString text;
  QStringList items;
  if (v.type == REG_DWORD && v.data.size() == 4) {
    DWORD n;
    std::memcpy(&n, v.data.constData(), 4);
    out += "dword:" + QByteArray::number(n);
  } else if (v.type == REG_QWORD && v.data.size() == 8) {
    quint64 n;
    std::memcpy(&n, v.data.constData(), 8);
    out += "qword:" + QByteArray::number(n);
  } else if ((v.type == REG_SZ || v.type == REG_EXPAND_SZ) && stringFromBytes(v.data, &text)) {
    out += v.type == REG_SZ ? "string:" : "expand:";
    appendQuoted(out, text);
  } else if (v.type == REG_MULTI_SZ && multiFromBytes(v.data, &items)) {
    out += "multi:";
    for (qsizetype i = 0; i < items.size(); ++i) {
      if (i) out += ',';
      appendQuoted(out, items.at(i));
    }
  } else if (v.type == REG_BINARY) {
    out += "binary:";
    appendHex(out, v.data);
  } else {
    out += "hex(" + QByteArray::number(v.type) + "):";
    appendHex(out, v.data);
  }
  out += '\n';
}

void appendKey(QByteArray& out, Key& key, const QString& path, bool isRoot)
{
  if (!key.textValid) {
    key.text.clear();
    if (!isRoot || !key.values.empty()) {
      key.text += "\n[" + path.toUtf8() + "]\n";
      for (const Value& v : key.values) appendValue(key.text, v);
    }
    key.textValid = true;
  }
  out += key.text;
  for (auto& [folded, child] : key.children) appendKey(out, *child, path + u'\\' + child->name, false);
}

QByteArray serialize(Key& root, const QString& rootName)
{
  QByteArray out;
  out += QByteArray(kFirstLine) + '\n';
  out += "; Settings of " + rootName.toUtf8() + ", kept by the program. Edit only while it is not running.\n";
  appendKey(out, root, rootName, true);
  out += '\n' + QByteArray(kLastLine) + '\n';
  return out;
}

int hexDigit(QChar c)
{
  const char16_t u = c.unicode();
  if (u >= u'0' && u <= u'9') return u - u'0';
  if (u >= u'a' && u <= u'f') return u - u'a' + 10;
  if (u >= u'A' && u <= u'F') return u - u'A' + 10;
  return -1;
}

class Parser {
public:
  Parser(const QString& rootName, Key* root) : m_rootName(rootName.toCaseFolded()), m_root(root) {}

  bool parse(const QByteArray& bytes, QString* error);

private:
  bool fail(const QString& reason)
  {
    m_error = reason;
    return false;
  }
  bool parseLine(const QString& line);
  bool parseHeader(const QString& line);
  bool parseValue(const QString& line);
  bool parseQuoted(const QString& s, qsizetype& pos, QString* out);
  bool parseHex(const QString& s, QByteArray* out);
  bool parseDecimal(const QString& s, quint64 max, quint64* out);

  QString m_rootName;
  Key* m_root;
  Key* m_key = nullptr;
  QString m_error;
};

bool Parser::parse(const QByteArray& bytes, QString* error)
{
  QByteArray data = bytes;
  if (data.startsWith("\xEF\xBB\xBF")) data.remove(0, 3);
  if (data.trimmed().isEmpty()) return true;  // an empty file holds no settings
  QStringDecoder decoder(QStringDecoder::Utf8, QStringConverter::Flag::Stateless);
  const QString text = decoder.decode(data);
  if (decoder.hasError()) {
    *error = QStringLiteral("the file is not UTF-8 text");
    return false;
  }
  const QStringList lines = text.split(u'\n');
  bool ended = false;
  for (qsizetype i = 0; i < lines.size(); ++i) {
    QString line = lines.at(i);
    if (line.endsWith(u'\r')) line.chop(1);
    while (!line.isEmpty() && (line.back() == u' ' || line.back() == u'\t')) line.chop(1);
    qsizetype start = 0;
    while (start < line.size() && (line.at(start) == u' ' || line.at(start) == u'\t')) ++start;
    line = line.mid(start);
    bool ok = true;
    if (i == 0) {
      if (line != QLatin1String(kFirstLine)) ok = fail(QStringLiteral("the first line is not \"%1\"").arg(QLatin1String(kFirstLine)));
    } else if (line.isEmpty() || line.startsWith(u';')) {
      continue;
    } else if (ended) {
      ok = fail(QStringLiteral("text after the end line"));
    } else if (line == QLatin1String(kLastLine)) {
      ended = true;
    } else {
      ok = parseLine(line);
    }
    if (!ok) {
      *error = QStringLiteral("line %1: %2").arg(i + 1).arg(m_error);
      return false;
    }
  }
  if (!ended) {
    *error = QStringLiteral("the file ends early (no \"%1\" line)").arg(QLatin1String(kLastLine));
    return false;
  }
  return true;
}

bool Parser::parseLine(const QString& line)
{
  for (QChar c : line)
    if (c.unicode() < 0x20 && c != u'\t') return fail(QStringLiteral("a control character"));
  if (line.startsWith(u'[')) return parseHeader(line);
  if (!m_key) return fail(QStringLiteral("a value before the first [key] line"));
  return parseValue(line);
}

bool Parser::parseHeader(const QString& line)
{
  if (!line.endsWith(u']') || line.size() < 2) return fail(QStringLiteral("a key line without its closing ]"));
  const QStringList parts = line.mid(1, line.size() - 2).split(u'\\');
  if (parts.first().toCaseFolded() != m_rootName) return fail(QStringLiteral("a key outside ") + m_rootName.toUpper());
  const QStringList path = parts.mid(1);
  for (const QString& part : path)
    if (!isValidKeyName(part)) return fail(QStringLiteral("a key name that is empty, too long or not text"));
  m_key = makeKey(m_root, path, nullptr);
  return true;
}

bool Parser::parseQuoted(const QString& s, qsizetype& pos, QString* out)
{
  if (pos >= s.size() || s.at(pos) != u'"') return fail(QStringLiteral("a missing opening quote"));
  ++pos;
  out->clear();
  while (pos < s.size()) {
    const QChar c = s.at(pos++);
    if (c == u'"') return true;
    if (c != u'\\') {
      if (c.unicode() < 0x20) return fail(QStringLiteral("a control character in a text"));
      out->append(c);
      continue;
    }
    if (pos >= s.size()) break;
    const QChar e = s.at(pos++);
    switch (e.unicode()) {
    case u'\\': out->append(u'\\'); break;
    case u'"': out->append(u'"'); break;
    case u'n': out->append(u'\n'); break;
    case u'r': out->append(u'\r'); break;
    case u't': out->append(u'\t'); break;
    case u'0': out->append(QChar(0)); break;
    case u'u': {
      if (pos + 4 > s.size()) return fail(QStringLiteral("a short \\u escape"));
      char16_t unit = 0;
      for (qsizetype k = pos; k < pos + 4; ++k) {
        const int digit = hexDigit(s.at(k));
        if (digit < 0) return fail(QStringLiteral("a bad \\u escape"));
        unit = char16_t(unit * 16 + digit);
      }
      out->append(QChar(unit));
      pos += 4;
      break;
    }
    default: return fail(QStringLiteral("an unknown escape \\") + e);
    }
  }
  return fail(QStringLiteral("a text without its closing quote"));
}

bool Parser::parseHex(const QString& s, QByteArray* out)
{
  out->clear();
  if (s.isEmpty()) return true;
  if ((s.size() + 1) % 3 != 0) return fail(QStringLiteral("bad hex bytes"));
  out->reserve((s.size() + 1) / 3);
  for (qsizetype i = 0; i < s.size(); i += 3) {
    const int hi = hexDigit(s.at(i));
    const int lo = hexDigit(s.at(i + 1));
    if (hi < 0 || lo < 0 || (i + 2 < s.size() && s.at(i + 2) != u' ')) return fail(QStringLiteral("bad hex bytes"));
    out->append(char(hi * 16 + lo));
  }
  return true;
}

bool Parser::parseDecimal(const QString& s, quint64 max, quint64* out)
{
  if (s.isEmpty() || s.size() > 20) return fail(QStringLiteral("a bad number"));
  quint64 n = 0;
  for (QChar c : s) {
    if (c < u'0' || c > u'9') return fail(QStringLiteral("a bad number"));
    const quint64 d = c.unicode() - u'0';
    if (n > (max - d) / 10) return fail(QStringLiteral("a number out of range"));
    n = n * 10 + d;
  }
  *out = n;
  return true;
}

bool Parser::parseValue(const QString& line)
{
  qsizetype pos = 0;
  QString name;
  if (line.startsWith(u'@')) {
    pos = 1;
  } else if (!parseQuoted(line, pos, &name)) {
    return false;
  }
  if (pos >= line.size() || line.at(pos) != u'=') return fail(QStringLiteral("a value without ="));
  ++pos;
  const qsizetype colon = line.indexOf(u':', pos);
  if (colon < 0) return fail(QStringLiteral("a value without its type"));
  const QString type = line.mid(pos, colon - pos);
  const QString rest = line.mid(colon + 1);

  Value v;
  v.name = name;
  v.folded = name.toCaseFolded();
  quint64 n = 0;
  if (type == u"dword") {
    if (!parseDecimal(rest, 0xffffffffu, &n)) return false;
    const DWORD d = DWORD(n);
    v.type = REG_DWORD;
    v.data = QByteArray(reinterpret_cast<const char*>(&d), 4);
  } else if (type == u"qword") {
    if (!parseDecimal(rest, ~quint64(0), &n)) return false;
    v.type = REG_QWORD;
    v.data = QByteArray(reinterpret_cast<const char*>(&n), 8);
  } else if (type == u"string" || type == u"expand") {
    QString text;
    qsizetype p = 0;
    if (!parseQuoted(rest, p, &text)) return false;
    if (p != rest.size()) return fail(QStringLiteral("text after the closing quote"));
    v.type = type == u"string" ? REG_SZ : REG_EXPAND_SZ;
    v.data = bytesOfUnits(text, true);
  } else if (type == u"multi") {
    QStringList items;
    qsizetype p = 0;
    while (p < rest.size()) {
      if (!items.isEmpty()) {
        if (rest.at(p) != u',') return fail(QStringLiteral("texts not separated by commas"));
        ++p;
      }
      QString item;
      if (!parseQuoted(rest, p, &item)) return false;
      if (item.isEmpty()) return fail(QStringLiteral("an empty text in a list"));
      items.append(item);
    }
    v.type = REG_MULTI_SZ;
    v.data = bytesOfMulti(items);
  } else if (type == u"binary") {
    if (!parseHex(rest, &v.data)) return false;
    v.type = REG_BINARY;
  } else if (type.startsWith(u"hex(") && type.endsWith(u')')) {
    if (!parseDecimal(type.mid(4, type.size() - 5), 0xffffffffu, &n)) return false;
    if (!parseHex(rest, &v.data)) return false;
    v.type = DWORD(n);
  } else {
    return fail(QStringLiteral("an unknown value type \"") + type + u'"');
  }
  if (Value* old = m_key->findValue(v.folded))
    *old = std::move(v);
  else
    m_key->values.push_back(std::move(v));
  return true;
}

// ---- the file on disk ---------------------------------------------------------------------------

struct Stamp {
  bool exists = false;
  dev_t dev = 0;
  ino_t ino = 0;
  off_t size = 0;
  long long mtimeSec = 0, mtimeNsec = 0, ctimeSec = 0, ctimeNsec = 0;

  static Stamp of(const struct stat& st)
  {
    Stamp s;
    s.exists = true;
    s.dev = st.st_dev;
    s.ino = st.st_ino;
    s.size = st.st_size;
    s.mtimeSec = st.st_mtim.tv_sec;
    s.mtimeNsec = st.st_mtim.tv_nsec;
    s.ctimeSec = st.st_ctim.tv_sec;
    s.ctimeNsec = st.st_ctim.tv_nsec;
    return s;
  }
  static Stamp ofPath(const QByteArray& localPath)
  {
    struct stat st;
    if (::stat(localPath.constData(), &st) != 0) return Stamp();
    return of(st);
  }
  bool operator==(const Stamp&) const = default;
};

void report(const QString& message)
{
  std::fprintf(stderr, "Settings: %s\n", message.toUtf8().constData());
  std::fflush(stderr);
}

// QLockFile's own wait sleeps 100 ms and more between attempts; a writer holds the lock for a
// few milliseconds only, so try again sooner.
bool takeLock(QLockFile& lock)
{
  QElapsedTimer timer;
  timer.start();
  for (int pause = 1;; pause = std::min(pause * 2, 20)) {
    if (lock.tryLock(0)) return true;
    if (lock.error() != QLockFile::LockFailedError || timer.hasExpired(kLockWaitMs)) return false;
    QThread::msleep(pause);
  }
}

QString envPath(const char* name)
{
  const char* value = std::getenv(name);
  if (!value || !*value) return QString();
  const QString path = QFile::decodeName(value);
  return QDir::isAbsolutePath(path) ? path : QString();
}

}  // namespace

struct SettingsStore::Data {
  std::u16string filePath;
  QString path;
  QByteArray localPath;
  QString rootName;
  bool readOnly = false;

  std::mutex mutex;
  Key root;
  bool loaded = false;
  bool unreadable = false;  // the file exists but cannot be read: never overwrite it
  bool damagedInPlace = false;  // read as empty but not yet set aside: the next writer does it
  Stamp stamp;              // of the file that root reflects
  QByteArray bytes;         // its contents

  int batchDepth = 0;
  bool batchDirty = false;
  std::unique_ptr<QLockFile> batchLock;  // held from a batch's first change to its end

  QString lockPath() const { return path + QStringLiteral(".lock"); }

  void syncForRead();
  LONG lock(std::unique_ptr<QLockFile>* lock);
  LONG write();
  void reload(bool mayRename);
  void setAside(const QString& reason, bool mayRename, const Stamp& damaged);
  template <class Change> LONG change(Change&& apply);
};

void SettingsStore::Data::syncForRead()
{
  const Stamp now = Stamp::ofPath(localPath);
  if (loaded && now == stamp) return;
  if (readOnly || !now.exists) {
    reload(false);
    return;
  }
  // Another process replaced the file; read it under the lock so that a damaged file is set
  // aside only while no writer can be replacing it.
  if (batchLock) {
    reload(true);
    return;
  }
  QLockFile lock(lockPath());
  reload(takeLock(lock));
}

void SettingsStore::Data::reload(bool mayRename)
{
  loaded = true;
  unreadable = false;
  damagedInPlace = false;
  QFile file(path);
  if (!file.open(QIODevice::ReadOnly)) {
    const Stamp now = Stamp::ofPath(localPath);
    if (now.exists) {
      if (!(now == stamp)) report(QStringLiteral("cannot read %1: %2").arg(path, file.errorString()));
      unreadable = true;
    }
    root.clear();
    bytes.clear();
    stamp = now;
    return;
  }
  struct stat st;
  if (::fstat(file.handle(), &st) != 0 || !S_ISREG(st.st_mode)) {
    const Stamp now = Stamp::ofPath(localPath);
    if (!(now == stamp)) report(QStringLiteral("%1 is not a regular file; default settings are used.").arg(path));
    unreadable = true;
    root.clear();
    bytes.clear();
    stamp = now;
    return;
  }
  const Stamp now = Stamp::of(st);
  QByteArray data;
  while (data.size() <= kMaxFileSize) {
    const QByteArray chunk = file.read(64 * 1024);
    if (chunk.isEmpty()) break;
    data += chunk;
  }
  if (data.size() > kMaxFileSize) {
    setAside(QStringLiteral("the file is larger than %1 MB").arg(kMaxFileSize >> 20), mayRename, now);
    return;
  }
  if (!bytes.isNull() && data == bytes) {
    stamp = now;
    return;
  }
  Key fresh;
  QString error;
  if (!Parser(rootName, &fresh).parse(data, &error)) {
    setAside(error, mayRename, now);
    return;
  }
  root.children = std::move(fresh.children);
  root.values = std::move(fresh.values);
  root.textValid = false;
  bytes = data;
  if (bytes.isNull()) bytes = QByteArray("");
  stamp = now;
}

void SettingsStore::Data::setAside(const QString& reason, bool mayRename, const Stamp& damaged)
{
  root.clear();
  bytes.clear();
  if (!mayRename) {
    // Read-only, or another process holds the lock: report once and read it as empty. A writer
    // sets it aside later.
    if (!(damaged == stamp)) report(QStringLiteral("%1 is damaged (%2); default settings are used.").arg(path, reason));
    stamp = damaged;
    damagedInPlace = true;
    return;
  }
  const QString base = path + QStringLiteral(".corrupt-") +
                       QDateTime::currentDateTimeUtc().toString(QStringLiteral("yyyyMMdd-HHmmss"));
  QString target = base;
  for (int n = 2; QFileInfo::exists(target) && n < 1000; ++n) target = base + u'-' + QString::number(n);
  if (QFile::rename(path, target)) {
    report(QStringLiteral("%1 is damaged (%2). It was moved to %3 and default settings are used.")
               .arg(path, reason, target));
    stamp = Stamp::ofPath(localPath);
  } else {
    report(QStringLiteral("%1 is damaged (%2) and could not be moved aside; default settings are used.")
               .arg(path, reason));
    unreadable = true;  // keep it for the user to look at
    stamp = damaged;
  }
}

// Runs one change against the newest state of the file and writes the result back, all under
// the lock. apply(changed) returns the call's result and sets changed when there is anything to
// write.
LONG SettingsStore::Data::lock(std::unique_ptr<QLockFile>* lock)
{
  if (!QDir().mkpath(QFileInfo(path).absolutePath())) {
    report(QStringLiteral("cannot create the folder of %1").arg(path));
    return ERROR_WRITE_FAULT;
  }
  *lock = std::make_unique<QLockFile>(lockPath());
  if (!takeLock(**lock)) {
    report(QStringLiteral("%1 stays locked by another process; the change is not saved").arg(lockPath()));
    lock->reset();
    return ERROR_LOCK_VIOLATION;
  }
  return ERROR_SUCCESS;
}

LONG SettingsStore::Data::write()
{
  const QByteArray out = serialize(root, rootName);
  QSaveFile file(path);
  if (!file.open(QIODevice::WriteOnly) || file.write(out) != out.size() || !file.commit()) {
    report(QStringLiteral("cannot write %1: %2").arg(path, file.errorString()));
    loaded = false;  // go back to what is on disk
    bytes.clear();
    return ERROR_WRITE_FAULT;
  }
  bytes = out;
  stamp = Stamp::ofPath(localPath);
  return ERROR_SUCCESS;
}

// Runs one change against the newest state of the file and writes the result back, all under
// the lock. apply(changed) returns the call's result and sets changed when there is anything to
// write. Inside a batch the lock is kept and the writing waits for the batch's end.
template <class Change> LONG SettingsStore::Data::change(Change&& apply)
{
  if (readOnly) return ERROR_ACCESS_DENIED;
  std::unique_ptr<QLockFile> ownLock;
  if (!batchLock) {
    if (const LONG rc = lock(&ownLock); rc != ERROR_SUCCESS) return rc;
    if (batchDepth > 0) batchLock = std::move(ownLock);
  }
  // Under the lock nobody else writes, so an unchanged stamp means an unchanged file.
  if (!loaded || unreadable || damagedInPlace || !(Stamp::ofPath(localPath) == stamp)) reload(true);
  if (unreadable) return ERROR_ACCESS_DENIED;
  bool changed = false;
  const LONG result = apply(changed);
  if (result != ERROR_SUCCESS || !changed) return result;
  if (batchDepth > 0) {
    batchDirty = true;
    return ERROR_SUCCESS;
  }
  return write();
}

SettingsStore::SettingsStore(const std::u16string& filePath, const std::u16string& rootName, bool readOnly)
    : d(std::make_unique<Data>())
{
  d->filePath = filePath;
  d->path = QString::fromStdU16String(filePath);
  d->localPath = QFile::encodeName(d->path);
  d->rootName = QString::fromStdU16String(rootName);
  d->readOnly = readOnly;
}

SettingsStore::~SettingsStore() = default;

std::u16string SettingsStore::UserFilePath()
{
  QString dir = envPath("XDG_CONFIG_HOME");
  if (dir.isEmpty()) {
    QString home = envPath("HOME");
    if (home.isEmpty()) home = QDir::homePath();
    dir = home + QStringLiteral("/.config");
  }
  return (dir + u'/' + QLatin1String(kFileName)).toStdU16String();
}

std::u16string SettingsStore::MachineFilePath()
{
  QString dir = envPath("KC_MACHINE_CONFIG_DIR");
  if (dir.isEmpty()) dir = QStringLiteral("/etc/xdg");
  return (dir + u'/' + QLatin1String(kFileName)).toStdU16String();
}

std::u16string SettingsStore::RootName(Root root)
{
  return root == LocalMachine ? u"HKEY_LOCAL_MACHINE" : u"HKEY_CURRENT_USER";
}

SettingsStore* SettingsStore::Get(Root root)
{
  // Never destroyed: settings may be touched while static objects are torn down.
  static std::mutex* mutex = new std::mutex;
  static auto* stores = new std::map<std::u16string, std::unique_ptr<SettingsStore>>;
  const std::u16string path = root == LocalMachine ? MachineFilePath() : UserFilePath();
  const std::u16string key = (root == LocalMachine ? u"M" : u"U") + path;
  std::lock_guard<std::mutex> guard(*mutex);
  std::unique_ptr<SettingsStore>& store = (*stores)[key];
  if (!store) store = std::make_unique<SettingsStore>(path, RootName(root), root == LocalMachine);
  return store.get();
}

void SettingsStore::BeginBatch()
{
  std::lock_guard<std::mutex> guard(d->mutex);
  ++d->batchDepth;
}

LONG SettingsStore::EndBatch()
{
  std::lock_guard<std::mutex> guard(d->mutex);
  if (d->batchDepth == 0 || --d->batchDepth > 0) return ERROR_SUCCESS;
  const LONG result = d->batchDirty ? d->write() : ERROR_SUCCESS;
  d->batchDirty = false;
  d->batchLock.reset();
  return result;
}

const std::u16string& SettingsStore::FilePath() const { return d->filePath; }

bool SettingsStore::IsReadOnly() const { return d->readOnly; }

LONG SettingsStore::CreateKey(const std::u16string& path, bool* created)
{
  if (created) *created = false;
  const QStringList parts = components(path);
  for (const QString& part : parts)
    if (!isValidKeyName(part)) return ERROR_INVALID_PARAMETER;
  std::lock_guard<std::mutex> guard(d->mutex);
  d->syncForRead();
  if (findKey(&d->root, parts)) return ERROR_SUCCESS;
  if (d->readOnly) return ERROR_ACCESS_DENIED;
  return d->change([&](bool& changed) {
    bool made = false;
    makeKey(&d->root, parts, &made);
    changed = made;
    if (created) *created = made;
    return ERROR_SUCCESS;
  });
}

LONG SettingsStore::KeyExists(const std::u16string& path)
{
  std::lock_guard<std::mutex> guard(d->mutex);
  d->syncForRead();
  return findKey(&d->root, components(path)) ? ERROR_SUCCESS : ERROR_FILE_NOT_FOUND;
}

LONG SettingsStore::DeleteKey(const std::u16string& path, bool keepKey)
{
  const QStringList parts = components(path);
  if (parts.isEmpty() && !keepKey) return ERROR_ACCESS_DENIED;
  std::lock_guard<std::mutex> guard(d->mutex);
  d->syncForRead();
  if (!findKey(&d->root, parts)) return ERROR_FILE_NOT_FOUND;
  return d->change([&](bool& changed) -> LONG {
    Key* key = findKey(&d->root, parts);
    if (!key) return ERROR_FILE_NOT_FOUND;
    changed = true;
    if (keepKey) {
      changed = !key->children.empty() || !key->values.empty();
      key->clear();
    } else {
      Key* parent = findKey(&d->root, parts.mid(0, parts.size() - 1));
      parent->children.erase(parts.back().toCaseFolded());
    }
    return ERROR_SUCCESS;
  });
}

LONG SettingsStore::SetValue(const std::u16string& keyPath, const std::u16string& name, DWORD type,
                             const BYTE* data, DWORD size)
{
  if (!data && size) return ERROR_INVALID_PARAMETER;
  const QStringList parts = components(keyPath);
  const QString qname = QString::fromStdU16String(name);
  const QString folded = qname.toCaseFolded();
  const QByteArray bytes = size ? QByteArray(reinterpret_cast<const char*>(data), qsizetype(size)) : QByteArray("");
  std::lock_guard<std::mutex> guard(d->mutex);
  d->syncForRead();
  Key* key = findKey(&d->root, parts);
  if (!key) return ERROR_KEY_DELETED;
  if (const Value* v = key->findValue(folded); v && v->type == type && v->data == bytes) return ERROR_SUCCESS;
  return d->change([&](bool& changed) -> LONG {
    Key* k = findKey(&d->root, parts);
    if (!k) return ERROR_KEY_DELETED;
    changed = true;
    k->textValid = false;
    if (Value* v = k->findValue(folded)) {
      v->type = type;
      v->data = bytes;
    } else {
      k->values.push_back(Value{qname, folded, type, bytes});
    }
    return ERROR_SUCCESS;
  });
}

LONG SettingsStore::GetValue(const std::u16string& keyPath, const std::u16string& name, DWORD* type,
                             std::vector<BYTE>* data)
{
  std::lock_guard<std::mutex> guard(d->mutex);
  d->syncForRead();
  Key* key = findKey(&d->root, components(keyPath));
  if (!key) return ERROR_KEY_DELETED;
  const Value* v = key->findValue(QString::fromStdU16String(name).toCaseFolded());
  if (!v) return ERROR_FILE_NOT_FOUND;
  if (type) *type = v->type;
  if (data) data->assign(v->data.constBegin(), v->data.constEnd());
  return ERROR_SUCCESS;
}

LONG SettingsStore::DeleteValue(const std::u16string& keyPath, const std::u16string& name)
{
  const QStringList parts = components(keyPath);
  const QString folded = QString::fromStdU16String(name).toCaseFolded();
  std::lock_guard<std::mutex> guard(d->mutex);
  d->syncForRead();
  Key* key = findKey(&d->root, parts);
  if (!key) return ERROR_KEY_DELETED;
  if (!key->findValue(folded)) return ERROR_FILE_NOT_FOUND;
  return d->change([&](bool& changed) -> LONG {
    Key* k = findKey(&d->root, parts);
    if (!k) return ERROR_KEY_DELETED;
    auto it = std::find_if(k->values.begin(), k->values.end(), [&](const Value& v) { return v.folded == folded; });
    if (it == k->values.end()) return ERROR_FILE_NOT_FOUND;
    k->values.erase(it);
    k->textValid = false;
    changed = true;
    return ERROR_SUCCESS;
  });
}

LONG SettingsStore::EnumKey(const std::u16string& keyPath, DWORD index, std::u16string* name)
{
  std::lock_guard<std::mutex> guard(d->mutex);
  d->syncForRead();
  Key* key = findKey(&d->root, components(keyPath));
  if (!key) return ERROR_KEY_DELETED;
  if (index >= key->children.size()) return ERROR_NO_MORE_ITEMS;
  auto it = key->children.begin();
  std::advance(it, index);
  if (name) *name = it->second->name.toStdU16String();
  return ERROR_SUCCESS;
}

LONG SettingsStore::EnumValue(const std::u16string& keyPath, DWORD index, std::u16string* name, DWORD* type,
                              std::vector<BYTE>* data)
{
  std::lock_guard<std::mutex> guard(d->mutex);
  d->syncForRead();
  Key* key = findKey(&d->root, components(keyPath));
  if (!key) return ERROR_KEY_DELETED;
  if (index >= key->values.size()) return ERROR_NO_MORE_ITEMS;
  const Value& v = key->values[index];
  if (name) *name = v.name.toStdU16String();
  if (type) *type = v.type;
  if (data) data->assign(v.data.constBegin(), v.data.constEnd());
  return ERROR_SUCCESS;
}

LONG SettingsStore::QueryInfo(const std::u16string& keyPath, KeyInfo* info)
{
  std::lock_guard<std::mutex> guard(d->mutex);
  d->syncForRead();
  Key* key = findKey(&d->root, components(keyPath));
  if (!key) return ERROR_KEY_DELETED;
  KeyInfo result;
  result.subKeys = DWORD(key->children.size());
  for (const auto& [folded, child] : key->children)
    result.maxSubKeyLen = std::max(result.maxSubKeyLen, DWORD(child->name.size()));
  result.values = DWORD(key->values.size());
  for (const Value& v : key->values) {
    result.maxValueNameLen = std::max(result.maxValueNameLen, DWORD(v.name.size()));
    result.maxValueLen = std::max(result.maxValueLen, DWORD(v.data.size()));
  }
  if (info) *info = result;
  return ERROR_SUCCESS;
}

LONG SettingsStore::Flush()
{
  std::lock_guard<std::mutex> guard(d->mutex);
  QFile file(d->path);
  if (!file.open(QIODevice::ReadOnly)) return ERROR_SUCCESS;  // nothing written yet
  return ::fsync(file.handle()) == 0 ? ERROR_SUCCESS : ERROR_WRITE_FAULT;
}
