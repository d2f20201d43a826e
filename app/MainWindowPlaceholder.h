#pragma once

class QMainWindow;

// The program's first window until the application object and its main frame take over start-up.
QMainWindow* CreateStartupWindow();
