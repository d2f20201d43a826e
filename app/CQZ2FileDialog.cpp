#include "app/CQZ2FileDialog.h"

#include <QtCore/QDir>
#include <QtCore/QFileInfo>
#include <QtCore/QPointer>
#include <QtCore/QStandardPaths>
#include <QtCore/QStringList>
#include <QtGui/QFileSystemModel>
#include <QtGui/QIcon>
#include <QtGui/QPixmap>
#include <QtCore/QIdentityProxyModel>
#include <QtWidgets/QHeaderView>
#include <QtWidgets/QLabel>
#include <QtWidgets/QListView>
#include <QtWidgets/QListWidget>
#include <QtWidgets/QStyle>
#include <QtWidgets/QTreeView>
#include <QtWidgets/QWidget>

#include <climits>

#include "app/FileThumbnailCache.h"
#include "platform/afx/CInvalidArgException.h"
#include "platform/win/AfxDDX.h"
#include "platform/win/CDataExchange.h"
#include "platform/win/CWinApp.h"
#include "platform/win/WinDocConstants.h"

IMPLEMENT_DYNAMIC(CQZ2FileDialog, CDialog)

DWORD CQZ2FileDialog::c_dwViewMode = 0;

namespace {

constexpr int kPlacesFrame = 1160;
constexpr int kFilesFrame = 1161;
constexpr int kPictureFrame = 1162;

constexpr UINT IDS_SAVE_BUTTON = 11700;
constexpr UINT IDS_PLACE_HOME = 11701;
constexpr UINT IDS_PLACE_DESKTOP = 11702;
constexpr UINT IDS_PLACE_DOCUMENTS = 11703;
constexpr UINT IDS_PLACE_PICTURES = 11704;
constexpr UINT IDS_PLACE_COMPUTER = 11705;
constexpr UINT IDS_PREVIEW_TITLE = 11706;
constexpr UINT IDS_PREVIEW_AUTHOR = 11707;
constexpr UINT IDP_FOLDER_NOT_FOUND = 11708;
constexpr UINT IDP_FILE_NOT_FOUND = 11709;
constexpr UINT IDP_FILE_READ_ONLY = 11710;
constexpr UINT IDP_REPLACE_FILE = 10112;

// Longest name or path the dialog takes (the system's path limit).
constexpr int kMaxPath = PATH_MAX;

struct FileType {
    DWORD flag;
    UINT description;
    const char16_t* pattern;
    const char16_t* extension;
};

// In the order the filter list shows them.
constexpr FileType kTypes[] = {
    {0x2, 10090, u"*.kvcd", u"kvcd"},
    {0x4, 10091, u"*.kvct", u"kvct"},
    {0x8, 10092, u"*.kvcb;*.qzb", u"kvcb"},
    {0x40, 10093, u"*.kvcd;*.kvct;*.qzc;*.qz2;*.qzt", u""},
    {0x80, 10094, u"*.kvct;*.qzt", u""},
    {0x100, 10096, u"*.dwg;*.dxf", u""},
    {0x400, 10097, u"*.dwg", u"dwg"},
    {0x200, 10098, u"*.dxf", u"dxf"},
    {0x800, 10099, u"*.jwc;*.jww", u""},
    {0x1000, 10100, u"*.jwc", u"jwc"},
    {0x2000, 10101, u"*.jww", u"jww"},
    {0x4000, 10102, u"*.jwk", u"jwk"},
    {0x40000, 10103, u"*.jws", u"jws"},
    {0x8000, 10104, u"*.sfc;*.p21", u""},
    {0x10000, 10105, u"*.sfc", u"sfc"},
    {0x20000, 10106, u"*.p21", u"p21"},
    {0x10, 10107, u"*.kvcd", u"kvcd"},
    {0x20, 10108, u"*.kvct", u"kvct"},
    {0x100000, 10109, u"*.bmp;*.jpg;*.jpeg;*.png;*.tif", u""},
    {0x10000000, 10110, u"*.kvch", u""},
    {0x1, 10111, u"*.*", u""},
};

const FileType* TypeOf(DWORD flag)
{
    for (const FileType& type : kTypes) {
        if (type.flag == flag)
            return &type;
    }
    return nullptr;
}

CString LoadText(UINT nID)
{
    CString text;
    text.LoadString(nID);
    return text;
}

// The model the views show: the file system's, with the pictures of drawings and images as their
// icons once they have been read.
class PictureModel : public QIdentityProxyModel
{
public:
    static constexpr int kPictureRole = Qt::UserRole + 77;

