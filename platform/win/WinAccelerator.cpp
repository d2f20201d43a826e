#include "platform/win/WinAccelerator.h"

#include <QtCore/QString>
#include <QtCore/QStringList>

#include <set>
#include <vector>

#include "platform/afx/ResourceModule.h"
#include "platform/win/CWnd.h"
#include "platform/win/WinInput.h"

struct HACCEL__ {
  std::vector<ACCEL> entries;
};

namespace {

std::set<HACCEL>& Live() {
  static std::set<HACCEL> live;
  return live;
}

bool Valid(HACCEL h) { return h && Live().count(h) != 0; }

struct VkName {
  const char* name;
  WORD vk;
};

const VkName kNames[] = {
    {"VK_BACK", VK_BACK},       {"VK_TAB", VK_TAB},         {"VK_RETURN", VK_RETURN},   {"VK_ESCAPE", VK_ESCAPE},
    {"VK_SPACE", VK_SPACE},     {"VK_PRIOR", VK_PRIOR},     {"VK_NEXT", VK_NEXT},       {"VK_END", VK_END},
    {"VK_HOME", VK_HOME},       {"VK_LEFT", VK_LEFT},       {"VK_UP", VK_UP},           {"VK_RIGHT", VK_RIGHT},
    {"VK_DOWN", VK_DOWN},       {"VK_INSERT", VK_INSERT},   {"VK_DELETE", VK_DELETE},   {"VK_HELP", VK_HELP},
    {"VK_MULTIPLY", VK_MULTIPLY}, {"VK_ADD", VK_ADD},       {"VK_SUBTRACT", VK_SUBTRACT}, {"VK_DECIMAL", VK_DECIMAL},
    {"VK_DIVIDE", VK_DIVIDE},   {"VK_PAUSE", VK_PAUSE},     {"VK_APPS", VK_APPS},       {"VK_OEM_PLUS", VK_OEM_PLUS},
    {"VK_OEM_MINUS", VK_OEM_MINUS}, {"VK_OEM_COMMA", VK_OEM_COMMA}, {"VK_OEM_PERIOD", VK_OEM_PERIOD},
};

bool ParseNumber(const QString& w, UINT& v) {
  bool ok = false;
  const uint n = w.startsWith(QLatin1String("0x"), Qt::CaseInsensitive) ? w.mid(2).toUInt(&ok, 16) : w.toUInt(&ok, 10);
  if (!ok) return false;
  v = n;
  return true;
}

bool ParseKey(const QString& w, ACCEL& a) {
  if (w.size() >= 3 && w.startsWith(QLatin1Char('"')) && w.endsWith(QLatin1Char('"'))) {
    const QString inner = w.mid(1, w.size() - 2);
    if (inner.size() == 2 && inner[0] == QLatin1Char('^')) {  // "^C": Ctrl with the letter
      a.key = inner[1].toUpper().unicode();
      a.fVirt |= FVIRTKEY | FCONTROL;
      return a.key >= 'A' && a.key <= 'Z';
    }
    if (inner.size() != 1) return false;
    a.key = inner[0].unicode();
    return true;
  }
  const QByteArray up = w.toUpper().toLatin1();
  for (const VkName& n : kNames)
    if (up == n.name) {
      a.key = n.vk;
      return true;
    }
  if (up.startsWith("VK_F")) {
    bool ok = false;
    const int f = up.mid(4).toInt(&ok);
    if (ok && f >= 1 && f <= 24) {
      a.key = static_cast<WORD>(VK_F1 + f - 1);
      return true;
    }
  }
  UINT v = 0;
  if (!ParseNumber(w, v) || v > 0xFFFF) return false;
  a.key = static_cast<WORD>(v);
  return true;
}

// The fields of a line split at commas outside quotes.
QStringList Fields(const QString& line) {
  QStringList out;
  QString cur;
  bool quoted = false;
  for (QChar c : line) {
    if (c == QLatin1Char('"')) quoted = !quoted;
    if (c == QLatin1Char(',') && !quoted) {
      out << cur.trimmed();
      cur.clear();
    } else {
      cur += c;
    }
  }
  out << cur.trimmed();
  return out;
}

}  // namespace

HACCEL CreateAcceleratorTable(LPACCEL paccel, int cAccel) {
  if (!paccel || cAccel <= 0 || cAccel > 0x10000) return nullptr;
  auto* h = new HACCEL__;
  h->entries.assign(paccel, paccel + cAccel);
  Live().insert(h);
  return h;
}

BOOL DestroyAcceleratorTable(HACCEL hAccel) {
  if (!Valid(hAccel)) return FALSE;
  Live().erase(hAccel);
  delete hAccel;
  return TRUE;
}

