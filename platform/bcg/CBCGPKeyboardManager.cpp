#include "platform/bcg/CBCGPKeyboardManager.h"

#include <map>
#include <vector>

#include "platform/afx/CByteArray.h"
#include "platform/afx/FrameworkText.h"
#include "platform/bcg/BCGPConstants.h"
#include "platform/bcg/CBCGPRegistry.h"
#include "platform/bcg/CBCGPRegistrySP.h"
#include "platform/win/CFrameWnd.h"
#include "platform/win/CMultiDocTemplate.h"
#include "platform/win/CWinApp.h"
#include "platform/win/WinAccelerator.h"
#include "platform/win/WinInput.h"

namespace {

CBCGPKeyboardManager* g_pManager = nullptr;
CBCGPKeyboardManager::CommandFilter g_pfnFilter = nullptr;
// A stored table holds at most this many keys.
constexpr int kMaxKeys = 4096;
constexpr int kBytesPerKey = 5;

std::vector<ACCEL> TableOf(HACCEL h) {
  std::vector<ACCEL> out;
  if (!h) return out;
  const int n = CopyAcceleratorTable(h, nullptr, 0);
  if (n <= 0 || n > kMaxKeys) return out;
  out.resize(static_cast<size_t>(n));
  CopyAcceleratorTable(h, out.data(), n);
  return out;
}

CFrameWnd* FrameOrMain(CFrameWnd* pFrame) {
  if (pFrame) return pFrame;
  return DYNAMIC_DOWNCAST(CFrameWnd, AfxGetMainWnd());
}

CString KeyName(const ACCEL& a) {
  if (!(a.fVirt & FVIRTKEY)) return CString(static_cast<TCHAR>(a.key), 1);
  const WORD k = a.key;
  if ((k >= '0' && k <= '9') || (k >= 'A' && k <= 'Z')) return CString(static_cast<TCHAR>(k), 1);
  if (k >= VK_F1 && k <= VK_F24) {
    CString s;
    s.Format(u"F%d", k - VK_F1 + 1);
    return s;
  }
  // The named keys, in the order of their texts from IDS_BCGP_KEY_DELETE on.
  static const struct {
    WORD key;
    LPCTSTR english;
  } kNamed[] = {
      {VK_DELETE, u"Del"}, {VK_INSERT, u"Ins"},   {VK_RETURN, u"Enter"}, {VK_ESCAPE, u"Esc"},
      {VK_TAB, u"Tab"},    {VK_SPACE, u"Space"},  {VK_BACK, u"Backspace"}, {VK_LEFT, u"Left"},
      {VK_RIGHT, u"Right"}, {VK_UP, u"Up"},        {VK_DOWN, u"Down"},    {VK_PRIOR, u"PgUp"},
      {VK_NEXT, u"PgDn"},  {VK_HOME, u"Home"},    {VK_END, u"End"},      {VK_ADD, u"Num +"},
      {VK_SUBTRACT, u"Num -"},
  };
  for (UINT i = 0; i < sizeof(kNamed) / sizeof(kNamed[0]); ++i)
    if (kNamed[i].key == k) return AfxLoadFrameworkText(IDS_BCGP_KEY_DELETE + i, kNamed[i].english);
  CString s;
  s.Format(u"0x%02X", k);
  return s;
}

}  // namespace

struct CBCGPKeyboardManager::Impl {
  // The keys each frame was made with, for ResetAll.
  std::map<CFrameWnd*, std::vector<ACCEL>> original;
};

CBCGPKeyboardManager::CBCGPKeyboardManager() : d(new Impl) {}
CBCGPKeyboardManager::~CBCGPKeyboardManager() { delete d; }

CBCGPKeyboardManager* CBCGPKeyboardManager::GetInstance() { return g_pManager; }

void CBCGPKeyboardManager::SetCommandFilter(CommandFilter pfnFilter) { g_pfnFilter = pfnFilter; }

CBCGPKeyboardManager* CBCGPKeyboardManager::Create() {
  if (!g_pManager) g_pManager = new CBCGPKeyboardManager;
  return g_pManager;
}

void CBCGPKeyboardManager::Destroy() {
  delete g_pManager;
  g_pManager = nullptr;
}

CString CBCGPKeyboardManager::FormatAccelerator(const ACCEL& a) {
  CString s;
  if (a.fVirt & FCONTROL) s += AfxLoadFrameworkText(IDS_BCGP_KEY_CTRL, u"Ctrl+");
  if (a.fVirt & FSHIFT) s += AfxLoadFrameworkText(IDS_BCGP_KEY_SHIFT, u"Shift+");
  if (a.fVirt & FALT) s += AfxLoadFrameworkText(IDS_BCGP_KEY_ALT, u"Alt+");
  s += KeyName(a);
  return s;
}

