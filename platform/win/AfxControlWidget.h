#pragma once
// The part of a standard control that lives in its widget: the control's own answers to
// its messages (BM_, EM_, CB_, LB_ ...) and the notifications it sends to its parent.
// Every control class hands the messages its message map leaves to AfxControlMessage, so a
// control answers them whichever window object is attached to it: a CButton, a class
// derived from it, or the object GetDlgItem hands out for a control made by a dialog.
// Internal to the window layer (included by .cpp files only).

#include "platform/win/CWnd.h"
#include "platform/win/WinCtrlConstants.h"

class QWidget;
class QPainter;
class QRect;
template <typename T> class QList;

class AfxControlWidget {
public:
  virtual ~AfxControlWidget();
  // Answers a message of the control; false when the message is not one of its own.
  virtual bool ControlMessage(UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result) = 0;
  // The control's WM_GETDLGCODE answer: which keys it keeps from the dialog.
  virtual UINT DialogCode() const { return 0; }
  // The widget of this control.
  virtual QWidget* Widget() = 0;
  // Called once the window exists (during WM_CREATE), when siblings and id are known.
  virtual void Created() {}

  // The control part of a window, or null when the window is no standard control.
  static AfxControlWidget* Of(HWND hWnd);
  static AfxControlWidget* Of(QWidget* pWidget);

  HWND Handle();
  UINT ControlId();
  DWORD Style();
  // Sends WM_COMMAND with the notification code to the parent (reflected to the control's
  // own object first by the parent's OnCommand).
  void NotifyCommand(UINT nCode);
  // Sends WM_NOTIFY to the parent; the header's sender fields are filled in.
  LRESULT NotifyParent(NMHDR* pHdr, UINT nCode);
  // Sends an owner-draw message (WM_DRAWITEM, WM_MEASUREITEM, WM_COMPAREITEM, WM_DELETEITEM)
  // to the parent; a parent whose map has no handler for it hands it to the control's own
  // object (DrawItem, MeasureItem ...). Returns the answer.
  LRESULT SendOwnerMessage(UINT message, void* pStruct);
  // Paints an owner-drawn item through a CDC on the painter.
  void DrawOwnerItem(QPainter* pPainter, UINT ctlType, UINT itemID, UINT action, UINT state, const QRect& rect,
                     ULONG_PTR itemData);
};

// The default processing of a control's own messages, called by the control classes from
// DefWindowProc: true when the control answered.
bool AfxControlMessage(CWnd* pWnd, UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result);

// The same for CWnd's default processing: skips the message a control class's DefWindowProc
// has just offered without an answer.
bool AfxControlDefault(CWnd* pWnd, UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result);

// The owner-draw messages a control object handles itself when its parent leaves them to it.
bool AfxControlChildNotify(CWnd* pWnd, UINT message, LPARAM lParam, LRESULT* pResult);

// Makes the standard control classes known by name (BUTTON, EDIT, STATIC, COMBOBOX, LISTBOX,
// SCROLLBAR, msctls_updown32, msctls_trackbar32, msctls_progress32, SysTabControl32,
// SysListView32, SysTreeView32, ComboBoxEx32). Safe to call often.
void AfxRegisterControlClasses();

// The object a control of a class gets when the program attaches none: an object of the
// control's own class (CButton for BUTTON ...), so that code may cast what GetDlgItem hands
// out to the control's class. It belongs to the window and goes with it, or when a program's
// object subclasses the control.
typedef CWnd* (*AFX_CONTROL_OBJECT_FACTORY)();
void AfxRegisterControlObject(LPCTSTR lpszClassName, AFX_CONTROL_OBJECT_FACTORY pfnMake);
CWnd* AfxMakeControlObject(LPCTSTR lpszClassName);

// Creates a control of a class by name as a child of pParent with the object above, so that
// a program's object can still subclass it. Null on failure.
HWND AfxCreateControl(LPCTSTR lpszClass, LPCTSTR lpszText, DWORD dwStyle, DWORD dwExStyle, const RECT& rect,
                      CWnd* pParent, UINT nID);

// Registration of one class's widget factory, called by AfxRegisterControlClasses.
void AfxRegisterButtonClass();
void AfxRegisterEditClass();
void AfxRegisterStaticClass();
void AfxRegisterComboBoxClass();
void AfxRegisterListBoxClass();
void AfxRegisterSpinClass();
void AfxRegisterMoreControlClasses();
void AfxRegisterListViewClass();
void AfxRegisterTreeViewClass();
void AfxRegisterSliderClass();
void AfxRegisterProgressClass();
void AfxRegisterScrollBarClass();
void AfxRegisterTabClass();
void AfxRegisterComboBoxExClass();
// The widget of a combo box with images (ComboBoxEx32).
QWidget* AfxMakeImageComboWidget(QWidget* pParent, DWORD dwStyle, DWORD dwExStyle);

class QPixmap;
// The picture of an icon handle (an ICON resource number, or a standard IDI_ icon) and of a
// bitmap handle; a null pixmap when there is none.
QPixmap AfxPixmapFromIcon(HICON hIcon);
QPixmap AfxPixmapFromBitmap(HBITMAP hBitmap);
// An icon made from a picture (a file's icon from the desktop theme); null for a null picture. The
// caller owns it: DestroyIcon frees it.
HICON AfxCreateIconFromPixmap(const QPixmap& pixmap);
// Frees an icon made by AfxCreateIconFromPixmap; FALSE for any other handle (left alone).
BOOL AfxDestroyCreatedIcon(HICON hIcon);
// Group membership of dialog controls: the first control of the group holding pWidget (the
// nearest one at or before it with WS_GROUP) and the controls of that group in order.
QList<QWidget*> AfxControlGroup(QWidget* pWidget);

// Gives a widget made for a control's own use (an in-place editor) a window handle with the
// generic control object, so that the program can talk to it; the handle goes with the widget.
HWND AfxAdoptControlWidget(QWidget* pWidget, UINT nID, LPCTSTR lpszClass);
// A widget of a registered control class made without a window (for adoption), or null.
QWidget* AfxMakeControlWidget(LPCTSTR lpszClass, QWidget* pParent, DWORD dwStyle);
