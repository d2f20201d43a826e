#pragma once
// The property list's editor of drawing rows: a drawing combo box bound to the row's own drawing item,
// which takes the chosen drawing and layout before the list reads the row back. Registered through the
// property list's combo hook when the library loads; rows of other kinds go on to the hook it found
// there (the layer rows' editor among them).

class CWnd;
class PropertyListItem;

class DrawingComboEditor
{
public:
    // Installs the hook (once).
    static void Register();
    // The editor of a drawing row, or what the earlier hook makes for other rows.
    static CWnd* CreateEditor(PropertyListItem& row, CWnd* pList, unsigned int nID);
    // The tree's option mask for a row's accepted entries (papers, part drawings, layouts).
    static unsigned short TreeOptionsFor(int nAcceptedEntries);
};
