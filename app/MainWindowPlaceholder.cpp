#include "app/MainWindowPlaceholder.h"

#include <QtWidgets/QMainWindow>

QMainWindow* CreateStartupWindow()
{
    auto* window = new QMainWindow;
    window->setWindowTitle(QStringLiteral("KorvanCAD"));
    window->resize(1024, 768);
    return window;
}
