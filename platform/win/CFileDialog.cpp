#include "platform/win/CFileDialog.h"

#include <QtCore/QDir>
#include <QtCore/QFileInfo>
#include <QtWidgets/QApplication>
#include <QtWidgets/QFileDialog>

#include "platform/win/CWinApp.h"

IMPLEMENT_DYNAMIC(CFileDialog, CDialog)

namespace {
// The outcome of the last common dialog, whichever kind ran.
DWORD g_lastError = 0;
constexpr size_t kSingleBuffer = 4096;
constexpr size_t kMultiBuffer = 65536;
}  // namespace

DWORD CommDlgExtendedError() { return g_lastError; }
void AfxSetCommDlgError(DWORD dwError) { g_lastError = dwError; }

// Runs the Qt dialog for an OPENFILENAME; the CFileDialog (when given) hears of the events.
struct AfxFileDialogRunner {
  class Dialog : public QFileDialog {
  public:
    Dialog(QWidget* parent, AfxFileDialogRunner* runner) : QFileDialog(parent), m_runner(runner) {}
    void accept() override {
      if (m_runner->FileOk()) QFileDialog::accept();
    }

  private:
    AfxFileDialogRunner* m_runner;
  };

  OPENFILENAME* ofn;
  bool open;
  CFileDialog* owner;
  Dialog* dlg = nullptr;
  HWND hwnd = nullptr;
  QStringList filters;

  UINT_PTR Hook(UINT message, WPARAM wParam, LPARAM lParam) {
    if (!(ofn->Flags & OFN_ENABLEHOOK) || !ofn->lpfnHook) return 0;
    return ofn->lpfnHook(hwnd, message, wParam, lParam);
  }

  UINT_PTR Notify(UINT code, LPTSTR file = nullptr) {
    OFNOTIFY n{};
    n.hdr.hwndFrom = hwnd;
    n.hdr.code = code;
    n.lpOFN = ofn;
    n.pszFile = file;
    return Hook(WM_NOTIFY, 0, reinterpret_cast<LPARAM>(&n));
  }

  // Puts the chosen files into the record; false when the buffer is too small.
  bool Store(const QStringList& files) {
    g_lastError = 0;
    if (!ofn->lpstrFile || ofn->nMaxFile == 0 || files.isEmpty()) return false;
    std::u16string out;
    WORD offset = 0, ext = 0;
    if (files.size() == 1) {
      const QString path = QDir::toNativeSeparators(files.front());
      out = path.toStdU16String();
      const QFileInfo fi(path);
      offset = static_cast<WORD>(std::min<qsizetype>(path.size() - fi.fileName().size(), 0xFFFF));
      const qsizetype dot = fi.fileName().lastIndexOf(QLatin1Char('.'));
      ext = dot >= 0 ? static_cast<WORD>(std::min<qsizetype>(offset + dot + 1, 0xFFFF)) : 0;
      out.push_back(u'\0');
    } else {
      const QString folder = QDir::toNativeSeparators(QFileInfo(files.front()).absolutePath());
      out = folder.toStdU16String();
      out.push_back(u'\0');
      offset = static_cast<WORD>(std::min<size_t>(out.size(), 0xFFFF));
      for (const QString& f : files) {
        out += QFileInfo(f).fileName().toStdU16String();
        out.push_back(u'\0');
      }
    }
    out.push_back(u'\0');
    if (out.size() > ofn->nMaxFile) {
      g_lastError = FNERR_BUFFERTOOSMALL;
      return false;
    }
    std::copy(out.begin(), out.end(), ofn->lpstrFile);
    ofn->nFileOffset = offset;
    ofn->nFileExtension = ext;
    if (ofn->lpstrFileTitle && ofn->nMaxFileTitle > 0) {
      const std::u16string title = QFileInfo(files.front()).fileName().toStdU16String();
      const size_t n = std::min<size_t>(title.size(), ofn->nMaxFileTitle - 1);
      std::copy(title.begin(), title.begin() + static_cast<std::ptrdiff_t>(n), ofn->lpstrFileTitle);
      ofn->lpstrFileTitle[n] = 0;
    }
    const qsizetype f = filters.indexOf(dlg->selectedNameFilter());
    if (f >= 0) ofn->nFilterIndex = static_cast<DWORD>(f + 1);
    ofn->Flags &= ~static_cast<DWORD>(OFN_READONLY | OFN_EXTENSIONDIFFERENT);
    return true;
  }

  bool FileOk() {
    if (!Store(dlg->selectedFiles())) return g_lastError == 0 ? false : true;
    if (owner && owner->OnFileNameOK()) return false;
    return Notify(CDN_FILEOK, ofn->lpstrFile) == 0;
  }

