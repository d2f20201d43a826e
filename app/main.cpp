// The program's entry: the one application object and the framework's start.

#include <cstring>

#include "app/CQZ2App.h"
#include "app/QZ2Thumbnail.h"

CQZ2App theApp;

int main(int argc, char* argv[])
{
    // File managers ask for pictures of drawings without starting the interface.
    if (argc >= 2 && std::strcmp(argv[1], "--thumbnail") == 0)
        return QZ2Thumbnail::RunThumbnailer(argc - 2, argv + 2);
    return AfxWinMain(argc, argv);
}
