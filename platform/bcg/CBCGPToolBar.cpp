#include "platform/bcg/CBCGPToolBar.h"

#include <algorithm>
#include <memory>

#include <QtCore/QMimeData>
#include <QtCore/QPointer>
#include <QtCore/QTimer>
#include <QtGui/QDrag>
#include <QtGui/QDragEnterEvent>
#include <QtGui/QMouseEvent>
#include <QtGui/QClipboard>
#include <QtGui/QGuiApplication>
#include <QtWidgets/QApplication>
#include <QtGui/QIcon>
#include <QtGui/QImage>
#include <QtGui/QPixmap>
#include <QtWidgets/QLayout>
#include <QtWidgets/QMainWindow>
#include <QtWidgets/QMenu>
#include <QtWidgets/QToolBar>
#include <QtWidgets/QToolButton>
#include <QtWidgets/QWidgetAction>

#include "platform/afx/CArchive.h"
#include "platform/afx/CArchiveException.h"
#include "platform/afx/CException.h"
#include "platform/afx/CMemFile.h"
#include "platform/afx/FrameworkText.h"
#include "platform/afx/ResourceModule.h"
#include "platform/bcg/BCGPConstants.h"
#include "platform/bcg/CBCGPMDIFrameWnd.h"
#include "platform/bcg/CBCGPPopupMenu.h"
#include "platform/win/CWinApp.h"
#include "platform/bcg/CBCGPPopupMenuBar.h"
#include "platform/bcg/CBCGPRegistry.h"
#include "platform/bcg/CBCGPRegistrySP.h"
#include "platform/bcg/CBCGPToolBarImages.h"
#include "platform/bcg/CBCGPToolbarButton.h"
#include "platform/bcg/CBCGPToolbarMenuButton.h"
#include "platform/win/CMenu.h"
#include "platform/bcg/CImageHash.h"
#include "platform/bcg/CBCGPTooltipManager.h"
#include "platform/win/CCmdUI.h"
#include "platform/win/CFrameWnd.h"

namespace {

// Bounds of what a resource or the stored state may hold.
constexpr int kMaxButtons = 4096;

std::vector<CBCGPToolBar*>& AllBars() {
  static std::vector<CBCGPToolBar*> bars;
  return bars;
}
CObList& AllBarsList() {
  static CObList list;
  return list;
}
void RebuildAllBarsList() {
  AllBarsList().RemoveAll();
  for (CBCGPToolBar* b : AllBars()) AllBarsList().AddTail(b);
}

BOOL g_bCustomizeMode = FALSE;
CBCGPToolBarImages* g_pUserImages = nullptr;

// A control of a button shown in the toolbar. The control belongs to its button, so the action
// never deletes it.
class EmbeddedAction : public QWidgetAction {
public:
  EmbeddedAction(QObject* parent, QWidget* w) : QWidgetAction(parent), m_widget(w) {}

protected:
  QWidget* createWidget(QWidget* parent) override {
    if (!m_widget) return nullptr;
    m_widget->setParent(parent);
    m_widget->show();
    return m_widget;
  }
  void deleteWidget(QWidget* w) override {
    if (w) w->hide();
  }

private:
  QPointer<QWidget> m_widget;
};

const char kButtonMime[] = "application/x-korvan-toolbar-button";

// Hands the toolbar's and its buttons' drag events to the toolbar.
class DragFilter : public QObject {
public:
  DragFilter(QObject* parent, CBCGPToolBar* bar) : QObject(parent), m_bar(bar) {}
  bool eventFilter(QObject* o, QEvent* e) override { return m_bar && m_bar->HandleDragEvent(o, e); }
  // The toolbar object goes before its widget.
  void Detach() { m_bar = nullptr; }

private:
  CBCGPToolBar* m_bar;
};

// Reads a toolbar resource: image size and the button ids (0 for separators).
bool ParseToolbarResource(UINT uiResID, std::vector<UINT>& ids, CSize& imageSize) {
  std::vector<BYTE> data;
  if (!AfxFindResourceData("TOOLBAR", uiResID, data)) return false;
  const QString text = QString::fromUtf8(reinterpret_cast<const char*>(data.data()), static_cast<qsizetype>(data.size()));
  ids.clear();
  imageSize = CSize(16, 15);
  bool header = false;
  for (QString line : text.split(QLatin1Char('\n'))) {
    line = line.trimmed();
    if (line.isEmpty() || line.startsWith(QLatin1Char('#'))) continue;
    const QStringList parts = line.split(QLatin1Char(' '), Qt::SkipEmptyParts);
    const QString kw = parts[0].toUpper();
    bool ok1 = true, ok2 = true;
    if (kw == QLatin1String("TOOLBAR") && parts.size() == 3 && !header) {
      const int w = parts[1].toInt(&ok1), h = parts[2].toInt(&ok2);
      if (!ok1 || !ok2 || w <= 0 || h <= 0 || w > 256 || h > 256) return false;
      imageSize = CSize(w, h);
      header = true;
    } else if (kw == QLatin1String("BUTTON") && parts.size() == 2) {
      const uint id = parts[1].toUInt(&ok1, 0);
      if (!ok1 || id == 0 || id > 0xFFFF) return false;
      ids.push_back(id);
    } else if (kw == QLatin1String("SEPARATOR") && parts.size() == 1) {
      ids.push_back(0);
    } else {
      return false;
    }
    if (static_cast<int>(ids.size()) > kMaxButtons) return false;
  }
  return header;
}

// Adds the images of bitmap uiBmpResID for the commands of ids; returns the image of each id
// (-1 for separators and missing images).
std::vector<int> LoadImagesFor(const std::vector<UINT>& ids, UINT uiBmpResID, CSize imageSize, BOOL bReplace) {
  std::vector<int> images(ids.size(), -1);
  std::vector<BYTE> data;
  if (!AfxFindResourceData("BITMAP", uiBmpResID, data) || data.empty()) return images;
  QImage strip;
  if (!strip.loadFromData(data.data(), static_cast<int>(data.size()))) return images;
  CBCGPToolBarImages* all = CBCGPToolBar::GetImages();
  all->SetImageSize(imageSize);
  CBCGPToolBarImages piece;
  piece.SetImageSize(imageSize);
  piece.SetTransparentColor(all->GetTransparentColor());
  if (piece.AddStrip(strip) < 0) return images;
  int next = 0;
  for (size_t i = 0; i < ids.size(); ++i) {
    if (ids[i] == 0) continue;
    QImage img;
    if (!piece.GetImage(next++, img)) break;
    const int existing = CImageHash::GetImageOfCommand(ids[i]);
    int index;
    if (existing >= 0 && bReplace) {
      all->SetImage(existing, img);
      index = existing;
    } else if (existing >= 0) {
      index = existing;
    } else {
      index = all->AddImage(img);
      CImageHash::Set(ids[i], index);
    }
    images[i] = index;
  }
  return images;
}

// The stored buttons of a toolbar: version, count, then each button with its run-time class.
class CStoredButtons : public CObject {
public:
  std::vector<CBCGPToolbarButton*> buttons;
  ~CStoredButtons() override {
    for (auto* b : buttons) delete b;
  }
  void Serialize(CArchive& ar) override {
    if (ar.IsStoring()) {
      ar << 1 << static_cast<int>(buttons.size());
      for (auto* b : buttons) ar.WriteObject(b);
      return;
    }
    int version = 0, count = 0;
    ar >> version >> count;
    if (version != 1 || count < 0 || count > kMaxButtons) AfxThrowArchiveException(CArchiveException::badIndex);
    for (int i = 0; i < count; ++i) {
      CObject* o = ar.ReadObject(RUNTIME_CLASS(CBCGPToolbarButton));
      auto* b = DYNAMIC_DOWNCAST(CBCGPToolbarButton, o);
      if (!b) {
        delete o;
        AfxThrowArchiveException(CArchiveException::badClass);
      }
      buttons.push_back(b);
    }
  }
};

// State updates of the buttons from the frame's update handlers.
class CToolCmdUI : public CCmdUI {
public:
  CBCGPToolbarButton* button = nullptr;
  void Enable(BOOL bOn) override {
    m_bEnableChanged = TRUE;
    button->m_nStyle = bOn ? (button->m_nStyle & ~TBBS_DISABLED) : (button->m_nStyle | TBBS_DISABLED);
  }
  void SetCheck(int nCheck) override {
    button->m_nStyle &= ~(TBBS_CHECKED | TBBS_INDETERMINATE);
    if (nCheck == 1) button->m_nStyle |= TBBS_CHECKED;
    if (nCheck == 2) button->m_nStyle |= TBBS_INDETERMINATE;
  }
  void SetRadio(BOOL bOn) override { SetCheck(bOn ? 1 : 0); }
  void SetText(LPCTSTR) override {}
};

// State updates of drop-down menu items.
class CMenuCmdUI : public CCmdUI {
public:
  QAction* action = nullptr;
  void Enable(BOOL bOn) override {
    m_bEnableChanged = TRUE;
    action->setEnabled(bOn != FALSE);
  }
  void SetCheck(int nCheck) override {
    action->setCheckable(nCheck != 0);
    action->setChecked(nCheck != 0);
  }
  void SetRadio(BOOL bOn) override { SetCheck(bOn ? 1 : 0); }
  void SetText(LPCTSTR lpszText) override {
    if (lpszText) action->setText(QString::fromStdU16String(std::u16string(lpszText)));
  }
};

QString CommandText(UINT id, bool tooltip) {
  std::u16string s;
  if (!AfxLoadStringResource(id, s)) return QString();
  const QString text = QString::fromStdU16String(s);
  const qsizetype nl = text.indexOf(QLatin1Char('\n'));
  if (nl < 0) return text;
  return tooltip ? text.mid(nl + 1) : text.left(nl);
}

}  // namespace

