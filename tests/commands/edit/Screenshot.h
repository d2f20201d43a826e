#pragma once
// Saves a picture of a window when KC_SCREENSHOT_DIR names a folder (the documentation's pictures are
// taken this way); does nothing otherwise.

#include <cstdlib>

#include <QtCore/QDir>
#include <QtGui/QPixmap>
#include <QtWidgets/QWidget>

#include "platform/win/CWnd.h"

namespace kctest {

inline void SaveScreenshot(const CWnd& window, const char* name)
{
    const char* folder = std::getenv("KC_SCREENSHOT_DIR");
    QWidget* pWidget = window.GetQWidget();
    if (folder == nullptr || pWidget == nullptr)
        return;
    pWidget->grab().save(QDir(QString::fromUtf8(folder)).filePath(QString::fromUtf8(name)));
}

}  // namespace kctest