    explicit PictureModel(FileThumbnailCache& cache) : m_cache(cache) {}

    QFileSystemModel* Files() const { return static_cast<QFileSystemModel*>(sourceModel()); }

    QVariant data(const QModelIndex& index, int role) const override
    {
        if (index.column() == 0 && (role == Qt::DecorationRole || role == kPictureRole)) {
            const QModelIndex source = mapToSource(index);
            if (!Files()->isDir(source)) {
                const QString path = Files()->filePath(source);
                if (const FileThumbnailCache::Entry* pEntry = m_cache.Find(path); pEntry && !pEntry->image.isNull()) {
                    if (role == kPictureRole)
                        return pEntry->image;
                    return IconOf(path, pEntry->image);
                }
            }
            if (role == kPictureRole)
                return QVariant();
        }
        return QIdentityProxyModel::data(index, role);
    }

    void PictureReady(const QString& path)
    {
        m_icons.remove(path);
        const QModelIndex index = mapFromSource(Files()->index(path));
        if (index.isValid())
            emit dataChanged(index, index, {Qt::DecorationRole});
    }

private:
    QIcon IconOf(const QString& path, const QImage& image) const
    {
        auto it = m_icons.find(path);
        if (it == m_icons.end())
            it = m_icons.insert(path, QIcon(QPixmap::fromImage(image)));
        return it.value();
    }

    FileThumbnailCache& m_cache;
    mutable QHash<QString, QIcon> m_icons;
};

}  // namespace

// The Qt views the dialog draws over its hidden frames; they die with the dialog's window.
struct CQZ2FileDialog::Views {
    FileThumbnailCache cache;
    QFileSystemModel files;
    PictureModel model{cache};
    QPointer<QListWidget> places;
    QPointer<QListView> list;
    QPointer<QTreeView> details;
    QPointer<QLabel> picture;
    QString folder;
};

BEGIN_MESSAGE_MAP(CQZ2FileDialog, CDialog)
ON_CBN_SELCHANGE(CQZ2FileDialog::kTypeCombo, &CQZ2FileDialog::OnTypeChange)
ON_BN_CLICKED(CQZ2FileDialog::kUpButton, &CQZ2FileDialog::OnUp)
ON_COMMAND_RANGE(28747, 28753, &CQZ2FileDialog::OnViewButton)
END_MESSAGE_MAP()

CQZ2FileDialog::CQZ2FileDialog(BOOL bOpenFileDialog, CWnd* pParentWnd)
    : CDialog(kTemplate, pParentWnd), m_bOpen(bOpenFileDialog)
{
    m_strTitle = AfxLoadFrameworkString(bOpenFileDialog ? AFX_IDS_OPENFILE : AFX_IDS_SAVEFILE);
}

CQZ2FileDialog::~CQZ2FileDialog() = default;

void CQZ2FileDialog::SetViewMode(DWORD dwMode)
{
    c_dwViewMode = dwMode;
}

DWORD CQZ2FileDialog::GetViewMode()
{
    return c_dwViewMode;
}

void CQZ2FileDialog::SetMultiSelect(BOOL bMultiSelect)
{
    m_bMultiSelect = bMultiSelect;
}

void CQZ2FileDialog::SetTitle(LPCTSTR lpszTitle)
{
    m_strTitle = lpszTitle != nullptr ? CString(lpszTitle) : CString();
}