  BOOL Run() {
    g_lastError = 0;
    if (!ofn || !qobject_cast<QApplication*>(QCoreApplication::instance())) {
      g_lastError = CDERR_INITIALIZATION;
      return FALSE;
    }
    QWidget* parent = CWnd::QWidgetFromHwnd(ofn->hwndOwner);
    if (!parent) parent = QApplication::activeWindow();
    Dialog d(parent ? parent->window() : nullptr, this);
    dlg = &d;
    d.setOption(QFileDialog::DontUseNativeDialog, true);
    d.setAcceptMode(open ? QFileDialog::AcceptOpen : QFileDialog::AcceptSave);
    if (open)
      d.setFileMode((ofn->Flags & OFN_ALLOWMULTISELECT) ? QFileDialog::ExistingFiles
                                                        : ((ofn->Flags & OFN_FILEMUSTEXIST) ? QFileDialog::ExistingFile : QFileDialog::AnyFile));
    else
      d.setFileMode(QFileDialog::AnyFile);
    if (!(ofn->Flags & OFN_OVERWRITEPROMPT)) d.setOption(QFileDialog::DontConfirmOverwrite, true);
    if (ofn->lpstrTitle) d.setWindowTitle(QString::fromUtf16(ofn->lpstrTitle));
    if (ofn->lpstrDefExt) d.setDefaultSuffix(QString::fromUtf16(ofn->lpstrDefExt));
    // Filters: pairs of NUL-terminated texts, ended by an empty one.
    if (const char16_t* p = ofn->lpstrFilter) {
      for (int guard = 0; *p && guard < 256; ++guard) {
        const QString desc = QString::fromUtf16(p);
        p += desc.size() + 1;
        if (!*p) break;
        const QString pats = QString::fromUtf16(p);
        p += pats.size() + 1;
        filters.append(desc + QStringLiteral(" (") + QString(pats).replace(QLatin1Char(';'), QLatin1Char(' ')) + QLatin1Char(')'));
      }
    }
    if (!filters.isEmpty()) {
      d.setNameFilters(filters);
      const int idx = std::clamp<int>(static_cast<int>(ofn->nFilterIndex) - 1, 0, static_cast<int>(filters.size()) - 1);
      d.selectNameFilter(filters[idx]);
    }
    QString dir = ofn->lpstrInitialDir ? QString::fromUtf16(ofn->lpstrInitialDir) : QString();
    const QString initial = (ofn->lpstrFile && ofn->nMaxFile) ? QString::fromUtf16(ofn->lpstrFile) : QString();
    if (!initial.isEmpty()) {
      const QFileInfo fi(initial);
      if (fi.isAbsolute() && dir.isEmpty()) dir = fi.absolutePath();
      if (!dir.isEmpty()) d.setDirectory(dir);
      d.selectFile(fi.isAbsolute() ? fi.absoluteFilePath() : initial);
    } else if (!dir.isEmpty()) {
      d.setDirectory(dir);
    }
    hwnd = CWnd::HwndFromQWidget(&d, TRUE);
    QObject::connect(&d, &QFileDialog::filterSelected, &d, [this](const QString& f) {
      const qsizetype i = filters.indexOf(f);
      if (i >= 0) ofn->nFilterIndex = static_cast<DWORD>(i + 1);
      if (owner) owner->OnTypeChange();
      Notify(CDN_TYPECHANGE);
    });
    QObject::connect(&d, &QFileDialog::directoryEntered, &d, [this](const QString&) {
      if (owner) owner->OnFolderChange();
      Notify(CDN_FOLDERCHANGE);
    });
    QObject::connect(&d, &QFileDialog::currentChanged, &d, [this](const QString&) {
      if (owner) owner->OnFileNameChange();
      Notify(CDN_SELCHANGE);
    });
    if (owner) owner->m_pDialog = &d;
    Hook(WM_INITDIALOG, 0, reinterpret_cast<LPARAM>(ofn));
    if (owner) owner->OnInitDone();
    Notify(CDN_INITDONE);
    const int r = d.exec();
    if (owner) owner->m_pDialog = nullptr;
    dlg = nullptr;
    return r == QDialog::Accepted && g_lastError == 0 ? TRUE : FALSE;
  }
};

BOOL GetOpenFileName(LPOPENFILENAME lpofn) {
  AfxFileDialogRunner r{lpofn, true, nullptr};
  return r.Run();
}

BOOL GetSaveFileName(LPOPENFILENAME lpofn) {
  AfxFileDialogRunner r{lpofn, false, nullptr};
  return r.Run();
}

