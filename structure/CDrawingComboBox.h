#pragma once
// A combo box that shows one drawing or part layout of a document and offers the others in a pop-up
// drawing tree instead of a list (CTreeComboBox). A choice is posted to the owner as CBN_SELENDOK; the
// owner reads the new value with GetSelection. Which items the tree lists is the option mask
// (CDrawingTreeCtrl's bits). The value is kept as ids: undo and redo replace the document's drawing
// records.

#include "structure/CTreeComboBox.h"

class DrawingFeatureBase;
class PartDrawingLayout;
class CDrawingDropDownTreeCtrl;

class CDrawingComboBox : public CTreeComboBox
{
    DECLARE_DYNAMIC(CDrawingComboBox)
public:
    CDrawingComboBox();
    ~CDrawingComboBox() override;

    void SetSelection(const DrawingFeatureBase* pDrawing, const PartDrawingLayout* pLayout);
    // The drawing and layout shown, as the document holds them now (NULL when none or gone).
    BOOL GetSelection(const DrawingFeatureBase*& pDrawing, const PartDrawingLayout*& pLayout) const;
    long GetDrawingID() const { return m_nDrawingID; }
    long GetLayoutID() const { return m_nLayoutID; }
    // The text the field shows: the layout's name, else the drawing's.
    CString GetSelectionText() const;

    CDrawingDropDownTreeCtrl* GetDropDownTree() const;

    // The tree's option mask: papers and part drawings, no root, no layouts unless asked.
    WORD m_wTreeOptions = 0x06;

protected:
    // A drawing was chosen (the value is the combo's already); before the owner hears of it.
    virtual void OnDrawingChosen() {}

    CTreeCtrl* CreateDropDownTree() override;
    void FillDropDownTree() override;
    void SelectValueInDropDown() override;
    BOOL TakeDropDownChoice() override;
    CString GetValueText() const override { return GetSelectionText(); }

    long m_nDrawingID = -1;
    long m_nLayoutID = -1;
};