int CopyAcceleratorTable(HACCEL hAccelSrc, LPACCEL lpAccelDst, int cAccelEntries) {
  if (!Valid(hAccelSrc)) return 0;
  const int n = static_cast<int>(hAccelSrc->entries.size());
  if (!lpAccelDst) return n;
  const int c = std::min(n, std::max(0, cAccelEntries));
  std::copy(hAccelSrc->entries.begin(), hAccelSrc->entries.begin() + c, lpAccelDst);
  return c;
}

HACCEL AfxLoadAcceleratorsFromText(const std::u16string& text) {
  std::vector<ACCEL> entries;
  const QStringList lines = QString::fromStdU16String(text).split(QLatin1Char('\n'));
  for (QString line : lines) {
    // A '#' outside a quoted key starts a comment.
    bool quoted = false;
    for (qsizetype i = 0; i < line.size(); ++i) {
      if (line[i] == QLatin1Char('"')) quoted = !quoted;
      if (line[i] == QLatin1Char('#') && !quoted) {
        line.truncate(i);
        break;
      }
    }
    line = line.trimmed();
    if (line.isEmpty()) continue;
    const QStringList f = Fields(line);
    if (f.size() < 2) return nullptr;
    ACCEL a{0, 0, 0};
    if (!ParseKey(f[0], a)) return nullptr;
    UINT cmd = 0;
    if (!ParseNumber(f[1], cmd) || cmd == 0 || cmd > 0xFFFF) return nullptr;
    a.cmd = static_cast<WORD>(cmd);
    for (int i = 2; i < f.size(); ++i) {
      const QString flag = f[i].toUpper();
      if (flag == QLatin1String("VIRTKEY")) a.fVirt |= FVIRTKEY;
      else if (flag == QLatin1String("SHIFT")) a.fVirt |= FSHIFT;
      else if (flag == QLatin1String("CONTROL")) a.fVirt |= FCONTROL;
      else if (flag == QLatin1String("ALT")) a.fVirt |= FALT;
      else if (flag == QLatin1String("NOINVERT")) a.fVirt |= FNOINVERT;
      else if (flag == QLatin1String("ASCII")) {}
      else return nullptr;
    }
    // A virtual key named by a quoted character is that character's key. Keys named by number
    // stay as they are: VK_F1..VK_F11 share their codes with 'p'..'z'.
    const bool namedByCharacter = f[0].startsWith(QLatin1Char('"'));
    if (namedByCharacter && (a.fVirt & FVIRTKEY) && a.key >= 'a' && a.key <= 'z')
      a.key = static_cast<WORD>(a.key - 'a' + 'A');
    entries.push_back(a);
    if (entries.size() > 0x10000) return nullptr;
  }
  if (entries.empty()) return nullptr;
  return CreateAcceleratorTable(entries.data(), static_cast<int>(entries.size()));
}

HACCEL LoadAccelerators(HINSTANCE, LPCTSTR lpTableName) {
  if (!IS_INTRESOURCE(lpTableName)) return nullptr;
  std::vector<BYTE> data;
  if (!AfxFindResourceData("ACCELERATOR", static_cast<UINT>(reinterpret_cast<ULONG_PTR>(lpTableName)), data))
    return nullptr;
  const QString s = QString::fromUtf8(reinterpret_cast<const char*>(data.data()), static_cast<qsizetype>(data.size()));
  return AfxLoadAcceleratorsFromText(s.toStdU16String());
}

int TranslateAccelerator(HWND hWnd, HACCEL hAccTable, LPMSG lpMsg) {
  if (!Valid(hAccTable) || !lpMsg || !IsWindow(hWnd)) return 0;
  const UINT m = lpMsg->message;
  const bool keyDown = m == WM_KEYDOWN || m == WM_SYSKEYDOWN;
  const bool isChar = m == WM_CHAR || m == WM_SYSCHAR;
  if (!keyDown && !isChar) return 0;
  const bool shift = GetKeyState(VK_SHIFT) & 0x8000;
  const bool ctrl = GetKeyState(VK_CONTROL) & 0x8000;
  const bool alt = (GetKeyState(VK_MENU) & 0x8000) || (lpMsg->lParam & (1 << 29));
  for (const ACCEL& a : hAccTable->entries) {
    if (a.fVirt & FVIRTKEY) {
      if (!keyDown || a.key != lpMsg->wParam) continue;
      if (((a.fVirt & FSHIFT) != 0) != shift || ((a.fVirt & FCONTROL) != 0) != ctrl || ((a.fVirt & FALT) != 0) != alt)
        continue;
    } else {
      if (!isChar || a.key != lpMsg->wParam) continue;
      if (((a.fVirt & FALT) != 0) != (m == WM_SYSCHAR)) continue;
    }
    SendMessage(hWnd, WM_COMMAND, MAKEWPARAM(a.cmd, 1), 0);
    return 1;
  }
  return 0;
}
