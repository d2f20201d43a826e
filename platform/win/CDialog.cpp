#include "platform/win/CDialog.h"

#include <QtCore/QEventLoop>
#include <QtCore/QPointer>
#include <QtGui/QFontMetrics>
#include <QtGui/QGuiApplication>
#include <QtGui/QScreen>
#include <QtWidgets/QApplication>
#include <QtWidgets/QWidget>

#include "platform/gdi/CFont.h"
#include "platform/win/AfxControlWidget.h"
#include "platform/win/AfxWndBridge.h"
#include "platform/win/CWinApp.h"
#include "platform/win/DialogTemplate.h"

IMPLEMENT_DYNAMIC(CDialog, CWnd)

BEGIN_MESSAGE_MAP(CDialog, CWnd)
  ON_MESSAGE(WM_INITDIALOG, &CDialog::HandleInitDialog)
  ON_MESSAGE(DM_GETDEFID, &CDialog::HandleGetDefID)
  ON_MESSAGE(DM_SETDEFID, &CDialog::HandleSetDefID)
  ON_MESSAGE(WM_NEXTDLGCTL, &CDialog::HandleNextDlgCtl)
  ON_MESSAGE(WM_COMMANDHELP, &CDialog::HandleCommandHelp)
  ON_COMMAND(IDOK, &CDialog::OnOK)
  ON_COMMAND(IDCANCEL, &CDialog::OnCancel)
  ON_COMMAND(IDHELP, &CDialog::OnHelp)
  ON_WM_CLOSE()
  ON_WM_DESTROY()
  ON_WM_HELPINFO()
END_MESSAGE_MAP()

namespace {

// The widget of a dialog: it paints the dialog's background itself.
class KcDialogWidget : public QWidget {
public:
  explicit KcDialogWidget(QWidget* parent) : QWidget(parent) {
    setAutoFillBackground(true);
    setFocusPolicy(Qt::NoFocus);
  }
};

int MulDiv(int a, int b, int c) {
  const long long v = static_cast<long long>(a) * b;
  return static_cast<int>(v >= 0 ? (v + c / 2) / c : (v - c / 2) / c);
}

UINT DlgCode(CWnd* p) { return p ? static_cast<UINT>(p->SendMessage(WM_GETDLGCODE)) : 0; }

bool IsTabStop(const CWnd* p) {
  const DWORD s = p->GetStyle();
  return (s & WS_TABSTOP) && p->IsWindowEnabled() && (s & WS_VISIBLE);
}

// The controls of a dialog in tab order; nested child dialogs (property pages) give theirs.
void CollectControls(const CWnd* pDlg, std::vector<CWnd*>& out) {
  for (CWnd* c = pDlg->GetWindow(GW_CHILD); c; c = c->GetWindow(GW_HWNDNEXT)) {
    const bool container = (c->GetExStyle() & WS_EX_CONTROLPARENT) != 0;
    if (container && (c->GetStyle() & WS_VISIBLE)) {
      CollectControls(c, out);
      continue;
    }
    out.push_back(c);
  }
}

// The control of the dialog holding the focus window (the focus may be inside a control).
CWnd* FocusControl(const CWnd* pDlg) {
  CWnd* f = CWnd::GetFocus();
  if (!f || !pDlg->IsChild(f)) return nullptr;
  std::vector<CWnd*> all;
  CollectControls(pDlg, all);
  for (CWnd* w = f; w && w != pDlg; w = w->GetParent()) {
    for (CWnd* c : all)
      if (c == w) return c;
  }
  return nullptr;
}

}  // namespace

CDialog::CDialog() = default;

CDialog::CDialog(UINT nIDTemplate, CWnd* pParentWnd) : m_nIDTemplate(nIDTemplate), m_pParentWnd(pParentWnd) {
  m_nIDHelp = nIDTemplate;
}

CDialog::~CDialog() {
  if (m_hWnd) DestroyWindow();
  delete m_pFont;
}

BOOL CDialog::LoadTemplate(DialogTemplate& out) {
  if (m_pIndirect) {
    out = *m_pIndirect;
    return TRUE;
  }
  CString why;
  if (!out.Load(m_nIDTemplate, &why)) {
    m_strCreateError = why;
    return FALSE;
  }
  return TRUE;
}