void CQZ2FileDialog::LoadTitle(UINT nID)
{
    m_strTitle = LoadText(nID);
}

void CQZ2FileDialog::SetInitialFolder(LPCTSTR lpszFolder)
{
    m_strInitialFolder = lpszFolder != nullptr ? CString(lpszFolder) : CString();
}

void CQZ2FileDialog::SetFileName(LPCTSTR lpszFileName)
{
    const CString name = lpszFileName != nullptr ? CString(lpszFileName) : CString();
    if (name.GetLength() >= kMaxPath)
        return;
    m_strFileName = name;
}

void CQZ2FileDialog::SetFilterFlags(DWORD dwMask)
{
    m_strFilter.Empty();
    m_flags.RemoveAll();
    for (const FileType& type : kTypes) {
        if ((dwMask & type.flag) == 0)
            continue;
        m_strFilter += LoadText(type.description);
        m_strFilter += u'\0';
        m_strFilter += type.pattern;
        m_strFilter += u'\0';
        m_flags.Add(type.flag);
    }
    m_nFilterIndex = 0;
    m_dwCurrentFlag = m_flags.GetSize() > 0 ? m_flags[0] : 0;
}

void CQZ2FileDialog::SelectFilter(DWORD dwFlag)
{
    for (INT_PTR i = 0; i < m_flags.GetSize(); ++i) {
        if (m_flags[i] == dwFlag) {
            m_nFilterIndex = static_cast<int>(i);
            m_dwCurrentFlag = dwFlag;
            return;
        }
    }
}

DWORD CQZ2FileDialog::GetFilterFlag(int nIndex) const
{
    if (nIndex < 1 || nIndex > m_flags.GetSize())
        AfxThrowInvalidArgException();
    return m_flags[nIndex - 1];
}

CString CQZ2FileDialog::GetDefaultExtension(int nIndex) const
{
    return DefaultExtensionOfFlag(GetFilterFlag(nIndex));
}

CString CQZ2FileDialog::DefaultExtensionOfFlag(DWORD dwFlag)
{
    const FileType* pType = TypeOf(dwFlag);
    return pType != nullptr ? CString(pType->extension) : CString();
}

CString CQZ2FileDialog::Extension(int nEntry) const
{
    if (nEntry < 0 || nEntry >= m_flags.GetSize())
        return CString();
    return DefaultExtensionOfFlag(m_flags[nEntry]);
}

CString CQZ2FileDialog::GetFilePath(int nIndex) const
{
    if (nIndex < 0 || nIndex >= m_files.GetSize())
        return CString();
    return m_files[nIndex];
}

void CQZ2FileDialog::DoDataExchange(CDataExchange* pDX)
{
    CDialog::DoDataExchange(pDX);
    DDX_Control(pDX, kFileNameEdit, m_editName);
    DDX_Control(pDX, kPathEdit, m_editPath);
    DDX_Control(pDX, kTypeCombo, m_comboType);
}

INT_PTR CQZ2FileDialog::DoModal()
{
    m_files.RemoveAll();
    m_bReadOnly = FALSE;
    m_bViewModeApplied = FALSE;
    m_pViews = std::make_unique<Views>();
    const INT_PTR result = CDialog::DoModal();
    // Whatever the answer, the view the user left a drawing folder in is the next dialog's.
    if (m_bViewModeApplied)
        RememberViewMode();
    m_pViews.reset();
    if (result != IDOK) {
        m_files.RemoveAll();
        return 0;
    }
    return IDOK;
}