IMPLEMENT_SERIAL(CBCGPToolBar, CBCGPControlBar, VERSIONABLE_SCHEMA | 1)

BEGIN_MESSAGE_MAP(CBCGPToolBar, CBCGPControlBar)
  ON_WM_DESTROY()
END_MESSAGE_MAP()

CBCGPToolBar::CBCGPToolBar() = default;

namespace {
void DetachDragFilter(QWidget* strip) {
  if (!strip) return;
  if (QObject* f = strip->property("kcDragFilter").value<QObject*>()) static_cast<DragFilter*>(f)->Detach();
}
}  // namespace

CBCGPToolBar::~CBCGPToolBar() {
  DetachDragFilter(GetLayoutWidget());
  Unregister();
  if (auto* frame = DYNAMIC_DOWNCAST(CBCGPMDIFrameWnd, m_pDockSite)) frame->RemoveControlBar(this);
  ClearActions();
  ClearButtons();
}

void CBCGPToolBar::ClearButtons() {
  for (auto* b : m_buttons) {
    b->OnCancelMode();
    delete b;
  }
  m_buttons.clear();
}

void CBCGPToolBar::Register() {
  if (std::find(AllBars().begin(), AllBars().end(), this) == AllBars().end()) AllBars().push_back(this);
  RebuildAllBarsList();
}

void CBCGPToolBar::Unregister() {
  auto& bars = AllBars();
  bars.erase(std::remove(bars.begin(), bars.end(), this), bars.end());
  RebuildAllBarsList();
}

BOOL CBCGPToolBar::Create(CWnd* pParentWnd, DWORD dwStyle, UINT nID) {
  return CreateEx(pParentWnd, TBSTYLE_FLAT, dwStyle, CRect(1, 1, 1, 1), nID);
}

BOOL CBCGPToolBar::CreateEx(CWnd* pParentWnd, DWORD dwCtrlStyle, DWORD dwStyle, CRect, UINT nID) {
  if (!pParentWnd || !pParentWnd->m_hWnd) return FALSE;
  m_dwCtrlStyle = dwCtrlStyle;
  m_dwStyle = dwStyle & CBRS_ALL;
  auto* tb = new QToolBar;
  tb->setIconSize(QSize(16, 16));
  tb->setToolButtonStyle(Qt::ToolButtonIconOnly);
  tb->setContextMenuPolicy(Qt::CustomContextMenu);
  QObject::connect(tb, &QWidget::customContextMenuRequested, tb, [this, tb](const QPoint& pos) {
    QAction* a = tb->actionAt(pos);
    auto it = std::find(m_actions.begin(), m_actions.end(), a);
    const QPoint g = tb->mapToGlobal(pos);
    OnContextMenuAt(a && it != m_actions.end() ? static_cast<int>(it - m_actions.begin()) : -1, CPoint(g.x(), g.y()));
  });
  tb->setAcceptDrops(true);
  // Docked on the left or right the buttons are laid out again: control buttons show as plain ones.
  // Later, once the bar has its new place.
  QObject::connect(tb, &QToolBar::orientationChanged, tb, [this, tb](Qt::Orientation) {
    QTimer::singleShot(0, tb, [this]() { AdjustLayout(); });
  });
  auto* dragFilter = new DragFilter(tb, this);
  tb->installEventFilter(dragFilter);
  tb->setProperty("kcDragFilter", QVariant::fromValue<QObject*>(dragFilter));
  const DWORD wndStyle = (dwStyle & ~CBRS_ALL) | WS_CHILD;
  if (!CreateFromWidget(tb, wndStyle, CRect(0, 0, 0, 0), pParentWnd, nID)) {
    delete tb;
    return FALSE;
  }
  SetLayoutWidget(tb);
  // The strip paints its own background wherever it sits (a frame's rows or inside another bar).
  tb->setAttribute(Qt::WA_OpaquePaintEvent, false);
  tb->setAutoFillBackground(true);
  tb->setObjectName(QString::fromStdU16String(std::u16string(GetLayoutName())));
  if (auto* frame = DYNAMIC_DOWNCAST(CBCGPMDIFrameWnd, pParentWnd))
    frame->AddToolBar(this);
  else
    m_pDockSite = DYNAMIC_DOWNCAST(CFrameWnd, pParentWnd);
  Register();
  return TRUE;
}

