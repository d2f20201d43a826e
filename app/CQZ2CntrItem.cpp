#include "app/CQZ2CntrItem.h"

#include <QtCore/QCryptographicHash>
#include <QtCore/QFile>
#include <QtCore/QFileInfo>
#include <QtCore/QFileSystemWatcher>
#include <QtCore/QTemporaryDir>
#include <QtCore/QUrl>
#include <QtGui/QDesktopServices>

#include <map>

#include "app/CQZ2Doc.h"
#include "commands/shape/EmbeddedFileBuilder.h"
#include "libs/vevure/Draw2dDocument.h"
#include "libs/vevure/EmbeddedFileRecord.h"
#include "libs/vevure/FeatureType.h"
#include "libs/vevure/OleObject2dFeature.h"
#include "platform/win/CWinApp.h"
#include "platform/win/WinConstants.h"

IMPLEMENT_DYNAMIC(CQZ2CntrItem, CObject)

namespace {

// "This file was not opened: the desktop would run it as a program."
constexpr UINT kRunnableRefused = 13010;
// "The object's data is damaged; it cannot be opened."
constexpr UINT kDamaged = 13011;
// "The object could not be opened."
constexpr UINT kOpenFailed = 13012;
// "The linked file cannot be found:\n%s"
constexpr UINT kLinkMissing = 13013;

struct DocItems {
    const Draw2dDocument* model = nullptr;  // the items belong to this data model
    std::map<long, std::unique_ptr<CQZ2CntrItem>> items;
};

std::map<const CQZ2Doc*, DocItems>& Registry()
{
    static std::map<const CQZ2Doc*, DocItems> registry;
    return registry;
}

// A document whose data model was replaced (a file read into it) starts with no items.
DocItems& ItemsOf(CQZ2Doc* pDoc)
{
    DocItems& entry = Registry()[pDoc];
    if (entry.model != pDoc->GetDraw2dDocument()) {
        entry.items.clear();
        entry.model = pDoc->GetDraw2dDocument();
    }
    return entry;
}

QByteArray Digest(const QByteArray& bytes)
{
    return QCryptographicHash::hash(bytes, QCryptographicHash::Sha256);
}

}  // namespace

struct CQZ2CntrItem::Private {
    std::unique_ptr<QTemporaryDir> folder;
    std::unique_ptr<QFileSystemWatcher> watcher;
    QByteArray written;  // digest of the bytes last written or taken back
    bool taking = false;
};

CQZ2CntrItem::CQZ2CntrItem(CQZ2Doc* pContainer, long nFeatureID)
    : m_pDocument(pContainer), m_nFeatureID(nFeatureID), m_p(std::make_unique<Private>())
{
}

CQZ2CntrItem::~CQZ2CntrItem() = default;

const OleObject2dFeature* CQZ2CntrItem::GetFeature() const
{
    const Draw2dDocument* pModel = m_pDocument != nullptr ? m_pDocument->GetDraw2dDocument() : nullptr;
    const Feature2dBase* pFeature = pModel != nullptr && m_nFeatureID != -1 ? pModel->GetFeature(m_nFeatureID) : nullptr;
    return pFeature != nullptr && pFeature->GetFeatureType() == FeatureTypeOleObject
               ? static_cast<const OleObject2dFeature*>(pFeature)
               : nullptr;
}

BOOL CQZ2CntrItem::GetExtentMM(double& cx, double& cy) const
{
    cx = cy = 0.0;
    const OleObject2dFeature* pFeature = GetFeature();
    if (pFeature == nullptr)
        return FALSE;
    const double w = pFeature->GetOleObjectSetting().GetNaturalWidth();
    const double h = pFeature->GetOleObjectSetting().GetNaturalHeight();
    if (!(w > 0.0) || !(h > 0.0))
        return FALSE;
    cx = w;
    cy = h;
    return TRUE;
}