BOOL CQZ2FileDialog::OnInitDialog()
{
    CDialog::OnInitDialog();
    SetWindowText(m_strTitle);
    if (!m_bOpen) {
        if (CWnd* pOk = GetDlgItem(IDOK))
            pOk->SetWindowText(LoadText(IDS_SAVE_BUTTON));
    }
    m_editName.SetLimitText(kMaxPath);

    // The filter list; the entry preselected is the current one.
    for (INT_PTR i = 0; i < m_flags.GetSize(); ++i) {
        if (const FileType* pType = TypeOf(m_flags[i]))
            m_comboType.AddString(LoadText(pType->description));
    }
    if (m_flags.GetSize() > 0) {
        if (m_nFilterIndex < 0 || m_nFilterIndex >= m_flags.GetSize())
            m_nFilterIndex = 0;
        m_comboType.SetCurSel(m_nFilterIndex);
        m_dwCurrentFlag = m_flags[m_nFilterIndex];
    }

    // A dialog made modeless (Create) has its views made here.
    if (!m_pViews)
        m_pViews = std::make_unique<Views>();
    Views& v = *m_pViews;
    QWidget* pSelf = GetQWidget();
    auto frameOf = [this](int nID) {
        CWnd* pFrame = GetDlgItem(nID);
        return pFrame != nullptr && pFrame->GetQWidget() != nullptr ? pFrame->GetQWidget()->geometry() : QRect();
    };

    v.files.setOption(QFileSystemModel::DontWatchForChanges, false);
    v.files.setFilter(QDir::AllDirs | QDir::Files | QDir::NoDotAndDotDot | QDir::Drives);
    v.files.setNameFilterDisables(false);
    v.files.setReadOnly(true);
    v.model.setSourceModel(&v.files);
    v.cache.SetReadyHandler([this](const QString& path) {
        if (!m_pViews)
            return;
        m_pViews->model.PictureReady(path);
        UpdatePreview();
    });

    v.places = new QListWidget(pSelf);
    v.places->setObjectName(QStringLiteral("places"));
    v.places->setGeometry(frameOf(kPlacesFrame));
    auto addPlace = [&v](UINT nText, const QString& path) {
        if (path.isEmpty() || !QFileInfo(path).isDir())
            return;
        for (int i = 0; i < v.places->count(); ++i) {
            if (v.places->item(i)->data(Qt::UserRole).toString() == path)
                return;
        }
        auto* pItem = new QListWidgetItem(LoadText(nText).ToQString(), v.places);
        pItem->setData(Qt::UserRole, path);
        pItem->setToolTip(path);
    };
    addPlace(IDS_PLACE_HOME, QDir::homePath());
    addPlace(IDS_PLACE_DESKTOP, QStandardPaths::writableLocation(QStandardPaths::DesktopLocation));
    addPlace(IDS_PLACE_DOCUMENTS, QStandardPaths::writableLocation(QStandardPaths::DocumentsLocation));
    addPlace(IDS_PLACE_PICTURES, QStandardPaths::writableLocation(QStandardPaths::PicturesLocation));
    addPlace(IDS_PLACE_COMPUTER, QDir::rootPath());
    QObject::connect(v.places, &QListWidget::itemClicked, pSelf, [this](QListWidgetItem* pItem) {
        ShowFolder(CString::FromQString(pItem->data(Qt::UserRole).toString()));
    });

    const QRect filesRect = frameOf(kFilesFrame);
    v.list = new QListView(pSelf);
    v.list->setObjectName(QStringLiteral("fileList"));
    v.list->setGeometry(filesRect);
    v.list->setModel(&v.model);
    v.list->setUniformItemSizes(true);
    v.details = new QTreeView(pSelf);
    v.details->setObjectName(QStringLiteral("fileDetails"));
    v.details->setGeometry(filesRect);
    v.details->setModel(&v.model);
    v.details->setSelectionModel(v.list->selectionModel());
    v.details->setRootIsDecorated(false);
    v.details->setItemsExpandable(false);
    v.details->setSortingEnabled(true);
    v.details->sortByColumn(0, Qt::AscendingOrder);
    v.details->header()->resizeSection(0, filesRect.width() * 2 / 5);
    const auto mode = m_bOpen && m_bMultiSelect ? QAbstractItemView::ExtendedSelection
                                                : QAbstractItemView::SingleSelection;
    for (QAbstractItemView* pView : {static_cast<QAbstractItemView*>(v.list.data()),
                                     static_cast<QAbstractItemView*>(v.details.data())}) {
        pView->setSelectionMode(mode);
        pView->setEditTriggers(QAbstractItemView::NoEditTriggers);
        QObject::connect(pView, &QAbstractItemView::activated, pSelf, [this](const QModelIndex& index) {
            if (!m_pViews)
                return;
            const QModelIndex source = m_pViews->model.mapToSource(index);
            if (m_pViews->files.isDir(source)) {
                ShowFolder(CString::FromQString(m_pViews->files.filePath(source)));
                return;
            }
            m_editName.SetWindowText(CString::FromQString(m_pViews->files.fileName(source)));
            OnOK();
        });
    }
    QObject::connect(v.list->selectionModel(), &QItemSelectionModel::selectionChanged, pSelf, [this]() {
        if (!m_pViews)
            return;
        // The file names chosen go into the name box; folders are entered, not chosen.
        QStringList names;
        for (const QModelIndex& index : m_pViews->list->selectionModel()->selectedIndexes()) {
            if (index.column() != 0)
                continue;
            const QModelIndex source = m_pViews->model.mapToSource(index);
            if (!m_pViews->files.isDir(source))
                names << m_pViews->files.fileName(source);
        }
        if (names.size() == 1)
            m_editName.SetWindowText(CString::FromQString(names.front()));
        else if (names.size() > 1)
            m_editName.SetWindowText(
                CString::FromQString(QLatin1Char('"') + names.join(QStringLiteral("\" \"")) + QLatin1Char('"')));
        UpdatePreview();
    });

    v.picture = new QLabel(pSelf);
    v.picture->setObjectName(QStringLiteral("preview"));
    v.picture->setGeometry(frameOf(kPictureFrame));
    v.picture->setAlignment(Qt::AlignCenter);
    v.picture->setFrameShape(QFrame::StyledPanel);

    ShowView(kViewList);
    ApplyFilterToView();

    // The first folder: the one asked for, else that of the proposed name, else home.
    CString folder = m_strInitialFolder;
    CString name = m_strFileName;
    const QFileInfo proposed(name.ToQString());
    if (!name.IsEmpty() && proposed.isAbsolute()) {
        if (folder.IsEmpty())
            folder = CString::FromQString(proposed.absolutePath());
        name = CString::FromQString(proposed.fileName());
    }
    if (folder.IsEmpty() || !QFileInfo(folder.ToQString()).isDir())
        folder = CString::FromQString(QDir::homePath());
    ShowFolder(folder);
    m_editName.SetWindowText(name);

    CenterWindow();
    GotoDlgCtrl(&m_editName);
    m_editName.SetSel(0, -1);
    return FALSE;
}