BOOL CDialog::Create(UINT nIDTemplate, CWnd* pParentWnd) {
  m_nIDTemplate = nIDTemplate;
  if (!m_nIDHelp) m_nIDHelp = nIDTemplate;
  m_pIndirect.reset();
  DialogTemplate t;
  if (!LoadTemplate(t)) return FALSE;
  return CreateFromTemplate(t, pParentWnd, FALSE);
}

BOOL CDialog::CreateIndirect(const DialogTemplate& dlgTemplate, CWnd* pParentWnd) {
  return CreateFromTemplate(dlgTemplate, pParentWnd, FALSE);
}

BOOL CDialog::InitModalIndirect(const DialogTemplate& dlgTemplate, CWnd* pParentWnd) {
  m_pIndirect = std::make_unique<DialogTemplate>(dlgTemplate);
  m_pParentWnd = pParentWnd;
  return TRUE;
}

CSize CDialog::GetBaseUnits() const { return CSize(m_baseX, m_baseY); }

void CDialog::MapDialogRect(LPRECT lpRect) const {
  if (!lpRect) return;
  lpRect->left = MulDiv(lpRect->left, m_baseX, 4);
  lpRect->right = MulDiv(lpRect->right, m_baseX, 4);
  lpRect->top = MulDiv(lpRect->top, m_baseY, 8);
  lpRect->bottom = MulDiv(lpRect->bottom, m_baseY, 8);
}

BOOL CDialog::CreateFromTemplate(const DialogTemplate& t, CWnd* pParentWnd, BOOL bModal) {
  m_strCreateError.Empty();
  if (m_hWnd) return FALSE;
  if (!qobject_cast<QApplication*>(QCoreApplication::instance())) {
    m_strCreateError = CString(u"no application");
    return FALSE;
  }
  AfxRegisterControlClasses();
  const bool child = (t.style & WS_CHILD) != 0;
  if (child && (!pParentWnd || !pParentWnd->GetSafeHwnd())) {
    m_strCreateError = CString(u"a child dialog needs a parent window");
    return FALSE;
  }
  if (!pParentWnd && !child) pParentWnd = AfxGetMainWnd();
  if (pParentWnd && !pParentWnd->GetSafeHwnd()) pParentWnd = nullptr;
  // Owned dialogs belong to the owner's top-level window.
  if (pParentWnd && !child) pParentWnd = pParentWnd->GetTopLevelParent();
  m_bModal = bModal;
  m_bEnded = FALSE;

  auto* w = new KcDialogWidget(nullptr);
  const CString caption = t.GetCaption();
  const DWORD style = (t.style & ~WS_VISIBLE) | (child ? WS_CHILD : 0);
  if (!CreateFromWidget(w, style, CRect(0, 0, 10, 10), pParentWnd, 0, t.exStyle, caption)) {
    if (!m_hWnd) delete w;
    m_strCreateError = CString(u"the dialog window could not be made");
    return FALSE;
  }
  w->setAttribute(Qt::WA_OpaquePaintEvent, false);
  w->setMouseTracking(false);

  // The template's font decides the dialog units.
  delete m_pFont;
  m_pFont = new CFont;
  QString face = t.faceName.ToQString();
  int points = t.pointSize;
  if (face.isEmpty() || points <= 0) {
    const QFont def = QApplication::font();
    if (face.isEmpty()) face = def.family();
    if (points <= 0) points = def.pointSize() > 0 ? def.pointSize() : 9;
  }
  const std::u16string face16 = face.toStdU16String();
  m_pFont->CreatePointFont(points * 10, face16.c_str());
  SetFont(m_pFont, FALSE);
  const QFontMetrics fm(w->font());
  const int avg = fm.horizontalAdvance(QStringLiteral("ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz"));
  m_baseX = std::max(1, (avg / 26 + 1) / 2);
  m_baseY = std::max(1, fm.height());

  CRect rc(t.x, t.y, t.x + t.cx, t.y + t.cy);
  MapDialogRect(&rc);
  w->resize(rc.Width(), rc.Height());
  if (child) {
    w->move(rc.left, rc.top);
  } else if ((t.style & DS_CENTER) || bModal || !pParentWnd) {
    CenterWindow(pParentWnd);
  } else if (QWidget* pw = pParentWnd->GetQWidget()) {
    w->move(pw->mapToGlobal(QPoint(rc.left, rc.top)));
  }

  // The controls, in tab order.
  const HWND self = m_hWnd;
  m_nDefID = IDOK;
  bool haveDef = false;
  for (const DialogItemTemplate& item : t.items) {
    CRect r(item.x, item.y, item.x + item.cx, item.y + item.cy);
    MapDialogRect(&r);
    const CString text = DialogTemplate::GetItemText(item);
    HWND h = AfxCreateControl(item.className, text, item.style, item.exStyle, r, this,
                              static_cast<UINT>(static_cast<WORD>(item.id)));
    if (!IsWindow(self)) return FALSE;
    if (!h) continue;
    ::SendMessage(h, WM_SETFONT, reinterpret_cast<WPARAM>(static_cast<HFONT>(*m_pFont)), FALSE);
    if (!haveDef && item.className.CompareNoCase(u"BUTTON") == 0 && (item.style & BS_TYPEMASK) == BS_DEFPUSHBUTTON) {
      m_nDefID = static_cast<UINT>(static_cast<WORD>(item.id));
      haveDef = true;
    }
  }
  OnSetFont(m_pFont);

  // The first control that takes the tab gets the focus unless OnInitDialog chose one.
  const LRESULT focusDefault = SendMessage(WM_INITDIALOG, 0, 0);
  if (!IsWindow(self)) return FALSE;
  if (focusDefault) {
    if (CWnd* first = GetNextDlgTabItem(nullptr)) GotoDlgCtrl(first);
  }
  if ((t.style & WS_VISIBLE) && !bModal && !m_bEnded) ShowWindow(SW_SHOW);
  return TRUE;
}