BOOL CQZ2CntrItem::UpdateFeatureFromExtent(double w, double h)
{
    const OleObject2dFeature* pFeature = GetFeature();
    Draw2dDocument* pModel = m_pDocument != nullptr ? m_pDocument->GetDraw2dDocument() : nullptr;
    if (pFeature == nullptr || pModel == nullptr)
        return FALSE;
    double ow = 0.0, oh = 0.0;
    GetExtentMM(ow, oh);
    if (ow == w && oh == h) {
        pModel->UpdateAllFeatures(TRUE);
        return TRUE;
    }
    std::unique_ptr<OleObject2dFeature> copy(static_cast<OleObject2dFeature*>(pFeature->CopyObject()));
    OleObjectSetting setting(copy->GetOleObjectSetting());
    if (w > 0.0)
        setting.SetNaturalWidth(w);
    if (h > 0.0)
        setting.SetNaturalHeight(h);
    copy->SetOleObjectSetting(setting);
    if (ow > 1e-7 && oh > 1e-7) {
        const double nw = copy->GetWidth() * w / ow, nh = copy->GetHeight() * h / oh;
        if (nw > 0.0)
            copy->SetWidth(nw);
        if (nh > 0.0)
            copy->SetHeight(nh);
    } else {
        if (w > 0.0)
            copy->SetWidth(w);
        if (h > 0.0)
            copy->SetHeight(h);
    }
    const BOOL bDone = pModel->UpdateFeature(m_nFeatureID, copy.get(), 1, Feature2dBase::copyAll);
    pModel->UpdateAllFeatures(TRUE);
    return bDone;
}

int CQZ2CntrItem::Open()
{
    const OleObject2dFeature* pFeature = GetFeature();
    EmbeddedFileRecord record;
    if (pFeature == nullptr || !record.Read(pFeature->GetItemData()))
        return openDamaged;
    if (record.m_bLink) {
        const QFileInfo linked(record.m_strLinkPath.ToQString());
        if (!linked.isFile())
            return openMissing;
        if (QZ2Command::EmbeddedFileBuilder::IsRunnable(record.m_strLinkPath, record.m_strMimeType))
            return openRefused;
        m_strOpenedPath = CString::FromQString(linked.absoluteFilePath());
        return QDesktopServices::openUrl(QUrl::fromLocalFile(linked.absoluteFilePath())) ? openDone : openFailed;
    }
    // The stored type alone already decides, before anything is written.
    const CString name = record.GetSafeFileName();
    if (QZ2Command::EmbeddedFileBuilder::IsRunnable(name, record.m_strMimeType))
        return openRefused;
    if (m_p->folder == nullptr || !m_p->folder->isValid()) {
        m_p->watcher.reset();
        m_p->folder = std::make_unique<QTemporaryDir>();
        if (!m_p->folder->isValid())
            return openFailed;
    }
    const QString path = m_p->folder->filePath(name.ToQString());
    const QByteArray bytes(reinterpret_cast<const char*>(record.m_data.data()), (qsizetype)record.m_data.size());
    QFile::remove(path);
    QFile file(path);
    // Created for the user alone, never executable.
    if (!file.open(QIODevice::WriteOnly | QIODevice::NewOnly, QFileDevice::ReadOwner | QFileDevice::WriteOwner) ||
        file.write(bytes) != bytes.size() || !file.flush()) {
        file.close();
        QFile::remove(path);
        return openFailed;
    }
    file.close();
    QFile::setPermissions(path, QFileDevice::ReadOwner | QFileDevice::WriteOwner);
    // What the content turned out to be counts as well as its stored type.
    if (QZ2Command::EmbeddedFileBuilder::IsRunnable(CString::FromQString(path), record.m_strMimeType)) {
        QFile::remove(path);
        return openRefused;
    }
    m_p->written = Digest(bytes);
    m_strOpenedPath = CString::FromQString(path);
    Watch();
    return QDesktopServices::openUrl(QUrl::fromLocalFile(path)) ? openDone : openFailed;
}

void CQZ2CntrItem::Watch()
{
    if (m_p->folder == nullptr)
        return;
    if (m_p->watcher == nullptr) {
        m_p->watcher = std::make_unique<QFileSystemWatcher>();
        // Programs often save by writing a new file and renaming it over the old: the folder is watched too.
        QObject::connect(m_p->watcher.get(), &QFileSystemWatcher::directoryChanged, m_p->watcher.get(),
                         [this](const QString&) { TakeBackSavedCopy(); });
        QObject::connect(m_p->watcher.get(), &QFileSystemWatcher::fileChanged, m_p->watcher.get(),
                         [this](const QString&) { TakeBackSavedCopy(); });
        m_p->watcher->addPath(m_p->folder->path());
    }
    if (!m_strOpenedPath.IsEmpty() && QFileInfo::exists(m_strOpenedPath.ToQString()))
        m_p->watcher->addPath(m_strOpenedPath.ToQString());
}

