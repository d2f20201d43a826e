#include "commands/edit/CQZ2OlePasteSpecialDialog.h"

IMPLEMENT_DYNAMIC(CQZ2OlePasteSpecialDialog, COlePasteSpecialDialog)

BEGIN_MESSAGE_MAP(CQZ2OlePasteSpecialDialog, COlePasteSpecialDialog)
END_MESSAGE_MAP()

CQZ2OlePasteSpecialDialog::CQZ2OlePasteSpecialDialog() : COlePasteSpecialDialog(PSF_SELECTPASTE, nullptr)
{
}
