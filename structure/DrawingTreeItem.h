#pragma once
// What one item of a drawing tree stands for: a drawing, or a part layout with the drawing it shows.
// Ids, not pointers: undo and redo replace the document's drawing records, so a kept pointer would dangle.

struct DrawingTreeItem
{
    long nDrawingID = -1;  // the drawing; for a layout item, the drawing the layout shows
    long nLayoutID = -1;   // -1 for a paper or part-drawing item
};
