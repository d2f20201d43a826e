#pragma once
// The line-type field of the attribute toolbar, bound to a document's current line type.

#include "controls/CSelectLineTypeComboBox.h"

class Draw2dDocument;

class CSelectCurrentLineTypeComboBox : public CSelectLineTypeComboBox
{
    DECLARE_DYNAMIC(CSelectCurrentLineTypeComboBox)
public:
    CSelectCurrentLineTypeComboBox();
    ~CSelectCurrentLineTypeComboBox() override;

    void SetDocument(Draw2dDocument* pDocument);
    Draw2dDocument* GetDocument() const { return m_pDocument; }
    void Refresh();
    // Refills the list from the document's table, then refreshes.
    void RebuildList();

protected:
    void OnSelectionChanged() override;

    Draw2dDocument* m_pDocument = nullptr;
};
