#pragma once
// The line-width field of the attribute toolbar, bound to a document's current line width.

#include "controls/CSelectLineWidthComboBox.h"

class Draw2dDocument;

class CSelectCurrentLineWidthComboBox : public CSelectLineWidthComboBox
{
    DECLARE_DYNAMIC(CSelectCurrentLineWidthComboBox)
public:
    CSelectCurrentLineWidthComboBox();
    ~CSelectCurrentLineWidthComboBox() override;

    void SetDocument(Draw2dDocument* pDocument);
    Draw2dDocument* GetDocument() const { return m_pDocument; }
    void Refresh();

protected:
    void OnSelectionChanged() override;
    LRESULT OnChoose(WPARAM wParam, LPARAM lParam) override;
    // One undo step that makes the number current; nothing for the value already current.
    void WriteCurrent(int nNumber);

    Draw2dDocument* m_pDocument = nullptr;
};