BOOL CDialog::OnInitDialog() {
  UpdateData(FALSE);
  return TRUE;
}

void CDialog::OnSetFont(CFont*) {}

LRESULT CDialog::HandleInitDialog(WPARAM, LPARAM) { return OnInitDialog(); }

INT_PTR CDialog::DoModal() {
  m_nModalResult = -1;
  DialogTemplate t;
  if (!LoadTemplate(t)) return -1;
  if (!CreateFromTemplate(t, m_pParentWnd, TRUE)) {
    if (m_hWnd) DestroyWindow();
    return -1;
  }
  const HWND self = m_hWnd;
  QPointer<QWidget> w = GetQWidget();
  if (!m_bEnded) {
    w->setWindowModality(Qt::ApplicationModal);
    ShowWindow(SW_SHOW);
    SetActiveWindow();
    if (!m_bEnded) {
      QEventLoop loop;
      m_pLoop = &loop;
      loop.exec(QEventLoop::DialogExec);
      m_pLoop = nullptr;
    }
  }
  if (IsWindow(self)) {
    ShowWindow(SW_HIDE);
    DestroyWindow();
  }
  // The owner becomes the active window again.
  if (m_pParentWnd && m_pParentWnd->GetSafeHwnd() && m_pParentWnd->IsWindowVisible()) m_pParentWnd->SetActiveWindow();
  return m_nModalResult;
}

BOOL CDialog::ContinueModal() { return !m_bEnded && CWnd::ContinueModal(); }

void CDialog::EndModalLoop(int nResult) {
  CWnd::EndModalLoop(nResult);
  m_bEnded = TRUE;
  if (m_pLoop) m_pLoop->exit(nResult);
}

void CDialog::EndDialog(int nResult) {
  if (m_bModal) {
    EndModalLoop(nResult);
  } else {
    // A modeless dialog is only hidden; its owner destroys it.
    m_nModalResult = nResult;
    m_bEnded = TRUE;
    if (m_hWnd) ShowWindow(SW_HIDE);
  }
}

void CDialog::OnOK() {
  if (!UpdateData(TRUE)) return;
  EndDialog(IDOK);
}

