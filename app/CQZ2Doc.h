#pragma once
// The program's document: one data-model drawing document. New documents start with copies of the
// application's default colour, line-type and line-width tables. Opening, saving and the rest of
// the document's life are added with the native file format.

#include "platform/win/COleServerDoc.h"

class Draw2dDocument;

class CQZ2Doc : public COleServerDoc
{
    DECLARE_DYNCREATE(CQZ2Doc)
public:
    CQZ2Doc();
    ~CQZ2Doc() override;

    Draw2dDocument* GetDraw2dDocument() const { return m_pDraw2dDocument; }

    BOOL OnNewDocument() override;
    void DeleteContents() override;

private:
    Draw2dDocument* m_pDraw2dDocument = nullptr;
};
