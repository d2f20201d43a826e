#pragma once
// A dialog template: the dialog's style, caption, font and rectangle, and its controls in
// tab order, each with its class, id, text, rectangle and style. Rectangles are in dialog
// units (a quarter of the font's average character width, an eighth of its height), so one
// layout serves every language whatever its font.
//
// Templates live in the language libraries as text (resource/<LANG>/DIALOG/<id>); the
// format is described in resource/README.md. Parse checks every field and number and
// reports the first fault with its line.

#include <vector>

#include "platform/afx/CSize.h"
#include "platform/afx/CString.h"
#include "platform/win/WinTypes.h"

struct DialogItemTemplate {
  CString className;   // BUTTON, EDIT, STATIC, COMBOBOX, LISTBOX, SCROLLBAR, msctls_updown32 ...
  int id = 0;
  CString text;        // the text itself, or empty with textId set
  UINT textId = 0;     // string number of the text (0: the text above)
  short x = 0, y = 0, cx = 0, cy = 0;
  DWORD style = 0;     // WS_CHILD and, unless NOT WS_VISIBLE, WS_VISIBLE are included
  DWORD exStyle = 0;
};

class DialogTemplate {
public:
  DWORD style = 0;
  DWORD exStyle = 0;
  short x = 0, y = 0, cx = 0, cy = 0;
  CString caption;
  UINT captionId = 0;
  int pointSize = 0;   // 0: the desktop's dialog font
  CString faceName;
  std::vector<DialogItemTemplate> items;

  // Reads a template's text (UTF-8). On failure returns false, leaves this unchanged and,
  // when error is given, says what is wrong and on which line.
  bool Parse(const BYTE* data, size_t size, CString* error = nullptr);
  bool Parse(const CString& text, CString* error = nullptr);
  // Reads template nID of the language library, or, where the library has none, the built-in
  // text builtIn (UTF-8), so that the platform's own dialogs show without a library.
  bool LoadOrParse(UINT nID, const char* builtIn, CString* error = nullptr);
  // Loads the template of number nID from the language libraries ("DIALOG" resources).
  bool Load(UINT nID, CString* error = nullptr);

  // The size of a dialog unit in pixels with this template's font, as a dialog made from it
  // has it: x over 4, y over 8 (CDialog::GetBaseUnits).
  CSize GetBaseUnits() const;
  // The client area of a dialog made from this template, in pixels.
  CSize GetSizeInPixels() const;

  // The caption and an item's text, with string numbers looked up.
  CString GetCaption() const;
  static CString GetItemText(const DialogItemTemplate& item);

  // Limits that keep a damaged template from building an absurd dialog.
  static constexpr size_t kMaxItems = 1024;
  static constexpr size_t kMaxBytes = 1 << 20;
};

// The value of a style name (WS_TABSTOP, BS_AUTOCHECKBOX ...); false when unknown.
bool AfxStyleFromName(const CString& name, DWORD& value);