void CDialog::OnCancel() { EndDialog(IDCANCEL); }

void CDialog::OnHelp() { SendMessage(WM_COMMANDHELP, 0, static_cast<LPARAM>(m_nIDHelp)); }

LRESULT CDialog::HandleCommandHelp(WPARAM, LPARAM lParam) {
  // The owner chain decides how help is shown; the dialog names its topic.
  CWnd* owner = GetOwner();
  if (owner && owner->GetSafeHwnd() && owner != this)
    return owner->SendMessage(WM_COMMANDHELP, 0, lParam ? lParam : static_cast<LPARAM>(m_nIDHelp));
  return FALSE;
}

BOOL CDialog::OnHelpInfo(HELPINFO*) {
  OnHelp();
  return TRUE;
}

void CDialog::OnClose() { SendMessage(WM_COMMAND, MAKEWPARAM(IDCANCEL, BN_CLICKED), 0); }

void CDialog::OnDestroy() {
  if (m_pLoop) m_pLoop->exit(m_nModalResult);
  CWnd::OnDestroy();
}

// ---- default button --------------------------------------------------------------------------

DWORD CDialog::GetDefID() const { return MAKELONG(static_cast<WORD>(m_nDefID), DC_HASDEFID); }

void CDialog::SetDefID(UINT nID) {
  const UINT old = m_nDefID;
  m_nDefID = nID;
  if (!m_hWnd || old == nID) return;
  auto restyle = [this](UINT id, UINT type) {
    CWnd* b = GetDlgItem(static_cast<int>(id));
    if (!b) return;
    const UINT code = DlgCode(b);
    if (!(code & (DLGC_DEFPUSHBUTTON | DLGC_UNDEFPUSHBUTTON))) return;
    b->SendMessage(BM_SETSTYLE, (b->GetStyle() & ~BS_TYPEMASK & 0xFFFF) | type, TRUE);
  };
  restyle(old, BS_PUSHBUTTON);
  restyle(nID, BS_DEFPUSHBUTTON);
}

LRESULT CDialog::HandleGetDefID(WPARAM, LPARAM) { return GetDefID(); }
LRESULT CDialog::HandleSetDefID(WPARAM wParam, LPARAM) {
  SetDefID(static_cast<UINT>(wParam));
  return TRUE;
}

// ---- focus and navigation --------------------------------------------------------------------

CWnd* CDialog::GetNextDlgTabItem(CWnd* pWndCtl, BOOL bPrevious) const {
  std::vector<CWnd*> all;
  CollectControls(this, all);
  if (all.empty()) return nullptr;
  const int n = static_cast<int>(all.size());
  int at = -1;
  for (int i = 0; i < n; ++i)
    if (all[static_cast<size_t>(i)] == pWndCtl) at = i;
  if (at < 0) at = bPrevious ? 0 : n - 1;
  for (int k = 1; k <= n; ++k) {
    const int i = ((bPrevious ? at - k : at + k) % n + n) % n;
    CWnd* c = all[static_cast<size_t>(i)];
    if (IsTabStop(c)) return c;
  }
  return nullptr;
}

CWnd* CDialog::GetNextDlgGroupItem(CWnd* pWndCtl, BOOL bPrevious) const {
  if (!pWndCtl || !pWndCtl->GetQWidget()) return nullptr;
  const QList<QWidget*> group = AfxControlGroup(pWndCtl->GetQWidget());
  const int n = static_cast<int>(group.size());
  const int at = static_cast<int>(group.indexOf(pWndCtl->GetQWidget()));
  if (at < 0) return nullptr;
  for (int k = 1; k < n; ++k) {
    const int i = ((bPrevious ? at - k : at + k) % n + n) % n;
    CWnd* c = CWnd::FromQWidget(group[i]);
    if (c && c->IsWindowEnabled() && (c->GetStyle() & WS_VISIBLE) && !(DlgCode(c) & DLGC_STATIC)) return c;
  }
  return pWndCtl;
}

