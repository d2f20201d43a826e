#pragma once
// The drawing the benchmarks share: n mixed shapes (lines, some dashed, polylines, circles, arcs and a few
// texts in eight colours) of about 5 units, spread at a constant density over a 16:9 area, always the
// same for the same n. It can also be written as an ASCII DXF file, for programs that read DXF.

#include <memory>
#include <string>
#include <vector>

#include "libs/ruva/RuVaPnt2d.h"

class Draw2dDocument;

namespace MixedDrawing {

// probes (optional) receives points just beside some of the lines.
std::unique_ptr<Draw2dDocument> Make(int nShapes, std::vector<RuVaPnt2d>* probes = nullptr);
// The same shapes added to an open document (its undo history is cleared afterwards).
void Fill(Draw2dDocument* doc, int nShapes, std::vector<RuVaPnt2d>* probes = nullptr);
// The same shapes as an ASCII DXF file; false when it cannot be written.
bool WriteDxf(int nShapes, const std::string& path);

}  // namespace MixedDrawing
