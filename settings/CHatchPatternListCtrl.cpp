#include "settings/CHatchPatternListCtrl.h"

#include <QtGui/QPainter>

#include "libs/vevure/GraphicManager.h"
#include "libs/vevure/HatchSetting.h"
#include "platform/gdi/CBitmap.h"
#include "platform/gdiplus/HatchBrush.h"
#include "platform/win/CImageList.h"
#include "platform/win/WinCtrlConstants.h"

IMPLEMENT_DYNAMIC(CHatchPatternListCtrl, CListCtrl)

CHatchPatternListCtrl::CHatchPatternListCtrl() = default;

CHatchPatternListCtrl::~CHatchPatternListCtrl()
{
    if (GetSafeHwnd() != nullptr)
        DestroyWindow();
    delete m_pImageList;
}

QImage CHatchPatternListCtrl::CreatePatternImage(int nPattern, COLORREF background, COLORREF line,
                                                 double transparency, int nWidth, int nHeight)
{
    QImage image(nWidth, nHeight, QImage::Format_ARGB32);
    image.fill(Qt::white);
    const BYTE alpha = static_cast<BYTE>((1.0 - transparency) * 255.0);
    const Gdiplus::Color fore(alpha, GetRValue(line), GetGValue(line), GetBValue(line));
    const Gdiplus::Color back(alpha, GetRValue(background), GetGValue(background), GetBValue(background));
    const Gdiplus::HatchBrush brush(GraphicManager::ConvertToGdiPlusHatchStyle(nPattern), fore, back);
    QPainter painter(&image);
    painter.fillRect(QRect(0, 0, nWidth, nHeight), brush.ToQBrush(QTransform()));
    painter.setPen(QPen(Qt::black, 2.0));
    painter.setBrush(Qt::NoBrush);
    painter.drawRect(QRectF(0, 0, nWidth, nHeight));
    return image;
}

CImageList* CHatchPatternListCtrl::CreatePatternImageList() const
{
    const int nCount = HatchSetting::GetPatternSize();
    auto* pList = new CImageList;
    if (!pList->Create(m_nImageWidth, m_nImageHeight, ILC_COLORDDB, nCount, 1)) {
        delete pList;
        return nullptr;
    }
    for (int n = 0; n < nCount; ++n) {
        CBitmap bitmap;
        if (!bitmap.CreateFromImage(CreatePatternImage(n, m_backColor, m_lineColor, m_dTransparency, m_nImageWidth,
                                                       m_nImageHeight)) ||
            pList->Add(&bitmap, static_cast<CBitmap*>(nullptr)) < 0) {
            delete pList;
            return nullptr;
        }
    }
    return pList;
}

void CHatchPatternListCtrl::ArrangeIcons()
{
    if (GetItemCount() == 0)
        return;
    CRect icon, label;
    GetItemRect(0, &icon, LVIR_ICON);
    GetItemRect(0, &label, LVIR_LABEL);
    SetIconSpacing(m_nImageWidth + 20, icon.Height() + label.Height() + 10);
    Arrange(LVA_DEFAULT);
}

BOOL CHatchPatternListCtrl::FillPatterns()
{
    CImageList* pImages = CreatePatternImageList();
    if (pImages == nullptr)
        return FALSE;
    DeleteAllItems();
    SetImageList(pImages, LVSIL_NORMAL);
    delete m_pImageList;
    m_pImageList = pImages;
    for (int n = 0; n < HatchSetting::GetPatternSize(); ++n)
        InsertItem(n, HatchSetting::GetPatternName(n), n);
    ArrangeIcons();
    return TRUE;
}

BOOL CHatchPatternListCtrl::UpdatePatternImages()
{
    CImageList* pImages = CreatePatternImageList();
    if (pImages == nullptr)
        return FALSE;
    SetImageList(pImages, LVSIL_NORMAL);
    delete m_pImageList;
    m_pImageList = pImages;
    // The same loop bound as the pictures: every pattern there is.
    if (GetSafeHwnd() != nullptr && GetItemCount() > 0)
        RedrawItems(0, HatchSetting::GetPatternSize() - 1);
    return TRUE;
}

BOOL CHatchPatternListCtrl::SetColors(COLORREF background, COLORREF line, float transparency)
{
    if (!(transparency >= 0.0f && transparency <= 1.0f))
        return FALSE;
    m_backColor = background;
    m_lineColor = line;
    m_dTransparency = transparency;
    UpdatePatternImages();
    return TRUE;
}

BOOL CHatchPatternListCtrl::SetBackColor(COLORREF background)
{
    m_backColor = background;
    UpdatePatternImages();
    return TRUE;
}

BOOL CHatchPatternListCtrl::SetLineColor(COLORREF line)
{
    m_lineColor = line;
    UpdatePatternImages();
    return TRUE;
}

BOOL CHatchPatternListCtrl::SetTransparency(float transparency)
{
    if (!(transparency >= 0.0f && transparency <= 1.0f))
        return FALSE;
    m_dTransparency = transparency;
    UpdatePatternImages();
    return TRUE;
}

BOOL CHatchPatternListCtrl::SelectPattern(int nPattern)
{
    if (nPattern == -1)
        return FALSE;
    if (nPattern >= 0 && nPattern < HatchSetting::GetPatternSize() && nPattern < GetItemCount()) {
        for (int i = GetNextItem(-1, LVNI_SELECTED); i != -1; i = GetNextItem(i, LVNI_SELECTED))
            if (i != nPattern)
                SetItemState(i, 0, LVIS_SELECTED);
        SetItemState(nPattern, LVIS_SELECTED | LVIS_FOCUSED, LVIS_SELECTED | LVIS_FOCUSED);
        EnsureVisible(nPattern, FALSE);
        return TRUE;
    }
    for (int i = GetNextItem(-1, LVNI_SELECTED); i != -1; i = GetNextItem(i, LVNI_SELECTED))
        SetItemState(i, 0, LVIS_SELECTED);
    return TRUE;
}

int CHatchPatternListCtrl::GetSelectedPattern() const
{
    return GetNextItem(-1, LVNI_SELECTED);
}
