#pragma once
// One row of a grid: its cells and flags, and the per-cell behaviour (painting, measuring, editing,
// clearing) that a dialog may change by deriving its own row class.

#include <vector>

#include "platform/afx/CObject.h"
#include "platform/afx/CString.h"
#include "platform/gdi/GdiTypes.h"
#include "platform/ole/OleVariant.h"

class CGridCtrl;
class CWnd;
class GridCellItem;
class GridColumnItem;

namespace Gdiplus {
class Brush;
class Font;
class Graphics;
}  // namespace Gdiplus

class GridRowItem : public CObject
{
public:
    GridRowItem();
    GridRowItem(const GridRowItem& source);
    GridRowItem& operator=(const GridRowItem& source);
    ~GridRowItem() override;

    // A copy of the row as its own class; a derived row overrides it so that the grid keeps its kind.
    virtual GridRowItem* Clone() const;

    virtual void DrawCell(Gdiplus::Graphics& graphics, int nRow, int nColumn, const GridColumnItem& column,
                          const CRect& rcCell, const Gdiplus::Font& font, const Gdiplus::Brush& textBrush);
    virtual CSize MeasureCell(Gdiplus::Graphics& graphics, int nRow, int nColumn, const CRect& rcLayout,
                              const Gdiplus::Font& font);
    virtual BOOL OnBeginEdit(int nRow, int nColumn, int nKind, CWnd* pEditor);
    // Puts the cell's value into the editor.
    virtual BOOL LoadEditor(int nRow, int nColumn, int nKind, CWnd* pEditor);
    // Takes the editor's value; FALSE keeps the editor open.
    virtual BOOL SaveEditor(int nRow, int nColumn, int nKind, CWnd* pEditor);
    // Asks the grid's parent (0x80DE); TRUE when it lets the change happen.
    virtual BOOL NotifyValueChanging(int nRow, int nColumn, const VARIANT* pNewValue);
    virtual BOOL SetCheck(int nRow, int nColumn, BOOL bCheck);
    virtual BOOL SetIntValue(int nRow, int nColumn, int nValue);
    virtual BOOL SetToggle(int nRow, int nColumn, BOOL bOn);
    // The Delete key's rule of the column's kind.
    virtual BOOL ClearCell(int nRow, int nColumn, int nKind);
    // The text a tool tip shows for the cell; FALSE for check and radio cells, a missing cell or no value.
    virtual BOOL GetCellText(int nRow, int nColumn, CString& text);
    virtual BOOL GetValue(int nColumn, VARIANT* pValue) const;
    // Copies the value into the cell, making the cell (enabled) when missing.
    virtual BOOL SetValue(int nColumn, const VARIANT* pValue);

    GridCellItem* FindCell(int nColumn) const;
    BOOL IsCellEnabled(int nColumn) const;
    // Enables or disables the cell (made when missing).
    void EnableCell(int nColumn, BOOL bEnable);

    // The text a cell of that column shows for a value (the first line for multi-line text).
    static CString GetDisplayText(const GridColumnItem& column, const VARIANT& value);
    // A value as text, without the locale: numbers in C notation, booleans as 0/-1, dates as y/m/d.
    static CString VariantToText(const VARIANT& value);

    std::vector<GridCellItem*> m_cells;
    BOOL m_bShowRowNumber = TRUE;
    DWORD m_dwOwnerValue = 0;
    BOOL m_bSelected = FALSE;
    BOOL m_bSelectable = TRUE;
    CGridCtrl* m_pGrid = nullptr;

protected:
    const GridColumnItem* GetColumn(int nColumn) const;
    // Stores a value that differs from the cell's, for the state setters.
    BOOL StoreChanged(int nColumn, const VARIANT& value);
    void DeleteCells();
};
