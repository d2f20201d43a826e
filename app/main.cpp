#include <QtWidgets/QApplication>
#include <QtWidgets/QMainWindow>

#include "app/MainWindowPlaceholder.h"

int main(int argc, char* argv[])
{
    QApplication application(argc, argv);
    QMainWindow* window = CreateStartupWindow();
    window->show();
    const int result = application.exec();
    delete window;
    return result;
}