BOOL CBCGPKeyboardManager::SaveState(LPCTSTR lpszProfileName, CFrameWnd* pDefaultFrame) {
  CFrameWnd* frame = FrameOrMain(pDefaultFrame);
  if (!lpszProfileName || !frame) return FALSE;
  const std::vector<ACCEL> table = TableOf(frame->m_hAccelTable);
  CString key;
  key.Format(u"%sKeyboard-%u", lpszProfileName, frame->m_nIDHelp);
  CBCGPRegistrySP sp;
  CBCGPRegistry& reg = sp.Create(FALSE, FALSE);
  if (!reg.CreateKey(key)) return FALSE;
  CByteArray bytes;
  for (const ACCEL& a : table) {
    bytes.Add(a.fVirt);
    bytes.Add(static_cast<BYTE>(a.key & 0xFF));
    bytes.Add(static_cast<BYTE>(a.key >> 8));
    bytes.Add(static_cast<BYTE>(a.cmd & 0xFF));
    bytes.Add(static_cast<BYTE>(a.cmd >> 8));
  }
  return reg.Write(u"Accelerators", bytes);
}

BOOL CBCGPKeyboardManager::LoadState(LPCTSTR lpszProfileName, CFrameWnd* pDefaultFrame) {
  CFrameWnd* frame = FrameOrMain(pDefaultFrame);
  if (!lpszProfileName || !frame) return FALSE;
  if (!d->original.count(frame)) d->original[frame] = TableOf(frame->m_hAccelTable);
  CString key;
  key.Format(u"%sKeyboard-%u", lpszProfileName, frame->m_nIDHelp);
  CBCGPRegistrySP sp;
  CBCGPRegistry& reg = sp.Create(FALSE, TRUE);
  if (!reg.Open(key)) return FALSE;
  CByteArray bytes;
  if (!reg.Read(u"Accelerators", bytes)) return FALSE;
  const INT_PTR size = bytes.GetSize();
  if (size % kBytesPerKey != 0 || size / kBytesPerKey > kMaxKeys) return FALSE;
  std::vector<ACCEL> table;
  for (INT_PTR i = 0; i < size; i += kBytesPerKey) {
    ACCEL a{};
    a.fVirt = bytes[i];
    a.key = static_cast<WORD>(bytes[i + 1] | (bytes[i + 2] << 8));
    a.cmd = static_cast<WORD>(bytes[i + 3] | (bytes[i + 4] << 8));
    if (a.cmd == 0) return FALSE;
    if (g_pfnFilter && !g_pfnFilter(frame, a.cmd)) continue;
    table.push_back(a);
  }
  return UpdateAcellTable(nullptr, table.empty() ? nullptr : table.data(), static_cast<int>(table.size()), frame);
}

BOOL CBCGPKeyboardManager::UpdateAcellTable(CMultiDocTemplate* pTemplate, LPACCEL lpAccel, int nSize,
                                            CFrameWnd* pDefaultFrame) {
  if (nSize < 0 || nSize > kMaxKeys || (nSize > 0 && !lpAccel)) return FALSE;
  HACCEL h = nSize > 0 ? CreateAcceleratorTable(lpAccel, nSize) : nullptr;
  if (nSize > 0 && !h) return FALSE;
  return UpdateAcellTable(pTemplate, h, pDefaultFrame);
}

BOOL CBCGPKeyboardManager::UpdateAcellTable(CMultiDocTemplate* pTemplate, HACCEL hAccelNew, CFrameWnd* pDefaultFrame) {
  if (pTemplate) {
    if (pTemplate->m_hAccelTable) DestroyAcceleratorTable(pTemplate->m_hAccelTable);
    pTemplate->m_hAccelTable = hAccelNew;
    return TRUE;
  }
  CFrameWnd* frame = FrameOrMain(pDefaultFrame);
  if (!frame) {
    if (hAccelNew) DestroyAcceleratorTable(hAccelNew);
    return FALSE;
  }
  if (!d->original.count(frame)) d->original[frame] = TableOf(frame->m_hAccelTable);
  if (frame->m_hAccelTable && frame->m_hAccelTable != hAccelNew) DestroyAcceleratorTable(frame->m_hAccelTable);
  frame->m_hAccelTable = hAccelNew;
  return TRUE;
}

void CBCGPKeyboardManager::ResetAll() {
  for (auto& [frame, table] : d->original) {
    if (!frame) continue;
    HACCEL h = table.empty() ? nullptr : CreateAcceleratorTable(table.data(), static_cast<int>(table.size()));
    if (frame->m_hAccelTable) DestroyAcceleratorTable(frame->m_hAccelTable);
    frame->m_hAccelTable = h;
  }
}

void CBCGPKeyboardManager::OnFrameDestroyed(CFrameWnd* pFrame) { d->original.erase(pFrame); }

BOOL CBCGPKeyboardManager::FindDefaultAccelerator(UINT uiCmd, CString& str, CFrameWnd* pWndFrame, BOOL) {
  str.Empty();
  CFrameWnd* frame = FrameOrMain(pWndFrame);
  if (!frame) return FALSE;
  for (const ACCEL& a : TableOf(frame->m_hAccelTable)) {
    if (a.cmd == uiCmd) {
      str = FormatAccelerator(a);
      return TRUE;
    }
  }
  return FALSE;
}

BOOL CBCGPKeyboardManager::IsKeyHandled(WORD nKey, BYTE fVirt, CFrameWnd* pWndFrame, BOOL) {
  CFrameWnd* frame = FrameOrMain(pWndFrame);
  if (!frame) return FALSE;
  const BYTE mask = FVIRTKEY | FSHIFT | FCONTROL | FALT;
  for (const ACCEL& a : TableOf(frame->m_hAccelTable))
    if (a.key == nKey && (a.fVirt & mask) == (fVirt & mask)) return TRUE;
  return FALSE;
}
