#include "structure/CLayerTableViewToolBar.h"

#include <algorithm>

#include <QtGui/QImage>
#include <QtGui/QPainter>
#include <QtWidgets/QWidget>

#include "command/LoadResourceString.h"
#include "platform/bcg/CBCGPToolBarImages.h"
#include "platform/bcg/CBCGPToolbarMenuButton.h"
#include "platform/bcg/CImageHash.h"
#include "platform/win/CMenu.h"

IMPLEMENT_DYNCREATE(CLayerTableViewToolBar, CBarToolBar)

CLayerTableViewToolBar::CLayerTableViewToolBar() = default;
CLayerTableViewToolBar::~CLayerTableViewToolBar() = default;

namespace {

QImage ModeImage(int nMode)
{
    QImage image(16, 16, QImage::Format_ARGB32);
    image.fill(Qt::transparent);
    QPainter p(&image);
    const QColor ink(45, 45, 45), sky(120, 170, 235);
    p.setPen(ink);
    if (nMode == 0) {
        p.fillRect(2, 3, 12, 10, Qt::white);
        p.fillRect(2, 3, 12, 3, sky);
        p.drawRect(1, 2, 13, 11);
        p.drawLine(2, 9, 14, 9);
        p.drawLine(6, 3, 6, 13);
    } else if (nMode == 1) {
        for (int y : {1, 9})
            for (int x : {1, 9}) {
                p.fillRect(x, y, 6, 6, Qt::white);
                p.drawRect(x, y, 5, 5);
            }
    } else {
        p.fillRect(1, 1, 14, 9, QColor(238, 242, 251));
        p.drawRect(1, 1, 13, 8);
        p.setPen(QColor(30, 95, 205));
        p.drawLine(3, 7, 7, 3);
        p.drawLine(7, 3, 12, 7);
        p.setPen(ink);
        for (int x : {1, 6, 11}) {
            p.fillRect(x, 11, 4, 4, Qt::white);
            p.drawRect(x, 11, 3, 3);
        }
    }
    return image;
}

}  // namespace

void CLayerTableViewToolBar::EnsureModeImages()
{
    CBCGPToolBarImages* pImages = CBCGPToolBar::GetImages();
    if (pImages == nullptr)
        return;
    const UINT ids[3] = {cmdTable, cmdThumbnails, cmdPreviewMode};
    for (int i = 0; i < 3; ++i)
        if (CImageHash::GetImageOfCommand(ids[i]) < 0) {
            const int index = pImages->AddImage(ModeImage(i));
            if (index >= 0)
                CImageHash::Set(ids[i], index);
        }
}

BOOL CLayerTableViewToolBar::CreateForView(CWnd* pView, UINT nID)
{
    if (!CreateForBar(pView, nID, kResource))
        return FALSE;
    EnsureModeImages();
    CMenu modes, preview;
    if (modes.LoadMenu(kModeMenu) && modes.GetSubMenu(0) != nullptr)
        ReplaceButton(cmdMode, CBCGPToolbarMenuButton(cmdMode, modes.GetSubMenu(0)->GetSafeHmenu(),
                                                      CImageHash::GetImageOfCommand(cmdTable)));
    if (preview.LoadMenu(kPreviewMenu) && preview.GetSubMenu(0) != nullptr) {
        CBCGPToolbarMenuButton button(0, preview.GetSubMenu(0)->GetSafeHmenu(), -1, LoadResourceString(kPreviewText));
        button.m_bText = TRUE;
        button.m_bImage = FALSE;
        ReplaceButton(cmdPreview, button);
    }
    SetToolTipStrings({{39488, 13000}, {cmdMode, 13001}, {34227, 13003}, {34228, 13004}, {34229, 13005}});
    return TRUE;
}

BOOL CLayerTableViewToolBar::OnUserToolTip(CBCGPToolbarButton* pButton, CString& strTTText) const
{
    if (pButton != nullptr && pButton->m_nID == 0 && pButton->m_bText && DYNAMIC_DOWNCAST(CBCGPToolbarMenuButton, pButton)) {
        strTTText = LoadResourceString(13002);
        return TRUE;
    }
    return CBarToolBar::OnUserToolTip(pButton, strTTText);
}

void CLayerTableViewToolBar::SetModeImage(UINT nModeCommand)
{
    const int index = CommandToIndex(cmdMode);
    if (CBCGPToolbarButton* pButton = index >= 0 ? GetButton(index) : nullptr) {
        pButton->SetImage(CImageHash::GetImageOfCommand(nModeCommand));
        AdjustLayout();
        if (GetSafeHwnd() != nullptr)
            UpdateWindow();
    }
}

CSize CLayerTableViewToolBar::GetFixedSize() const
{
    const QWidget* pStrip = GetLayoutWidget();
    if (pStrip == nullptr)
        return CSize(0, 22);
    const QSize hint = pStrip->sizeHint();
    return CSize(hint.width(), std::max(22, hint.height()));
}