void CBCGPToolBar::OnDestroy() {
  DetachDragFilter(GetLayoutWidget());
  Unregister();
  ClearActions();
  CBCGPControlBar::OnDestroy();
}

BOOL CBCGPToolBar::BuildFromResource(UINT uiResID, BOOL bImages, UINT uiImagesResID) {
  std::vector<UINT> ids;
  CSize imageSize;
  if (!ParseToolbarResource(uiResID, ids, imageSize)) return FALSE;
  std::vector<int> images(ids.size(), -1);
  if (bImages) images = LoadImagesFor(ids, uiImagesResID, imageSize, FALSE);
  m_originalIds = ids;
  m_uiOriginalResID = uiResID;
  ClearButtons();
  for (size_t i = 0; i < ids.size(); ++i) {
    CBCGPToolbarButton* b;
    if (ids[i] == 0) {
      b = new CBCGPToolbarButton;
      b->m_nStyle = TBBS_SEPARATOR;
    } else {
      const int image = images[i] >= 0 ? images[i] : CImageHash::GetImageOfCommand(ids[i]);
      b = new CBCGPToolbarButton(ids[i], image, nullptr, FALSE, m_bLocked);
    }
    m_buttons.push_back(b);
    b->OnChangeParentWnd(this);
  }
  AdjustLayout();
  return TRUE;
}

BOOL CBCGPToolBar::LoadToolBar(UINT uiResID, UINT, UINT, BOOL bLocked, UINT, UINT, UINT uiHotResID) {
  m_bLocked = bLocked;
  UINT imagesRes = uiResID;
  if (!AfxFindResourceModule("BITMAP", uiResID) && uiHotResID) imagesRes = uiHotResID;
  if (!BuildFromResource(uiResID, TRUE, imagesRes)) return FALSE;
  if (CWnd* frame = m_pDockSite; frame && frame->m_hWnd) frame->SendMessage(BCGM_RESETTOOLBAR, uiResID, 0);
  return TRUE;
}

BOOL CBCGPToolBar::LoadBitmap(UINT uiResID, UINT, UINT, BOOL, UINT, UINT) {
  if (m_originalIds.empty()) return FALSE;
  std::vector<UINT> ids;
  CSize imageSize;
  if (!ParseToolbarResource(m_uiOriginalResID, ids, imageSize)) return FALSE;
  const std::vector<int> images = LoadImagesFor(ids, uiResID, imageSize, TRUE);
  if (std::all_of(images.begin(), images.end(), [](int i) { return i < 0; })) return FALSE;
  for (size_t i = 0; i < ids.size(); ++i) {
    if (images[i] < 0) continue;
    for (auto* b : m_buttons)
      if (b->m_nID == ids[i] && !b->m_bUserButton) b->SetImage(images[i]);
  }
  AdjustLayout();
  return TRUE;
}

BOOL CBCGPToolBar::SetButtons(const UINT* lpIDArray, int nIDCount) {
  if (nIDCount < 0 || nIDCount > kMaxButtons) return FALSE;
  ClearButtons();
  m_originalIds.clear();
  for (int i = 0; i < nIDCount; ++i) {
    const UINT id = lpIDArray ? lpIDArray[i] : 0;
    auto* b = new CBCGPToolbarButton(id, id ? CImageHash::GetImageOfCommand(id) : -1);
    if (id == 0) b->m_nStyle = TBBS_SEPARATOR;
    m_buttons.push_back(b);
    m_originalIds.push_back(id);
    b->OnChangeParentWnd(this);
  }
  AdjustLayout();
  return TRUE;
}

CBCGPToolbarButton* CBCGPToolBar::GetButton(int iIndex) const {
  if (iIndex < 0 || iIndex >= GetCount()) return nullptr;
  return m_buttons[static_cast<size_t>(iIndex)];
}

UINT CBCGPToolBar::GetItemID(int iIndex) const {
  CBCGPToolbarButton* b = GetButton(iIndex);
  return b ? b->m_nID : 0;
}

int CBCGPToolBar::CommandToIndex(UINT nIDFind, int iIndexFirst) const {
  for (int i = std::max(iIndexFirst, 0); i < GetCount(); ++i)
    if (!m_buttons[static_cast<size_t>(i)]->IsSeparator() && m_buttons[static_cast<size_t>(i)]->m_nID == nIDFind)
      return i;
  return -1;
}

int CBCGPToolBar::InsertButton(const CBCGPToolbarButton& button, INT_PTR iInsertAt) {
  if (GetCount() >= kMaxButtons) return -1;
  CRuntimeClass* rc = button.GetRuntimeClass();
  CObject* o = rc ? rc->CreateObject() : nullptr;
  auto* copy = DYNAMIC_DOWNCAST(CBCGPToolbarButton, o);
  if (!copy) {
    delete o;
    return -1;
  }
  copy->CopyFrom(button);
  if (iInsertAt < 0 || iInsertAt > GetCount()) iInsertAt = GetCount();
  m_buttons.insert(m_buttons.begin() + iInsertAt, copy);
  copy->OnChangeParentWnd(this);
  return static_cast<int>(iInsertAt);
}

int CBCGPToolBar::InsertSeparator(INT_PTR iInsertAt) {
  CBCGPToolbarButton sep;
  sep.m_nStyle = TBBS_SEPARATOR;
  return InsertButton(sep, iInsertAt);
}

BOOL CBCGPToolBar::RemoveButton(int iButton) {
  CBCGPToolbarButton* b = GetButton(iButton);
  if (!b) return FALSE;
  m_buttons.erase(m_buttons.begin() + iButton);
  b->OnCancelMode();
  b->OnChangeParentWnd(nullptr);
  delete b;
  return TRUE;
}

void CBCGPToolBar::RemoveAllButtons() {
  ClearButtons();
  AdjustLayout();
}

int CBCGPToolBar::ReplaceButton(UINT uiCmd, const CBCGPToolbarButton& button, BOOL bAll) {
  int count = 0;
  for (int i = CommandToIndex(uiCmd); i >= 0; i = CommandToIndex(uiCmd, i + 1)) {
    RemoveButton(i);
    if (InsertButton(button, i) < 0) break;
    ++count;
    if (!bAll) break;
  }
  if (count) AdjustLayout();
  return count;
}

void CBCGPToolBar::SetButtonStyle(int nIndex, UINT nStyle) {
  if (CBCGPToolbarButton* b = GetButton(nIndex)) {
    b->SetStyle(nStyle);
    SyncButtonStates();
  }
}

UINT CBCGPToolBar::GetButtonStyle(int nIndex) const {
  CBCGPToolbarButton* b = GetButton(nIndex);
  return b ? b->m_nStyle : 0;
}

BOOL CBCGPToolBar::SetButtonText(int iIndex, LPCTSTR lpszText) {
  CBCGPToolbarButton* b = GetButton(iIndex);
  if (!b) return FALSE;
  b->m_strText = lpszText ? lpszText : u"";
  AdjustLayout();
  return TRUE;
}

CString CBCGPToolBar::GetButtonText(int iIndex) const {
  CBCGPToolbarButton* b = GetButton(iIndex);
  return b ? b->m_strText : CString();
}