CString CQZ2FileDialog::GetFolder() const
{
    return m_pViews ? CString::FromQString(m_pViews->folder) : CString();
}

BOOL CQZ2FileDialog::ShowFolder(LPCTSTR lpszFolder)
{
    if (!m_pViews || lpszFolder == nullptr)
        return FALSE;
    const QFileInfo info(CString(lpszFolder).ToQString());
    if (!info.isDir())
        return FALSE;
    Views& v = *m_pViews;
    const QString folder = QDir::cleanPath(info.absoluteFilePath());
    v.folder = folder;
    const QModelIndex root = v.model.mapFromSource(v.files.setRootPath(folder));
    v.list->setRootIndex(root);
    v.details->setRootIndex(root);
    v.list->selectionModel()->clearSelection();
    m_editPath.SetWindowText(CString::FromQString(QDir::toNativeSeparators(folder)));
    if (CWnd* pUp = GetDlgItem(kUpButton))
        pUp->EnableWindow(!QDir(folder).isRoot());
    UpdatePreview();
    OnFolderChange();
    return TRUE;
}

void CQZ2FileDialog::OnFolderChange()
{
    // Drawing and image folders get the shared view mode, once per dialog, in open dialogs only.
    if (m_bViewModeApplied || !m_bOpen || (m_dwCurrentFlag & (0x2 | 0x40 | 0x100000)) == 0)
        return;
    m_bViewModeApplied = TRUE;
    ShowView(c_dwViewMode);
}

