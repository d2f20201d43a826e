#pragma once
// A combo box that shows one layer or layer group of a document and offers the others in a pop-up
// layer tree instead of a list (CTreeComboBox). A choice is posted to the owner as CBN_SELENDOK; the
// owner reads the new id with GetLayerID. Which rows the tree offers is the owner's option mask
// (CLayerTreeCtrl).

#include "structure/CTreeComboBox.h"

class CLayerDropDownTreeCtrl;

class CLayerComboBox : public CTreeComboBox
{
    DECLARE_DYNAMIC(CLayerComboBox)
public:
    // Display option: a folder image before the root group and before groups.
    static constexpr WORD kShowFolders = 0x01;

    CLayerComboBox();
    ~CLayerComboBox() override;

    void SetTreeOptions(WORD wOptions);
    WORD GetTreeOptions() const { return m_wTreeOptions; }
    void SetDisplayOptions(WORD wOptions) { m_wDisplayOptions = wOptions; }
    void SetLayerID(long nLayerID);
    long GetLayerID() const { return m_nLayerID; }

    CLayerDropDownTreeCtrl* GetDropDownTree() const;
    // The text the field shows for the id (empty for an id the document lacks).
    CString GetLayerText() const;

protected:
    // A layer was chosen (the id is the combo's already); before the owner hears of it.
    virtual void OnLayerChosen(long nLayerID) { (void)nLayerID; }

    CTreeCtrl* CreateDropDownTree() override;
    void FillDropDownTree() override;
    void SelectValueInDropDown() override;
    BOOL TakeDropDownChoice() override;
    CString GetValueText() const override { return GetLayerText(); }
    int DrawValueImage(CDC* pDC, const CRect& rcItem) override;

    long m_nLayerID = -1;
    WORD m_wTreeOptions = 0x37;
    WORD m_wDisplayOptions = 0;
};