void CBCGPToolBar::AdjustLayout() {
  auto* tb = qobject_cast<QToolBar*>(GetLayoutWidget());
  if (!tb) return;
  ClearActions();
  auto* frame = DYNAMIC_DOWNCAST(CBCGPMDIFrameWnd, m_pDockSite);
  const BOOL horizontal = tb->orientation() == Qt::Horizontal;
  for (size_t i = 0; i < m_buttons.size(); ++i) {
    CBCGPToolbarButton* b = m_buttons[i];
    b->SetHorizontal(horizontal);
    QAction* a;
    if (b->IsSeparator()) {
      a = tb->addSeparator();
    } else if (QWidget* w = b->GetEmbeddedWidget()) {
      a = new EmbeddedAction(tb, w);
      tb->addAction(a);
      CString custom;
      if (b->OnGetCustomToolTipText(custom)) w->setToolTip(QString::fromStdU16String(std::u16string(custom)));
    } else {
      a = tb->addAction(QString());
      QImage img;
      const bool user = b->m_bUserButton && g_pUserImages;
      const int image = user ? b->m_iUserImage : (b->m_iImage >= 0 ? b->m_iImage : CImageHash::GetImageOfCommand(b->m_nID));
      if (b->m_bImage && (user ? g_pUserImages : GetImages())->GetImage(image, img))
        a->setIcon(QIcon(QPixmap::fromImage(img)));
      QString text = b->m_strText.IsEmpty() ? CommandText(b->m_nID, false) : QString::fromStdU16String(std::u16string(b->m_strText));
      text.remove(QLatin1Char('&'));
      a->setText(text);
      CString tip;
      QString tipText;
      if (b->OnGetCustomToolTipText(tip) || OnUserToolTip(b, tip))
        tipText = QString::fromStdU16String(std::u16string(tip));
      else if (frame && frame->GetToolbarButtonToolTipText(b, tip))
        tipText = QString::fromStdU16String(std::u16string(tip));
      else
        tipText = CommandText(b->m_nID, true);
      // With the tool tip manager's descriptions the command's status text goes below.
      CBCGPTooltipManager* tm = CBCGPTooltipManager::GetInstance();
      const QString description = CommandText(b->m_nID, false);
      if (tm && tm->ShowsDescriptions(BCGP_TOOLTIP_TYPE_TOOLBAR) && !description.isEmpty() && description != tipText)
        tipText = QStringLiteral("<b>%1</b><br>%2").arg(tipText.toHtmlEscaped(), description.toHtmlEscaped());
      a->setToolTip(tipText);
      QObject::connect(a, &QAction::triggered, tb, [this, a]() {
        auto it = std::find(m_actions.begin(), m_actions.end(), a);
        if (it != m_actions.end()) ClickButton(static_cast<int>(it - m_actions.begin()));
      });
      if (auto* button = qobject_cast<QToolButton*>(tb->widgetForAction(a))) {
        // What the button shows: its image, its text, or both.
        const bool hasIcon = !a->icon().isNull();
        button->setToolButtonStyle(!hasIcon ? Qt::ToolButtonTextOnly
                                   : b->m_bText ? Qt::ToolButtonTextBesideIcon : Qt::ToolButtonIconOnly);
      }
      if (QMenu* menu = b->CreateDropDownMenu(tb)) {
        m_menus.push_back(menu);
        a->setMenu(menu);
        QObject::connect(menu, &QMenu::triggered, tb, [this, a](QAction* chosen) {
          if (chosen->property("kcTearOff").toBool()) {
            auto it = std::find(m_actions.begin(), m_actions.end(), a);
            if (it != m_actions.end()) TearOffButton(static_cast<int>(it - m_actions.begin()));
            return;
          }
          const UINT cmd = chosen->data().toUInt();
          if (cmd) OnDropDownCommand(a, cmd);
        });
        QObject::connect(menu, &QMenu::aboutToShow, tb, [this, menu, a]() {
          RefillDropDown(menu, a);
          UpdateMenuState(menu);
        });
        if (auto* button = qobject_cast<QToolButton*>(tb->widgetForAction(a))) {
          button->setPopupMode(b->m_nID == 0 ? QToolButton::InstantPopup : QToolButton::MenuButtonPopup);
          // A plain popup (a menu bar's title) opens on click and needs no arrow beside its text.
          if (b->m_nID == 0) button->setStyleSheet(QStringLiteral("QToolButton::menu-indicator { image: none; width: 0px; }"));
        }
      }
    }
    m_actions.push_back(a);
  }
  // Buttons can be dragged away in customisation mode.
  QObject* filter = tb->property("kcDragFilter").value<QObject*>();
  for (QAction* a : m_actions)
    if (QWidget* w = tb->widgetForAction(a); w && filter) w->installEventFilter(filter);
  if (m_iCustomizeCmd > 0) {
    tb->addSeparator();
    QAction* a = tb->addAction(QStringLiteral("\u00BB"));
    a->setToolTip(QString::fromStdU16String(std::u16string(m_strCustomizeText)));
    const UINT cmd = static_cast<UINT>(m_iCustomizeCmd);
    QObject::connect(a, &QAction::triggered, tb, [this, cmd]() {
      if (CWnd* target = GetCommandTarget()) target->PostMessage(WM_COMMAND, cmd, 0);
    });
  }
  SyncButtonStates();
}

void CBCGPToolBar::BuildCustomizeMenu(CMenu& menu, int iButton) {
  const auto text = [](UINT id, const char16_t* english) { return AfxLoadFrameworkText(id, english); };
  CBCGPToolbarButton* b = GetButton(iButton);
  menu.CreatePopupMenu();
  if (b && !b->IsSeparator()) {
    const BOOL group = iButton > 0 && GetButton(iButton - 1)->IsSeparator();
    menu.AppendMenu(MF_STRING, ID_CUSTOMIZE_BUTTON_RESET, text(IDS_BCGP_BUTTON_RESET, u"&Reset"));
    menu.AppendMenu(MF_STRING, ID_CUSTOMIZE_BUTTON_COPY_IMAGE, text(IDS_BCGP_BUTTON_COPY_IMAGE, u"&Copy button image"));
    menu.AppendMenu(MF_STRING | (b->IsLocked() ? MF_GRAYED : 0), ID_CUSTOMIZE_BUTTON_DELETE,
                    text(IDS_BCGP_BUTTON_DELETE, u"&Delete"));
    menu.AppendMenu(MF_SEPARATOR);
    menu.AppendMenu(MF_STRING | (b->m_bImage && !b->m_bText ? MF_CHECKED : 0), ID_CUSTOMIZE_BUTTON_IMAGE_ONLY,
                    text(IDS_BCGP_BUTTON_IMAGE_ONLY, u"&Image only"));
    menu.AppendMenu(MF_STRING | (!b->m_bImage ? MF_CHECKED : 0), ID_CUSTOMIZE_BUTTON_TEXT_ONLY,
                    text(IDS_BCGP_BUTTON_TEXT_ONLY, u"Te&xt only"));
    menu.AppendMenu(MF_STRING | (b->m_bImage && b->m_bText ? MF_CHECKED : 0), ID_CUSTOMIZE_BUTTON_IMAGE_AND_TEXT,
                    text(IDS_BCGP_BUTTON_IMAGE_AND_TEXT, u"Image and &text"));
    menu.AppendMenu(MF_SEPARATOR);
    menu.AppendMenu(MF_STRING | (group ? MF_CHECKED : 0) | (iButton > 0 ? 0 : MF_GRAYED),
                    ID_CUSTOMIZE_BUTTON_BEGIN_GROUP, text(IDS_BCGP_BUTTON_BEGIN_GROUP, u"Begin a &group"));
    menu.AppendMenu(MF_SEPARATOR);
    // The button greys or checks what does not apply to it.
    b->OnCustomizeMenu(&menu);
  }
  menu.AppendMenu(MF_STRING | (m_uiOriginalResID || !m_originalIds.empty() ? 0 : MF_GRAYED), kResetToolbarItem,
                  text(IDS_BCGP_RESET_TOOLBAR, u"Reset tool&bar"));
}

