// File > Properties of a drawing.

#include "app/CQZ2Doc.h"

#include "app/CDocumentPropertiesPropertySheet.h"
#include "platform/win/WinConstants.h"

void CQZ2Doc::OnFileProperties()
{
    CDocumentPropertiesPropertySheet sheet(nullptr, -1);
    sheet.SetDocument(this);
    if (sheet.DoModal() != IDOK)
        return;
    // The properties go with the drawing's next save; they do not make it modified by themselves.
    sheet.StoreTo(m_properties);
}
