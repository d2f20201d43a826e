#pragma once
// The document's hatch patterns: for now the list of their names and kinds, shown after a pattern has
// been stored. The editing buttons (new line and shape patterns, edit, copy, rename, delete) and the
// pictures come with the hatch settings.

#include "platform/win/CDialog.h"

class Draw2dDocument;

class CHatchPatternTableDialog : public CDialog
{
public:
    enum { IDD = 527 };
    static constexpr int kPatternList = 2400;

    CHatchPatternTableDialog(CWnd* pParent, Draw2dDocument* pDocument);
    ~CHatchPatternTableDialog() override;

    BOOL OnInitDialog() override;

private:
    Draw2dDocument* m_pDocument = nullptr;
};
