// Opens a native drawing file from arbitrary bytes: the compound file, its property sets and the
// drawing stream. Every outcome must be a drawing or a clear error, never a half-built document.

#include "app/QZ2NativeFile.h"

#include <cstdint>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    return QZ2NativeFileFuzzOne(data, size);
}