void CQZ2FileDialog::ShowView(DWORD dwMode)
{
    if (dwMode != kViewSmallIcons && dwMode != kViewList && dwMode != kViewDetails)
        dwMode = kViewIcons;
    m_dwShownView = dwMode;
    if (!m_pViews || !m_pViews->list)
        return;
    QListView& list = *m_pViews->list;
    switch (dwMode) {
    case kViewIcons:
        list.setViewMode(QListView::IconMode);
        list.setIconSize(QSize(96, 96));
        list.setGridSize(QSize(120, 128));
        list.setWordWrap(true);
        break;
    case kViewSmallIcons:
        list.setViewMode(QListView::ListMode);
        list.setFlow(QListView::LeftToRight);
        list.setIconSize(QSize(16, 16));
        list.setGridSize(QSize(150, 22));
        list.setWrapping(true);
        break;
    case kViewList:
        list.setViewMode(QListView::ListMode);
        list.setFlow(QListView::TopToBottom);
        list.setIconSize(QSize(16, 16));
        list.setGridSize(QSize());
        list.setWrapping(true);
        break;
    default:
        break;
    }
    list.setMovement(QListView::Static);
    list.setResizeMode(QListView::Adjust);
    list.setVisible(dwMode != kViewDetails);
    m_pViews->details->setVisible(dwMode == kViewDetails);
}

void CQZ2FileDialog::RememberViewMode()
{
    c_dwViewMode = m_dwShownView;
}

void CQZ2FileDialog::OnViewButton(UINT nID)
{
    ShowView(nID);
}

void CQZ2FileDialog::OnUp()
{
    if (!m_pViews)
        return;
    QDir folder(m_pViews->folder);
    if (folder.cdUp())
        ShowFolder(CString::FromQString(folder.absolutePath()));
}

void CQZ2FileDialog::ApplyFilterToView()
{
    if (!m_pViews)
        return;
    QStringList patterns;
    if (m_nFilterIndex >= 0 && m_nFilterIndex < m_flags.GetSize()) {
        if (const FileType* pType = TypeOf(m_flags[m_nFilterIndex])) {
            for (const QString& pattern :
                 QString::fromUtf16(pType->pattern).split(QLatin1Char(';'), Qt::SkipEmptyParts))
                patterns << (pattern == QStringLiteral("*.*") ? QStringLiteral("*") : pattern);
        }
    }
    m_pViews->files.setNameFilters(patterns);
}

void CQZ2FileDialog::OnTypeChange()
{
    const int nEntry = m_comboType.GetCurSel();
    if (nEntry < 0 || nEntry >= m_flags.GetSize())
        return;
    if (!m_bOpen) {
        // A typed name with an extension takes the new type's extension (or none).
        CString spec;
        m_editName.GetWindowText(spec);
        const int nSlash = spec.ReverseFind(u'/');
        const int nDot = spec.ReverseFind(u'.');
        if (nDot > nSlash + 1 && nDot < spec.GetLength() - 1 && spec.GetLength() < kMaxPath) {
            CString name = spec.Left(nDot);
            const CString extension = Extension(nEntry);
            if (!extension.IsEmpty()) {
                name += u'.';
                name += extension;
            }
            m_editName.SetWindowText(name);
        }
    }
    m_nFilterIndex = nEntry;
    m_dwCurrentFlag = m_flags[nEntry];
    ApplyFilterToView();
}

