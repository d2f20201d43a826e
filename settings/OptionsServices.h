#pragma once
// What the options dialog and its command need of the application above them, registered by the
// application when it starts and cleared when it ends: its options record, copied into the dialog's pages
// and made from them, its command manager (whose value history the input page clears) and its interface
// language. Every hook answers FALSE/NULL/empty while nothing is registered.

#include "platform/afx/AfxTypes.h"
#include "platform/afx/CString.h"

class COptionsTreeDialog;

namespace QZ2Command {
class CommandManager;
}

struct OptionsServices {
    // Fills the dialog's pages from the application's options.
    BOOL (*pfnLoadOptions)(COptionsTreeDialog* pDialog) = nullptr;
    // Makes new options from the pages and hands them to the application, which applies and saves them.
    BOOL (*pfnApplyOptions)(COptionsTreeDialog* pDialog) = nullptr;
    QZ2Command::CommandManager* (*pfnGetCommandManager)() = nullptr;
    CString (*pfnGetLanguageCode)() = nullptr;

    static const OptionsServices& Get();
    static void Set(const OptionsServices& services);
};
