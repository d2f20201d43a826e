#pragma once
// The property list's editor of layer rows: a layer combo box bound to the row's own layer item,
// which takes the chosen id before the list reads the row back. Registered through the property
// list's combo hook when the library loads; rows of other kinds go on to the hook it found there.

class CWnd;
class PropertyListItem;

class LayerComboEditor
{
public:
    // Installs the hook (once).
    static void Register();
    // The editor of a layer row, or what the earlier hook makes for other rows.
    static CWnd* CreateEditor(PropertyListItem& row, CWnd* pList, unsigned int nID);
};