void CBCGPToolBar::OnContextMenuAt(int iButton, CPoint ptScreen) {
  if (!IsCustomizeMode()) {
    OnControlBarContextMenu(m_pDockSite, ptScreen);
    return;
  }
  CBCGPToolbarButton* b = GetButton(iButton);
  CMenu menu;
  BuildCustomizeMenu(menu, iButton);
  const UINT cmd = static_cast<UINT>(menu.TrackPopupMenu(TPM_RETURNCMD | TPM_LEFTALIGN, ptScreen.x, ptScreen.y, this));
  // The button may have gone while the menu was open.
  if (cmd != kResetToolbarItem && (!b || GetButton(iButton) != b)) return;
  switch (cmd) {
    case ID_CUSTOMIZE_BUTTON_RESET:
      b->m_strText.Empty();
      b->m_bText = FALSE;
      b->m_bImage = TRUE;
      if (!b->m_bUserButton && CImageHash::GetImageOfCommand(b->m_nID) >= 0)
        b->SetImage(CImageHash::GetImageOfCommand(b->m_nID));
      AdjustLayout();
      break;
    case ID_CUSTOMIZE_BUTTON_COPY_IMAGE: {
      QImage img;
      const bool user = b->m_bUserButton && g_pUserImages;
      const int image = user ? b->m_iUserImage : (b->m_iImage >= 0 ? b->m_iImage : CImageHash::GetImageOfCommand(b->m_nID));
      if ((user ? g_pUserImages : GetImages())->GetImage(image, img)) QGuiApplication::clipboard()->setImage(img);
      break;
    }
    case ID_CUSTOMIZE_BUTTON_DELETE:
      if (RemoveButton(iButton)) AdjustLayout();
      break;
    case ID_CUSTOMIZE_BUTTON_IMAGE_ONLY:
    case ID_CUSTOMIZE_BUTTON_TEXT_ONLY:
    case ID_CUSTOMIZE_BUTTON_IMAGE_AND_TEXT:
      b->m_bImage = cmd != ID_CUSTOMIZE_BUTTON_TEXT_ONLY;
      b->m_bText = cmd != ID_CUSTOMIZE_BUTTON_IMAGE_ONLY;
      AdjustLayout();
      break;
    case ID_CUSTOMIZE_BUTTON_BEGIN_GROUP:
      if (iButton > 0 && GetButton(iButton - 1)->IsSeparator())
        RemoveButton(iButton - 1);
      else
        InsertSeparator(iButton);
      AdjustLayout();
      break;
    case kResetToolbarItem:
      RestoreOriginalstate();
      break;
    default:
      break;
  }
}

BOOL CBCGPToolBar::OnDrop(COleDataObject*, DROPEFFECT, CPoint point) {
  if (!m_pDragButton) return FALSE;
  return DropButton(*m_pDragButton, point) >= 0;
}

DROPEFFECT CBCGPToolBar::OnDragEnter(COleDataObject* pDataObject, DWORD dwKeyState, CPoint point) {
  m_iDragIndex = -1;
  return OnDragOver(pDataObject, dwKeyState, point);
}

void CBCGPToolBar::OnDragLeave() {
  if (!m_rectDrag.IsRectEmpty() && m_hWnd) {
    CRect r(m_rectDrag);
    r.InflateRect(2, 2);
    InvalidateRect(&r);
    UpdateWindow();
  }
  m_rectDrag.SetRectEmpty();
  m_iDragIndex = -1;
  m_bDropSource = FALSE;
}

DROPEFFECT CBCGPToolBar::OnDragOver(COleDataObject*, DWORD dwKeyState, CPoint point) {
  if (!IsCustomizeMode()) return DROPEFFECT_NONE;
  m_iDragIndex = FindDropIndex(point, m_rectDrag);
  if (m_iDragIndex < 0) return DROPEFFECT_NONE;
  return (dwKeyState & MK_CONTROL) ? DROPEFFECT_COPY : DROPEFFECT_MOVE;
}

int CBCGPToolBar::FindDropIndex(const CPoint point, CRect& rectDrag) const {
  rectDrag.SetRectEmpty();
  auto* tb = qobject_cast<QToolBar*>(GetLayoutWidget());
  if (!tb || m_bLocked) return -1;
  // Buttons just laid out get their places first.
  if (QLayout* l = tb->layout()) l->activate();
  const bool vertical = tb->orientation() == Qt::Vertical;
  for (size_t i = 0; i < m_actions.size(); ++i) {
    QWidget* w = tb->widgetForAction(m_actions[i]);
    if (!w) continue;
    const QRect g = w->geometry();
    const int mid = vertical ? g.center().y() : g.center().x();
    const int at = vertical ? point.y : point.x;
    if (at < mid) {
      rectDrag = vertical ? CRect(g.left(), g.top() - 2, g.right() + 1, g.top() + 2)
                          : CRect(g.left() - 2, g.top(), g.left() + 2, g.bottom() + 1);
      return static_cast<int>(i);
    }
  }
  return static_cast<int>(m_buttons.size());
}

int CBCGPToolBar::DropButton(const CBCGPToolbarButton& button, CPoint point) {
  if (!IsCustomizeMode()) return -1;
  CRect marker;
  const int at = FindDropIndex(point, marker);
  if (at < 0) return -1;
  const int index = InsertButton(button, at);
  if (index >= 0) AdjustLayout();
  return index;
}

QMimeData* CBCGPToolBar::CreateButtonMimeData(const CBCGPToolbarButton& button) {
  CMemFile file;
  QByteArray bytes;
  try {
    {
      CArchive ar(&file, CArchive::store);
      ar.WriteObject(&button);
      ar.Close();
    }
    bytes.resize(static_cast<qsizetype>(file.GetLength()));
    file.SeekToBegin();
    if (!bytes.isEmpty()) file.Read(bytes.data(), static_cast<UINT>(bytes.size()));
  } catch (CException* e) {
    e->Delete();
    return nullptr;
  }
  auto* data = new QMimeData;
  data->setData(QString::fromLatin1(kButtonMime), bytes);
  return data;
}