CStringArray CQZ2FileDialog::SplitNames(const CString& text) const
{
    CStringArray names;
    const QString all = text.ToQString().trimmed();
    if (!all.startsWith(QLatin1Char('"'))) {
        if (!all.isEmpty())
            names.Add(CString::FromQString(all));
        return names;
    }
    // "a.kvcd" "b.kvcd": each quoted name once, in order.
    int at = 0;
    while (at < all.size()) {
        const int open = all.indexOf(QLatin1Char('"'), at);
        if (open < 0)
            break;
        const int close = all.indexOf(QLatin1Char('"'), open + 1);
        const QString name = all.mid(open + 1, close < 0 ? -1 : close - open - 1).trimmed();
        if (!name.isEmpty())
            names.Add(CString::FromQString(name));
        if (close < 0)
            break;
        at = close + 1;
    }
    return names;
}

CString CQZ2FileDialog::Absolute(const CString& name) const
{
    QString path = name.ToQString();
    if (path.startsWith(QStringLiteral("~/")))
        path = QDir::homePath() + path.mid(1);
    if (QFileInfo(path).isRelative() && m_pViews)
        path = QDir(m_pViews->folder).filePath(path);
    return CString::FromQString(QDir::cleanPath(path));
}

void CQZ2FileDialog::ShowError(UINT nID, const CString& name)
{
    CString text;
    text.Format(nID, name);
    AfxMessageBox(text, MB_OK | MB_ICONEXCLAMATION);
}

void CQZ2FileDialog::OnOK()
{
    // Return in the path bar goes to the folder typed there.
    CWnd* pFocus = CWnd::GetFocus();
    if (pFocus != nullptr && pFocus->GetSafeHwnd() == m_editPath.GetSafeHwnd()) {
        CString typed;
        m_editPath.GetWindowText(typed);
        if (!ShowFolder(Absolute(typed)))
            ShowError(IDP_FOLDER_NOT_FOUND, typed);
        return;
    }
    CString text;
    m_editName.GetWindowText(text);
    CStringArray names;
    if (m_bOpen && m_bMultiSelect) {
        names.Copy(SplitNames(text));
    } else {
        CString one = text;
        one.Trim();
        if (one.GetLength() >= 2 && one[0] == u'"' && one[one.GetLength() - 1] == u'"')
            one = one.Mid(1, one.GetLength() - 2);
        if (!one.IsEmpty())
            names.Add(one);
    }
    if (names.GetSize() == 0)
        return;
    // A pattern typed as the name shows only the files it matches.
    if (names.GetSize() == 1 && (names[0].Find(u'*') >= 0 || names[0].Find(u'?') >= 0) && m_pViews) {
        m_pViews->files.setNameFilters(QStringList{names[0].ToQString()});
        return;
    }
    // A folder typed as the name is entered.
    if (names.GetSize() == 1 && QFileInfo(Absolute(names[0]).ToQString()).isDir()) {
        ShowFolder(Absolute(names[0]));
        m_editName.SetWindowText(CString());
        return;
    }
    const BOOL bDone = m_bOpen ? CollectOpen(names) : CollectSave(names[0]);
    if (!bDone)
        return;
    const int nEntry = m_comboType.GetCurSel();
    if (nEntry >= 0 && nEntry < m_flags.GetSize()) {
        m_nFilterIndex = nEntry;
        m_dwCurrentFlag = m_flags[nEntry];
    }
    EndDialog(IDOK);
}

void CQZ2FileDialog::OnCancel()
{
    m_files.RemoveAll();
    CDialog::OnCancel();
}

BOOL CQZ2FileDialog::CollectOpen(const CStringArray& names)
{
    CStringArray paths;
    for (INT_PTR i = 0; i < names.GetSize(); ++i) {
        CString path = Absolute(names[i]);
        QFileInfo info(path.ToQString());
        // A name typed without its extension finds the file of the chosen type.
        if (!info.exists() && info.suffix().isEmpty()) {
            const CString extension = Extension(m_comboType.GetCurSel());
            if (!extension.IsEmpty()) {
                const CString withExtension = path + u'.' + extension;
                if (QFileInfo(withExtension.ToQString()).isFile()) {
                    path = withExtension;
                    info = QFileInfo(path.ToQString());
                }
            }
        }
        if (!info.isFile()) {
            ShowError(IDP_FILE_NOT_FOUND, names[i]);
            return FALSE;
        }
        paths.Add(path);
    }
    m_files.Copy(paths);
    return TRUE;
}