CFileDialog::CFileDialog(BOOL bOpenFileDialog, LPCTSTR lpszDefExt, LPCTSTR lpszFileName, DWORD dwFlags, LPCTSTR lpszFilter,
                         CWnd* pParentWnd)
    : m_bOpenFileDialog(bOpenFileDialog) {
  m_pParentWnd = pParentWnd;
  m_ofn.lStructSize = sizeof(OPENFILENAME);
  m_ofn.Flags = dwFlags | OFN_EXPLORER | OFN_ENABLESIZING;
  m_fileBuffer.assign(kSingleBuffer, u'\0');
  if (lpszFileName) {
    const std::u16string name(lpszFileName);
    std::copy(name.begin(), name.begin() + static_cast<std::ptrdiff_t>(std::min(name.size(), kSingleBuffer - 1)), m_fileBuffer.begin());
  }
  if (lpszDefExt) m_strDefExt = lpszDefExt;
  if (lpszFilter) {
    // "Text|*.txt||" becomes the record's NUL-separated form.
    m_strFilter = lpszFilter;
    for (char16_t& c : m_strFilter)
      if (c == u'|') c = u'\0';
    m_strFilter.push_back(u'\0');
  }
}

CFileDialog::~CFileDialog() = default;

INT_PTR CFileDialog::DoModal() {
  if ((m_ofn.Flags & OFN_ALLOWMULTISELECT) && m_ofn.lpstrFile == nullptr && m_fileBuffer.size() < kMultiBuffer)
    m_fileBuffer.resize(kMultiBuffer, u'\0');
  if (!m_ofn.lpstrFile) {
    m_ofn.lpstrFile = m_fileBuffer.data();
    m_ofn.nMaxFile = static_cast<DWORD>(m_fileBuffer.size());
  }
  if (!m_ofn.lpstrFilter && !m_strFilter.empty()) m_ofn.lpstrFilter = m_strFilter.c_str();
  if (!m_ofn.lpstrDefExt && !m_strDefExt.empty()) m_ofn.lpstrDefExt = m_strDefExt.c_str();
  if (!m_ofn.hwndOwner) {
    CWnd* owner = m_pParentWnd ? m_pParentWnd : AfxGetMainWnd();
    m_ofn.hwndOwner = owner ? owner->GetSafeHwnd() : nullptr;
  }
  AfxFileDialogRunner r{&m_ofn, m_bOpenFileDialog != FALSE, this};
  return r.Run() ? IDOK : IDCANCEL;
}

CString CFileDialog::GetPathName() const {
  if (!m_ofn.lpstrFile) return CString();
  const std::u16string first(m_ofn.lpstrFile);
  // With several files the buffer starts with the folder.
  if (m_ofn.nFileOffset > 0 && m_ofn.nFileOffset == first.size() + 1) {
    POSITION pos = GetStartPosition();
    return GetNextPathName(pos);
  }
  return CString(first);
}

CString CFileDialog::GetFileName() const { return CString(QFileInfo(GetPathName().ToQString()).fileName().toStdU16String()); }
CString CFileDialog::GetFileExt() const { return CString(QFileInfo(GetPathName().ToQString()).suffix().toStdU16String()); }
CString CFileDialog::GetFileTitle() const { return CString(QFileInfo(GetPathName().ToQString()).completeBaseName().toStdU16String()); }
CString CFileDialog::GetFolderPath() const { return CString(QFileInfo(GetPathName().ToQString()).absolutePath().toStdU16String()); }
BOOL CFileDialog::GetReadOnlyPref() const { return (m_ofn.Flags & OFN_READONLY) ? TRUE : FALSE; }

POSITION CFileDialog::GetStartPosition() const {
  return m_ofn.lpstrFile && m_ofn.lpstrFile[0] ? reinterpret_cast<POSITION>(m_ofn.lpstrFile) : nullptr;
}

CString CFileDialog::GetNextPathName(POSITION& pos) const {
  auto* p = reinterpret_cast<const char16_t*>(pos);
  if (!p || !m_ofn.lpstrFile) {
    pos = nullptr;
    return CString();
  }
  const std::u16string first(m_ofn.lpstrFile);
  const bool multi = m_ofn.nFileOffset > 0 && m_ofn.nFileOffset == first.size() + 1;
  if (!multi) {
    pos = nullptr;
    return CString(first);
  }
  if (p == m_ofn.lpstrFile) p += first.size() + 1;
  const std::u16string name(p);
  const char16_t* next = p + name.size() + 1;
  pos = *next ? reinterpret_cast<POSITION>(const_cast<char16_t*>(next)) : nullptr;
  return CString((QString::fromStdU16String(first) + QLatin1Char('/') + QString::fromStdU16String(name)).toStdU16String());
}

BOOL CFileDialog::OnFileNameOK() { return FALSE; }
void CFileDialog::OnInitDone() {}
void CFileDialog::OnFileNameChange() {}
void CFileDialog::OnFolderChange() {}
void CFileDialog::OnTypeChange() {}
