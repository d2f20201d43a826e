#pragma once
// The Paste Special dialog of the paste command: the platform's dialog, made to choose plain pasting
// (PSF_SELECTPASTE) with no data object and no parent window; the command adds the entries.

#include "platform/ole/COlePasteSpecialDialog.h"

class CQZ2OlePasteSpecialDialog : public COlePasteSpecialDialog
{
    DECLARE_DYNAMIC(CQZ2OlePasteSpecialDialog)
public:
    CQZ2OlePasteSpecialDialog();

protected:
    DECLARE_MESSAGE_MAP()
};
