// What the paste command reads from the clipboard, from arbitrary bytes: the first byte chooses the reader
// (0 native drawing data, 1 UTF-16 text, 2 a packed device-independent bitmap, 3 a file list, 4 a vector
// picture), the rest is its data. Every outcome is a refusal or a complete result; nothing leaks, nothing
// is allocated beyond the readers' limits. No file a list names is opened.

#include "platform/afx/afx.h"
#include "commands/edit/ClipDocument.h"
#include "commands/edit/ClipboardPaste2dCommand.h"
#include "commands/shape/EmbeddedFileBuilder.h"

#include <QtCore/QByteArray>

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    if (size == 0)
        return 0;
    const BYTE* p = reinterpret_cast<const BYTE*>(data) + 1;
    const std::size_t n = size - 1;
    switch (data[0] % 5) {
    case 0: {
        std::unique_ptr<QZ2Command::ClipDocument> clip(QZ2Command::ClipDocument::ReadNativeData(p, n));
        if (clip != nullptr) {
            // A clip that was read is whole: it writes again.
            CByteArray again;
            clip->WriteNativeData(again);
        }
        break;
    }
    case 1: {
        std::u16string chars(n / 2, u'\0');
        for (std::size_t i = 0; i < chars.size(); ++i)
            chars[i] = static_cast<char16_t>(p[2 * i] | p[2 * i + 1] << 8);
        CString text(chars.c_str());
        QZ2Command::ClipboardPaste2dCommand::PrepareText(text);
        break;
    }
    case 2: {
        std::vector<BYTE> png;
        double w = 0, h = 0;
        QZ2Command::ClipboardPaste2dCommand::DecodeDib(p, n, png, w, h);
        break;
    }
    case 3:
        for (const CString& path : QZ2Command::ClipboardPaste2dCommand::ParseFileList(p, n))
            if (path.IsEmpty())
                __builtin_trap();  // every path named is a real one
        break;
    default: {
        const std::vector<BYTE> bytes(p, p + n);
        // The check that decides whether a pasted vector picture is taken (parsing only: drawing it needs a
        // GUI application and its fonts).
        QZ2Command::EmbeddedFileBuilder::IsDrawableSvg(bytes);
        break;
    }
    }
    return 0;
}