void CDialog::GotoDlgCtrl(CWnd* pWndCtrl) {
  if (!pWndCtrl || !pWndCtrl->GetSafeHwnd()) return;
  pWndCtrl->SetFocus();
  // An edit reached from the keyboard shows its whole text selected.
  if (DlgCode(pWndCtrl) & DLGC_HASSETSEL) pWndCtrl->SendMessage(EM_SETSEL, 0, -1);
}

void CDialog::NextDlgCtrl() const {
  const_cast<CDialog*>(this)->SendMessage(WM_NEXTDLGCTL, 0, 0);
}

void CDialog::PrevDlgCtrl() const {
  const_cast<CDialog*>(this)->SendMessage(WM_NEXTDLGCTL, 1, 0);
}

LRESULT CDialog::HandleNextDlgCtl(WPARAM wParam, LPARAM lParam) {
  CWnd* target = nullptr;
  if (LOWORD(lParam))
    target = CWnd::FromHandle(reinterpret_cast<HWND>(wParam));
  else
    target = GetNextDlgTabItem(FocusControl(this), wParam != 0);
  if (target) GotoDlgCtrl(target);
  return 0;
}

// ---- keyboard --------------------------------------------------------------------------------

BOOL CDialog::PreTranslateMessage(MSG* pMsg) {
  if (pMsg->message >= WM_KEYFIRST && pMsg->message <= WM_KEYLAST) return IsDialogMessage(pMsg);
  return FALSE;
}

BOOL CDialog::HandleMnemonic(UINT ch) {
  const QChar key = QChar(static_cast<char16_t>(ch)).toUpper();
  std::vector<CWnd*> all;
  CollectControls(this, all);
  for (size_t i = 0; i < all.size(); ++i) {
    CWnd* c = all[i];
    if (!(c->GetStyle() & WS_VISIBLE) || !c->IsWindowEnabled()) continue;
    CString text;
    c->GetWindowText(text);
    const QString t = text.ToQString();
    bool match = false;
    for (qsizetype k = 0; k + 1 < t.size(); ++k) {
      if (t[k] != QLatin1Char('&')) continue;
      if (t[k + 1] == QLatin1Char('&')) {
        ++k;
        continue;
      }
      match = t[k + 1].toUpper() == key;
      break;
    }
    if (!match) continue;
    const UINT code = DlgCode(c);
    if (code & DLGC_STATIC) {
      // A label gives the focus to the control after it.
      for (size_t j = i + 1; j < all.size(); ++j) {
        if (IsTabStop(all[j])) {
          GotoDlgCtrl(all[j]);
          break;
        }
      }
      return TRUE;
    }
    if (code & DLGC_BUTTON) {
      if (!(code & (DLGC_DEFPUSHBUTTON | DLGC_UNDEFPUSHBUTTON))) GotoDlgCtrl(c);
      c->SendMessage(BM_CLICK);
      return TRUE;
    }
    GotoDlgCtrl(c);
    return TRUE;
  }
  return FALSE;
}