BOOL CQZ2FileDialog::CollectSave(CString name)
{
    CString path = Absolute(name);
    QFileInfo info(path.ToQString());
    if (!QFileInfo(info.absolutePath()).isDir()) {
        ShowError(IDP_FOLDER_NOT_FOUND, CString::FromQString(QDir::toNativeSeparators(info.absolutePath())));
        return FALSE;
    }
    // The chosen type's extension, added behind whatever other extension the name has.
    const CString extension = Extension(m_comboType.GetCurSel());
    if (!extension.IsEmpty() && info.suffix().compare(extension.ToQString(), Qt::CaseInsensitive) != 0) {
        CString lower = extension;
        lower.MakeLower();
        path += u'.';
        path += lower;
        info = QFileInfo(path.ToQString());
        m_editName.SetWindowText(CString::FromQString(info.fileName()));
        if (path.GetLength() >= kMaxPath)
            return FALSE;
    }
    if (info.exists()) {
        if (info.isDir())
            return FALSE;
        if (!info.isWritable()) {
            ShowError(IDP_FILE_READ_ONLY, CString::FromQString(info.fileName()));
            return FALSE;
        }
        CString question;
        question.Format(IDP_REPLACE_FILE, CString::FromQString(info.fileName()));
        if (AfxMessageBox(question, MB_YESNO | MB_ICONEXCLAMATION) != IDYES)
            return FALSE;
    }
    m_files.RemoveAll();
    m_files.Add(path);
    return TRUE;
}

void CQZ2FileDialog::UpdatePreview()
{
    if (!m_pViews || !m_pViews->picture)
        return;
    Views& v = *m_pViews;
    QString path;
    QModelIndexList rows;
    for (const QModelIndex& index : v.list->selectionModel()->selectedIndexes()) {
        if (index.column() == 0)
            rows << index;
    }
    if (rows.size() == 1) {
        const QModelIndex source = v.model.mapToSource(rows.front());
        if (!v.files.isDir(source))
            path = v.files.filePath(source);
    }
    QString title, author;
    QPixmap picture;
    if (!path.isEmpty()) {
        const QSize box = v.picture->contentsRect().size();
        const FileThumbnailCache::Entry* pEntry = v.cache.Find(path);
        if (pEntry != nullptr) {
            if (!pEntry->image.isNull())
                picture = QPixmap::fromImage(
                    pEntry->image.scaled(box, Qt::KeepAspectRatio, Qt::SmoothTransformation));
            title = pEntry->title;
            author = pEntry->author;
        }
        // A file without a picture (or whose picture is damaged) shows its type's icon.
        const bool bPending = pEntry == nullptr && FileThumbnailCache::MayHavePicture(path);
        if (picture.isNull() && !bPending) {
            QIcon icon = v.files.fileIcon(v.files.index(path));
            // Without an icon theme the style's plain file serves.
            if (icon.isNull() || icon.availableSizes().isEmpty())
                icon = v.picture->style()->standardIcon(QStyle::SP_FileIcon);
            picture = icon.pixmap(48, 48);
        }
    }
    v.picture->setPixmap(picture);
    CString titleText, authorText;
    if (!title.isEmpty())
        titleText.Format(IDS_PREVIEW_TITLE, CString::FromQString(title));
    if (!author.isEmpty())
        authorText.Format(IDS_PREVIEW_AUTHOR, CString::FromQString(author));
    SetDlgItemText(kPreviewTitle, titleText);
    SetDlgItemText(kPreviewAuthor, authorText);
}
