#include "regionsearch/KcOCToolVersion.h"

extern "C" DWORD KcOCToolVersion()
{
    return (4u << 16) | 21u;
}