BOOL CQZ2CntrItem::TakeBackSavedCopy()
{
    if (m_p->taking || m_p->folder == nullptr || m_strOpenedPath.IsEmpty())
        return FALSE;
    Watch();
    const OleObject2dFeature* pFeature = GetFeature();
    Draw2dDocument* pModel = m_pDocument != nullptr ? m_pDocument->GetDraw2dDocument() : nullptr;
    EmbeddedFileRecord record;
    if (pFeature == nullptr || pModel == nullptr || !record.Read(pFeature->GetItemData()) || record.m_bLink)
        return FALSE;
    QFile file(m_strOpenedPath.ToQString());
    const qint64 kMax = (qint64)EmbeddedFileRecord::kMaxDataBytes - 64 * 1024 * 1024;
    if (!file.open(QIODevice::ReadOnly) || file.size() > kMax)
        return FALSE;
    const QByteArray bytes = file.read(kMax + 1);
    file.close();
    const QByteArray digest = Digest(bytes);
    // A half-written save (empty) or what we already have is not taken.
    if (bytes.isEmpty() || bytes.size() > kMax || digest == m_p->written)
        return FALSE;
    const std::vector<BYTE> data(bytes.begin(), bytes.end());
    EmbeddedFileRecord taken;
    double w = 0.0, h = 0.0;
    if (!QZ2Command::EmbeddedFileBuilder::FromBytes(record.m_strFileName, data, taken, w, h))
        return FALSE;
    taken.m_strFileName = record.m_strFileName;
    const std::vector<BYTE> item = taken.Write();
    if (item.empty())
        return FALSE;
    m_p->taking = true;
    m_p->written = digest;
    pModel->BeginUndoOperation(nullptr);
    std::unique_ptr<OleObject2dFeature> copy(static_cast<OleObject2dFeature*>(pFeature->CopyObject()));
    copy->SetItemData(item.data(), item.size());
    BOOL bDone = pModel->UpdateFeature(m_nFeatureID, copy.get(), 1, Feature2dBase::copyAll);
    if (bDone)
        bDone = UpdateFeatureFromExtent(w, h);
    pModel->EndUndoOperation();
    m_p->taking = false;
    return bDone;
}

CQZ2CntrItem* CQZ2CntrItem::Find(CQZ2Doc* pDoc, long nFeatureID)
{
    if (pDoc == nullptr || pDoc->GetDraw2dDocument() == nullptr ||
        pDoc->GetDraw2dDocument()->GetFeatureType(nFeatureID) != FeatureTypeOleObject)
        return nullptr;
    auto& items = ItemsOf(pDoc).items;
    auto it = items.find(nFeatureID);
    if (it == items.end())
        it = items.emplace(nFeatureID, std::make_unique<CQZ2CntrItem>(pDoc, nFeatureID)).first;
    return it->second.get();
}

void CQZ2CntrItem::SyncItems(CQZ2Doc* pDoc)
{
    const Draw2dDocument* pModel = pDoc != nullptr ? pDoc->GetDraw2dDocument() : nullptr;
    if (pModel == nullptr)
        return;
    auto& items = ItemsOf(pDoc).items;
    for (auto it = items.begin(); it != items.end();)
        it = pModel->GetFeatureType(it->first) != FeatureTypeOleObject && it->second->m_strOpenedPath.IsEmpty()
                 ? items.erase(it)
                 : std::next(it);
    for (long id = pModel->GetNextFeatureRecordID(-1); id != -1; id = pModel->GetNextFeatureRecordID(id))
        if (pModel->GetFeatureType(id) == FeatureTypeOleObject && items.count(id) == 0)
            items.emplace(id, std::make_unique<CQZ2CntrItem>(pDoc, id));
}

BOOL CQZ2CntrItem::OpenObject(CQZ2Doc* pDoc, long nFeatureID)
{
    CQZ2CntrItem* pItem = Find(pDoc, nFeatureID);
    if (pItem == nullptr)
        return FALSE;
    const int result = pItem->Open();
    if (result == openDone)
        return TRUE;
    CString message;
    switch (result) {
    case openRefused:
        message.LoadString(kRunnableRefused);
        break;
    case openDamaged:
        message.LoadString(kDamaged);
        break;
    case openMissing: {
        EmbeddedFileRecord record;
        if (const OleObject2dFeature* pFeature = pItem->GetFeature())
            record.Read(pFeature->GetItemData());
        CString format;
        format.LoadString(kLinkMissing);
        message.Format(format, static_cast<LPCTSTR>(record.m_strLinkPath));
        break;
    }
    default:
        message.LoadString(kOpenFailed);
        break;
    }
    AfxMessageBox(message, MB_OK | MB_ICONEXCLAMATION);
    return FALSE;
}

void CQZ2CntrItem::OnDocumentClosing(CQZ2Doc* pDoc)
{
    Registry().erase(pDoc);
}