CBCGPToolbarButton* CBCGPToolBar::ButtonFromMimeData(const QMimeData* pData) {
  if (!pData || !pData->hasFormat(QString::fromLatin1(kButtonMime))) return nullptr;
  QByteArray bytes = pData->data(QString::fromLatin1(kButtonMime));
  if (bytes.isEmpty() || bytes.size() > 1024 * 1024) return nullptr;
  CMemFile file(reinterpret_cast<BYTE*>(bytes.data()), static_cast<UINT>(bytes.size()));
  CObject* o = nullptr;
  try {
    CArchive ar(&file, CArchive::load);
    o = ar.ReadObject(RUNTIME_CLASS(CBCGPToolbarButton));
    ar.Close();
  } catch (CException* e) {
    e->Delete();
    delete o;
    return nullptr;
  }
  auto* b = DYNAMIC_DOWNCAST(CBCGPToolbarButton, o);
  if (!b) delete o;
  return b;
}

bool CBCGPToolBar::HandleDragEvent(QObject* pTarget, QEvent* pEvent) {
  auto* tb = qobject_cast<QToolBar*>(GetLayoutWidget());
  if (!tb || !IsCustomizeMode()) return false;
  auto toBar = [&](const QPointF& p) {
    const QPoint q = pTarget == tb ? p.toPoint() : static_cast<QWidget*>(pTarget)->mapTo(tb, p.toPoint());
    return CPoint(q.x(), q.y());
  };
  switch (pEvent->type()) {
    case QEvent::MouseButtonPress: {
      auto* me = static_cast<QMouseEvent*>(pEvent);
      if (pTarget == tb || me->button() != Qt::LeftButton) return false;
      // A toolbar whose buttons stay where they are takes the press without picking anything up.
      if (!CanStartButtonDrag()) return true;
      // A button pressed in customisation mode is picked up, not clicked.
      pTarget->setProperty("kcDragFrom", me->position().toPoint());
      return true;
    }
    case QEvent::MouseMove: {
      auto* me = static_cast<QMouseEvent*>(pEvent);
      const QVariant from = pTarget->property("kcDragFrom");
      if (pTarget == tb || !from.isValid() || !(me->buttons() & Qt::LeftButton)) return false;
      if ((me->position().toPoint() - from.toPoint()).manhattanLength() < QApplication::startDragDistance()) return true;
      pTarget->setProperty("kcDragFrom", QVariant());
      int index = -1;
      for (size_t i = 0; i < m_actions.size(); ++i)
        if (tb->widgetForAction(m_actions[i]) == pTarget) index = static_cast<int>(i);
      CBCGPToolbarButton* b = GetButton(index);
      if (!b || b->IsLocked() || !b->OnBeforeDrag()) return true;
      // The drag runs once this event is done: the drop may rebuild the buttons' widgets.
      QTimer::singleShot(0, tb, [this, b]() { StartButtonDrag(b); });
      return true;
    }
    case QEvent::MouseButtonRelease:
      if (pTarget == tb) return false;
      pTarget->setProperty("kcDragFrom", QVariant());
      return true;
    case QEvent::DragEnter:
    case QEvent::DragMove: {
      auto* de = static_cast<QDragMoveEvent*>(pEvent);
      std::unique_ptr<CBCGPToolbarButton> b(ButtonFromMimeData(de->mimeData()));
      if (!b) return false;
      m_pDragButton = b.get();
      const DROPEFFECT effect = pEvent->type() == QEvent::DragEnter
                                    ? OnDragEnter(nullptr, 0, toBar(de->position()))
                                    : OnDragOver(nullptr, 0, toBar(de->position()));
      m_pDragButton = nullptr;
      if (effect == DROPEFFECT_NONE) {
        de->ignore();
      } else {
        de->acceptProposedAction();
      }
      return true;
    }
    case QEvent::DragLeave:
      OnDragLeave();
      return true;
    case QEvent::Drop: {
      auto* de = static_cast<QDropEvent*>(pEvent);
      std::unique_ptr<CBCGPToolbarButton> b(ButtonFromMimeData(de->mimeData()));
      if (!b) return false;
      m_pDragButton = b.get();
      const BOOL ok = OnDrop(nullptr, DROPEFFECT_MOVE, toBar(de->position()));
      m_pDragButton = nullptr;
      m_rectDrag.SetRectEmpty();
      m_iDragIndex = -1;
      if (ok) {
        de->setDropAction(de->proposedAction());
        de->accept();
      } else {
        de->ignore();
      }
      return true;
    }
    default:
      return false;
  }
}

void CBCGPToolBar::StartButtonDrag(CBCGPToolbarButton* pButton) {
  auto* tb = qobject_cast<QToolBar*>(GetLayoutWidget());
  if (!tb || std::find(m_buttons.begin(), m_buttons.end(), pButton) == m_buttons.end()) return;
  QMimeData* data = CreateButtonMimeData(*pButton);
  if (!data) return;
  auto* drag = new QDrag(tb);
  drag->setMimeData(data);
  m_bDropSource = TRUE;
  const Qt::DropAction done = drag->exec(Qt::MoveAction | Qt::CopyAction, Qt::MoveAction);
  m_bDropSource = FALSE;
  // A button moved elsewhere leaves its old place (the copy dropped is another object).
  auto it = std::find(m_buttons.begin(), m_buttons.end(), pButton);
  if (done == Qt::MoveAction && it != m_buttons.end()) {
    RemoveButton(static_cast<int>(it - m_buttons.begin()));
    AdjustLayout();
  }
}

CBCGPToolBar* CBCGPToolBar::TearOffButton(int iIndex) {
  auto* b = DYNAMIC_DOWNCAST(CBCGPToolbarMenuButton, GetButton(iIndex));
  auto* frame = DYNAMIC_DOWNCAST(CBCGPMDIFrameWnd, m_pDockSite);
  if (!b || !frame || !b->GetTearOffBarID()) return nullptr;
  return frame->TearOffMenu(b);
}

void CBCGPToolBar::ClearActions() {
  auto* tb = qobject_cast<QToolBar*>(GetLayoutWidget());
  if (tb) {
    const QList<QAction*> old = tb->actions();
    tb->clear();
    // Controls go back to their buttons before their actions go.
    for (QAction* a : old)
      if (a->parent() == tb) delete a;
  }
  for (QMenu* m : m_menus) delete m;
  m_menus.clear();
  m_actions.clear();
}

void CBCGPToolBar::OnDropDownCommand(QAction* a, UINT uiCmd) {
  auto it = std::find(m_actions.begin(), m_actions.end(), a);
  if (it == m_actions.end()) return;
  CBCGPToolbarButton* b = GetButton(static_cast<int>(it - m_actions.begin()));
  if (!b || IsCustomizeMode()) return;
  b->OnMenuCommandChosen(uiCmd);
  if (CWnd* target = GetCommandTarget(); target && target->m_hWnd)
    target->PostMessage(WM_COMMAND, MAKEWPARAM(uiCmd, 0), 0);
}

