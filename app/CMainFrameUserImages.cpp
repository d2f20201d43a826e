// The images of user-defined toolbar buttons: a picture file in the user's data folder, made from the
// program's default strip when it is missing or cannot be read, kept as a 24-bit bitmap and registered
// with the toolbars.

#include "app/CMainFrame.h"

#include <memory>
#include <vector>

#include <QtCore/QDir>
#include <QtCore/QFileInfo>

#include "app/CQZ2Doc.h"
#include "libs/vevure/ImageTool.h"
#include "platform/afx/ResourceModule.h"
#include "platform/gdiplus/Bitmap.h"
#include "platform/gdiplus/Graphics.h"

namespace {

// The bitmap resource with the default user images.
constexpr UINT IDB_USERTOOLBARIMAGES = 30100;
constexpr UINT kFirstUserToolbar = 59600;
constexpr UINT kLastUserToolbar = 59699;
constexpr int kUserImageSize = 16;

// Writes the default images to strPath; FALSE when the resource is missing or the file cannot be written.
BOOL WriteDefaultUserImages(const CString& strPath)
{
    std::vector<BYTE> data;
    if (!AfxFindResourceData("BITMAP", IDB_USERTOOLBARIMAGES, data) || data.empty())
        return FALSE;
    std::unique_ptr<Gdiplus::Bitmap> bitmap(ImageTool::CreateImageFromData(data.data(), data.size()));
    return bitmap != nullptr && ImageTool::SaveImageFile(bitmap.get(), strPath);
}

}  // namespace

CString CMainFrame::GetUserImagesPath()
{
    const CString folder = CQZ2Doc::GetUserDataFolder();
    if (folder.IsEmpty())
        return CString();
    QString path = folder.ToQString();
    if (!path.endsWith(QLatin1Char('/')))
        path += QLatin1Char('/');
    return CString::FromQString(path + QStringLiteral("UserToolbarImages.bmp"));
}

Gdiplus::Bitmap* CMainFrame::CopyImageAs24Bit(Gdiplus::Image* pImage)
{
    if (pImage == nullptr)
        return nullptr;
    const UINT width = pImage->GetWidth();
    const UINT height = pImage->GetHeight();
    if (width == 0 || height == 0)
        return nullptr;
    auto copy = std::make_unique<Gdiplus::Bitmap>(static_cast<INT>(width), static_cast<INT>(height),
                                                  Gdiplus::PixelFormat24bppRGB);
    if (copy->GetLastStatus() != Gdiplus::Ok)
        return nullptr;
    {
        Gdiplus::Graphics graphics(copy.get());
        if (graphics.DrawImage(pImage, 0, 0, static_cast<INT>(width), static_cast<INT>(height)) != Gdiplus::Ok)
            return nullptr;
    }
    const float dpi = ImageTool::GetImageResolution(pImage);
    copy->SetResolution(dpi, dpi);
    return copy.release();
}

BOOL CMainFrame::InitUserToolbars()
{
    const CString path = GetUserImagesPath();
    if (!path.IsEmpty()) {
        const QFileInfo file(path.ToQString());
        QDir().mkpath(file.absolutePath());
        if (!file.exists())
            WriteDefaultUserImages(path);
        std::unique_ptr<Gdiplus::Bitmap> loaded(ImageTool::LoadBitmap(path));
        // A file that cannot be read is made again from the defaults.
        if (loaded == nullptr && WriteDefaultUserImages(path))
            loaded.reset(ImageTool::LoadBitmap(path));
        if (loaded != nullptr) {
            std::unique_ptr<Gdiplus::Bitmap> copy(CopyImageAs24Bit(loaded.get()));
            if (copy != nullptr)
                ImageTool::SaveImageFile(copy.get(), path);
        }
        m_UserImages.SetImageSize(CSize(kUserImageSize, kUserImageSize));
        if (m_UserImages.Load(path.GetString())) {
            m_UserImages.SetImageSize(CSize(kUserImageSize, kUserImageSize));
            CBCGPToolBar::SetUserImages(&m_UserImages);
        }
    }
    return CBCGPMDIFrameWnd::InitUserToolbars(nullptr, kFirstUserToolbar, kLastUserToolbar);
}
