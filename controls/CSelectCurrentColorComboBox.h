#pragma once
// The colour field of the attribute toolbar: shows a document's current colour (the current layer's
// colour in brackets for "by layer") and writes the user's choice back as one undo step.

#include "controls/CSelectColorComboBox.h"

class Draw2dDocument;

class CSelectCurrentColorComboBox : public CSelectColorComboBox
{
    DECLARE_DYNAMIC(CSelectCurrentColorComboBox)
public:
    CSelectCurrentColorComboBox();
    ~CSelectCurrentColorComboBox() override;

    // Binds to the document (NULL: none) and shows its values; nothing when already bound to it.
    void SetDocument(Draw2dDocument* pDocument);
    Draw2dDocument* GetDocument() const { return m_pDocument; }
    // Reads the document's current values again.
    void Refresh();

    void MeasureItem(LPMEASUREITEMSTRUCT lpMeasureItemStruct) override;

protected:
    LRESULT OnColorChosen(WPARAM wParam, LPARAM lParam) override;

    Draw2dDocument* m_pDocument = nullptr;
};