namespace {

// Lets the frame change one level of a drop-down as it changes a popup's items before they show
// (CBCGPMDIFrameWnd::OnShowPopupMenu): the items become the buttons of a popup that is never shown,
// and what the frame made of them becomes the level's items again.
void OfferLevelToFrame(QMenu* menu, CBCGPMDIFrameWnd* frame) {
  for (QAction* a : menu->actions())
    if (QMenu* sub = a->menu()) OfferLevelToFrame(sub, frame);
  const QList<QAction*> old = menu->actions();
  CBCGPPopupMenu popup;
  CBCGPPopupMenuBar* bar = popup.GetMenuBar();
  for (qsizetype i = 0; i < old.size(); ++i) {
    QAction* a = old[i];
    CBCGPToolbarButton b(a->isSeparator() || a->menu() ? 0 : a->data().toUInt(), -1,
                         CString::FromQString(a->menu() ? a->menu()->title() : a->text()));
    if (a->isSeparator()) b.m_nStyle |= TBBS_SEPARATOR;
    b.m_dwdItemData = static_cast<DWORD_PTR>(i + 1);
    bar->InsertButton(b);
  }
  if (!frame->OnShowPopupMenu(&popup)) {
    for (QAction* a : old) a->setVisible(false);
    return;
  }
  bool same = bar->GetCount() == old.size();
  for (int i = 0; same && i < bar->GetCount(); ++i) same = bar->GetButton(i)->m_dwdItemData == static_cast<DWORD_PTR>(i + 1);
  if (same) return;
  std::vector<bool> kept(static_cast<size_t>(old.size()), false);
  for (QAction* a : old) menu->removeAction(a);
  for (int i = 0; i < bar->GetCount(); ++i) {
    CBCGPToolbarButton* b = bar->GetButton(i);
    const DWORD_PTR from = b->m_dwdItemData;
    if (from >= 1 && from <= static_cast<DWORD_PTR>(old.size()) && !kept[from - 1]) {
      kept[from - 1] = true;
      menu->addAction(old[static_cast<qsizetype>(from - 1)]);
    } else if (b->IsSeparator()) {
      menu->addSeparator();
    } else {
      QString text = QString::fromStdU16String(std::u16string(b->m_strText));
      QAction* a = menu->addAction(text);
      a->setData(b->m_nID);
      a->setEnabled(!(b->m_nStyle & TBBS_DISABLED));
      if (b->m_nStyle & TBBS_CHECKED) {
        a->setCheckable(true);
        a->setChecked(true);
      }
    }
  }
  for (qsizetype i = 0; i < old.size(); ++i)
    if (!kept[static_cast<size_t>(i)] && old[i]->parent() == menu) old[i]->deleteLater();
}

}  // namespace

void CBCGPToolBar::RefillDropDown(QMenu* menu, QAction* action) {
  // A toolbar that is not docked (one inside a view) lets the main frame fill its drop-downs.
  auto* frame = DYNAMIC_DOWNCAST(CBCGPMDIFrameWnd, m_pDockSite ? static_cast<CWnd*>(m_pDockSite) : AfxGetMainWnd());
  auto it = std::find(m_actions.begin(), m_actions.end(), action);
  CBCGPToolbarButton* b = it != m_actions.end() ? GetButton(static_cast<int>(it - m_actions.begin())) : nullptr;
  if (!frame || !b || !menu) return;
  // Fresh items from the button each time: the frame fills its placeholders anew.
  QMenu* fresh = b->CreateDropDownMenu(menu);
  if (!fresh) return;
  fresh->hide();
  QMenu* previous = menu->property("kcItems").value<QMenu*>();
  for (QAction* a : menu->actions()) {
    menu->removeAction(a);
    if (a->parent() == menu) a->deleteLater();
  }
  // The items belong to the shown menu alone: one choice, one command.
  const QList<QAction*> items = fresh->actions();
  for (QAction* a : items) fresh->removeAction(a);
  menu->addActions(items);
  menu->setProperty("kcItems", QVariant::fromValue(fresh));
  if (previous) previous->deleteLater();
  OfferLevelToFrame(menu, frame);
}

void CBCGPToolBar::UpdateMenuState(QMenu* menu) {
  // A toolbar inside a view asks the view (its command target), which is no frame.
  CWnd* target = GetCommandTarget();
  auto* frame = DYNAMIC_DOWNCAST(CFrameWnd, target);
  if (!target || !menu) return;
  for (QAction* a : menu->actions()) {
    if (QMenu* sub = a->menu()) {
      UpdateMenuState(sub);
      continue;
    }
    const UINT cmd = a->data().toUInt();
    if (!cmd) continue;
    // Images of toolbars loaded after the menu was made.
    QImage img;
    if (a->icon().isNull() && GetImages()->GetImage(CImageHash::GetImageOfCommand(cmd), img))
      a->setIcon(QIcon(QPixmap::fromImage(img)));
    CMenuCmdUI ui;
    ui.action = a;
    ui.m_nID = cmd;
    ui.DoUpdate(target, frame ? frame->m_bAutoMenuEnable : FALSE);
  }
}

void CBCGPToolBar::SyncButtonStates() {
  for (size_t i = 0; i < m_buttons.size() && i < m_actions.size(); ++i) {
    CBCGPToolbarButton* b = m_buttons[i];
    QAction* a = m_actions[i];
    if (b->IsSeparator()) continue;
    const UINT s = b->m_nStyle;
    a->setVisible(!(s & TBBS_HIDDEN));
    if (QWidget* w = b->GetEmbeddedWidget()) {
      w->setEnabled(!(s & TBBS_DISABLED));
      continue;
    }
    a->setEnabled(!(s & TBBS_DISABLED));
    const bool checkable = (s & TBBS_CHECKBOX) || (s & TBBS_CHECKED);
    a->setCheckable(checkable);
    a->setChecked((s & TBBS_CHECKED) != 0);
  }
}

BOOL CBCGPToolBar::RestoreOriginalstate() {
  if (!m_uiOriginalResID) {
    if (m_originalIds.empty() && !m_bUserDefined) return FALSE;
    // A toolbar made from ids: back to those ids; a user toolbar: empty.
    const std::vector<UINT> ids = m_originalIds;
    return SetButtons(ids.empty() ? nullptr : ids.data(), static_cast<int>(ids.size()));
  }
  if (!BuildFromResource(m_uiOriginalResID, FALSE, 0)) return FALSE;
  if (CWnd* frame = m_pDockSite; frame && frame->m_hWnd) frame->SendMessage(BCGM_RESETTOOLBAR, m_uiOriginalResID, 0);
  return TRUE;
}

void CBCGPToolBar::EnableCustomizeButton(BOOL bEnable, int iCustomizeCmd, const CString& strCustomizeText, BOOL) {
  m_iCustomizeCmd = bEnable ? iCustomizeCmd : 0;
  m_strCustomizeText = strCustomizeText;
  AdjustLayout();
}

void CBCGPToolBar::EnableCustomizeButton(BOOL bEnable, int iCustomizeCmd, UINT uiCustomizeTextResId,
                                         BOOL bQuickCustomize) {
  std::u16string s;
  AfxLoadStringResource(uiCustomizeTextResId, s);
  EnableCustomizeButton(bEnable, iCustomizeCmd, CString(s.c_str()), bQuickCustomize);
}