BOOL CDialog::IsDialogMessage(LPMSG lpMsg) {
  if (!lpMsg || !m_hWnd) return FALSE;
  CWnd* target = CWnd::FromHandle(lpMsg->hwnd);
  if (!target || (target != this && !IsChild(target))) return FALSE;
  CWnd* focus = FocusControl(this);
  CWnd* asked = focus ? focus : target;
  const UINT code = (asked && asked != this) ? DlgCode(asked) : 0;

  if (lpMsg->message == WM_SYSKEYDOWN || lpMsg->message == WM_SYSCHAR) {
    const UINT vk = static_cast<UINT>(lpMsg->wParam);
    if (lpMsg->message == WM_SYSKEYDOWN && ((vk >= 'A' && vk <= 'Z') || (vk >= '0' && vk <= '9')))
      return HandleMnemonic(vk);
    return FALSE;
  }
  if (lpMsg->message == WM_CHAR) {
    // Without Alt a letter is a mnemonic only where the focus takes no characters.
    if (code & (DLGC_WANTCHARS | DLGC_WANTALLKEYS)) return FALSE;
    const UINT ch = static_cast<UINT>(lpMsg->wParam);
    if (ch > 32 && HandleMnemonic(ch)) return TRUE;
    return FALSE;
  }
  if (lpMsg->message != WM_KEYDOWN) return FALSE;
  if (code & DLGC_WANTALLKEYS) {
    // An editor inside the control (a label being edited) keeps every key; the control
    // itself keeps Return and Tab.
    CWnd* f = CWnd::GetFocus();
    if (f && focus && f != focus) return FALSE;
    const UINT vk = static_cast<UINT>(lpMsg->wParam);
    if (vk == VK_RETURN || vk == VK_TAB) return FALSE;
  }
  switch (lpMsg->wParam) {
    case VK_F1: {
      // Help for the control with the focus; a control passes it on to its dialog.
      CWnd* about = focus ? focus : this;
      HELPINFO hi{};
      hi.cbSize = sizeof(HELPINFO);
      hi.iContextType = HELPINFO_WINDOW;
      hi.iCtrlId = about->GetDlgCtrlID();
      hi.hItemHandle = about->GetSafeHwnd();
      hi.MousePos = lpMsg->pt;
      about->SendMessage(WM_HELP, 0, reinterpret_cast<LPARAM>(&hi));
      return TRUE;
    }
    case VK_TAB: {
      if (code & DLGC_WANTTAB) return FALSE;
      const BOOL back = GetKeyState(VK_SHIFT) < 0;
      if (CWnd* next = GetNextDlgTabItem(focus, back)) GotoDlgCtrl(next);
      return TRUE;
    }
    case VK_LEFT:
    case VK_UP:
    case VK_RIGHT:
    case VK_DOWN: {
      if (!focus || (code & DLGC_WANTARROWS)) return FALSE;
      const BOOL back = lpMsg->wParam == VK_LEFT || lpMsg->wParam == VK_UP;
      CWnd* next = GetNextDlgGroupItem(focus, back);
      if (next && next != focus) {
        next->SetFocus();
        if ((DlgCode(next) & DLGC_RADIOBUTTON) && (next->GetStyle() & BS_TYPEMASK) == BS_AUTORADIOBUTTON)
          next->SendMessage(BM_CLICK);
      }
      return TRUE;
    }
    case VK_RETURN: {
      UINT id = LOWORD(GetDefID());
      if (focus && (code & (DLGC_DEFPUSHBUTTON | DLGC_UNDEFPUSHBUTTON))) id = static_cast<UINT>(focus->GetDlgCtrlID());
      CWnd* button = GetDlgItem(static_cast<int>(id));
      if (button && !button->IsWindowEnabled()) return TRUE;
      SendMessage(WM_COMMAND, MAKEWPARAM(id, BN_CLICKED), reinterpret_cast<LPARAM>(button ? button->GetSafeHwnd() : nullptr));
      return TRUE;
    }
    case VK_ESCAPE: {
      CWnd* button = GetDlgItem(IDCANCEL);
      if (button && !button->IsWindowEnabled()) return TRUE;
      SendMessage(WM_COMMAND, MAKEWPARAM(IDCANCEL, BN_CLICKED), reinterpret_cast<LPARAM>(button ? button->GetSafeHwnd() : nullptr));
      return TRUE;
    }
    default:
      return FALSE;
  }
}

// ---- buttons ---------------------------------------------------------------------------------

void CDialog::CheckDlgButton(int nIDButton, UINT nCheck) { SendDlgItemMessage(nIDButton, BM_SETCHECK, nCheck); }

UINT CDialog::IsDlgButtonChecked(int nIDButton) const {
  return static_cast<UINT>(SendDlgItemMessage(nIDButton, BM_GETCHECK));
}

void CDialog::CheckRadioButton(int nIDFirstButton, int nIDLastButton, int nIDCheckButton) {
  for (int id = nIDFirstButton; id <= nIDLastButton; ++id)
    SendDlgItemMessage(id, BM_SETCHECK, id == nIDCheckButton ? BST_CHECKED : BST_UNCHECKED);
}

int CDialog::GetCheckedRadioButton(int nIDFirstButton, int nIDLastButton) {
  for (int id = nIDFirstButton; id <= nIDLastButton; ++id)
    if (GetDlgItem(id) && SendDlgItemMessage(id, BM_GETCHECK) == BST_CHECKED) return id;
  return 0;
}
