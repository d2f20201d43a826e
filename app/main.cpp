// The program's entry: the one application object and the framework's start.

#include "app/CQZ2App.h"

CQZ2App theApp;

int main(int argc, char* argv[])
{
    return AfxWinMain(argc, argv);
}