BOOL CBCGPToolBar::OnSendCommand(const CBCGPToolbarButton*) { return FALSE; }

CWnd* CBCGPToolBar::GetCommandTarget() const {
  // Without an owner of its own the toolbar's parent is the frame's dock host, which only
  // lays out: commands go to the frame then.
  CWnd* owner = GetOwner();
  if (owner && owner != this && (!m_bRouteCommandsViaFrame || !qobject_cast<QMainWindow*>(owner->GetQWidget())))
    return owner;
  return m_pDockSite;
}

void CBCGPToolBar::ClickButton(int iIndex) {
  CBCGPToolbarButton* b = GetButton(iIndex);
  if (!b || b->IsSeparator() || IsCustomizeMode() || (b->m_nStyle & TBBS_DISABLED)) return;
  if (b->OnClick(this, FALSE)) return;
  if (OnSendCommand(b)) return;
  if (CWnd* target = GetCommandTarget(); target && target->m_hWnd)
    target->PostMessage(WM_COMMAND, MAKEWPARAM(b->m_nID, 0), 0);
}

BOOL CBCGPToolBar::OnCommand(WPARAM wParam, LPARAM lParam) {
  const HWND hCtl = reinterpret_cast<HWND>(lParam);
  if (hCtl) {
    // The control's own object hears its notification first, as under any other parent.
    if (ReflectLastMsg(hCtl)) return TRUE;
    for (auto* b : m_buttons) {
      if (b->GetHwnd() != hCtl) continue;
      if (b->NotifyCommand(HIWORD(wParam)) && !IsCustomizeMode() && !OnSendCommand(b)) {
        if (CWnd* target = GetCommandTarget(); target && target->m_hWnd)
          target->PostMessage(WM_COMMAND, MAKEWPARAM(b->m_nID, 0), 0);
      }
      return TRUE;
    }
  }
  return CBCGPControlBar::OnCommand(wParam, lParam);
}

void CBCGPToolBar::OnUpdateCmdUI(CFrameWnd* pTarget, BOOL bDisableIfNoHndler) {
  UpdateCmdUIThrough(pTarget, bDisableIfNoHndler);
}

void CBCGPToolBar::UpdateCmdUIThrough(CCmdTarget* pTarget, BOOL bDisableIfNoHndler) {
  if (!pTarget || IsCustomizeMode()) return;
  CToolCmdUI ui;
  ui.m_pOther = this;
  ui.m_nIndexMax = static_cast<UINT>(m_buttons.size());
  for (size_t i = 0; i < m_buttons.size(); ++i) {
    CBCGPToolbarButton* b = m_buttons[i];
    if (b->IsSeparator() || b->m_nID == 0 || b->m_nID == (UINT)-1) continue;
    ui.button = b;
    ui.m_nID = b->m_nID;
    ui.m_nIndex = static_cast<UINT>(i);
    ui.m_bContinueRouting = FALSE;
    ui.DoUpdate(pTarget, bDisableIfNoHndler);
  }
  SyncButtonStates();
}

BOOL CBCGPToolBar::SaveState(LPCTSTR lpszProfileName, int, UINT uiID) {
  if (!lpszProfileName) return FALSE;
  CString key;
  key.Format(u"%sToolBar-%u", lpszProfileName, uiID == (UINT)-1 ? static_cast<UINT>(GetDlgCtrlID()) : uiID);
  CBCGPRegistrySP sp;
  CBCGPRegistry& reg = sp.Create(FALSE, FALSE);
  if (!reg.CreateKey(key)) return FALSE;
  CStoredButtons stored;
  for (auto* b : m_buttons)
    if (b->CanBeStored()) stored.buttons.push_back(b);
  const BOOL ok = reg.Write(u"Buttons", stored);
  stored.buttons.clear();  // not owned
  CString title;
  if (m_hWnd) GetWindowText(title);
  reg.Write(u"Name", title);
  reg.Write(u"ResourceID", static_cast<DWORD>(m_uiOriginalResID));
  return ok;
}

BOOL CBCGPToolBar::LoadState(LPCTSTR lpszProfileName, int, UINT uiID) {
  if (!lpszProfileName) return FALSE;
  CString key;
  key.Format(u"%sToolBar-%u", lpszProfileName, uiID == (UINT)-1 ? static_cast<UINT>(GetDlgCtrlID()) : uiID);
  CBCGPRegistrySP sp;
  CBCGPRegistry& reg = sp.Create(FALSE, TRUE);
  if (!reg.Open(key)) return FALSE;
  CStoredButtons stored;
  if (!reg.Read(u"Buttons", stored)) return FALSE;
  ClearButtons();
  m_buttons.swap(stored.buttons);
  for (auto* b : m_buttons) b->OnChangeParentWnd(this);
  if (m_bUserDefined) {
    CString title;
    if (reg.Read(u"Name", title) && m_hWnd) SetWindowText(title);
  }
  AdjustLayout();
  return TRUE;
}

const CObList& CBCGPToolBar::GetAllToolbars() { return AllBarsList(); }

int CBCGPToolBar::GetCommandButtons(UINT uiCmd, CObList& listButtons) {
  listButtons.RemoveAll();
  for (CBCGPToolBar* bar : AllBars())
    for (auto* b : bar->m_buttons)
      if (!b->IsSeparator() && b->m_nID == uiCmd) listButtons.AddTail(b);
  return static_cast<int>(listButtons.GetCount());
}

BOOL CBCGPToolBar::IsCustomizeMode() { return g_bCustomizeMode; }

BOOL CBCGPToolBar::SetCustomizeMode(BOOL bSet) {
  if (g_bCustomizeMode == bSet) return FALSE;
  g_bCustomizeMode = bSet;
  return TRUE;
}

BOOL CBCGPToolBar::AddToolBarForImageCollection(UINT uiResID, UINT uiBmpResID, UINT, UINT, UINT, UINT) {
  std::vector<UINT> ids;
  CSize imageSize;
  if (!ParseToolbarResource(uiResID, ids, imageSize)) return FALSE;
  const std::vector<int> images = LoadImagesFor(ids, uiBmpResID ? uiBmpResID : uiResID, imageSize, FALSE);
  return std::any_of(images.begin(), images.end(), [](int i) { return i >= 0; });
}

CBCGPToolBarImages* CBCGPToolBar::GetImages() {
  static CBCGPToolBarImages images;
  return &images;
}

BOOL CBCGPToolBar::SetUserImages(CBCGPToolBarImages* pUserImages) {
  if (pUserImages && !pUserImages->IsValid()) return FALSE;
  g_pUserImages = pUserImages;
  return TRUE;
}

CBCGPToolBarImages* CBCGPToolBar::GetUserImages() { return g_pUserImages; }

void CBCGPToolBar::ResetAll() {
  const std::vector<CBCGPToolBar*> bars = AllBars();
  for (CBCGPToolBar* b : bars) b->RestoreOriginalstate();
}
