#pragma once
// The laid-out look of one dimension: its extension lines, dimension line (lines or arcs), arrow heads
// and text parts, computed from its points and its style. The renderer, the rubber band, picking, the box
// and breaking a dimension into shapes all read this one layout. A dimension keeps its layout until it or
// its style changes; the layout is never stored.
//
// What the style values do here:
// - arrows inside (0) or outside (1) the extension lines; automatic (2, or the automatic flag) puts them
//   inside when the text and both heads fit, else as the not-settled mode says: 0 heads inside if they fit
//   and the text moved out, 1 heads outside and the text inside if it fits, 2 both outside;
// - outside heads get a stretch of dimension line of the outside length beyond them; the line between the
//   extension lines is then drawn only with the inside-dimension-line flag;
// - a text moved beyond an end gets the dimension line extended under it (extended-dimension-line flag);
// - text horizontal position: 0 middle, 1 near the first end, 2 near the second, 3 beyond the first,
//   4 beyond the second, 5 at the text point, 6 middle when it fits, else beyond the second; vertical:
//   0 above the line (away from the centre for arcs), 1 on it (the line is broken round it), 2 below;
// - text angle: 0 along the line (turned to read from below or the right), 1 level, 2 the style's angle;
// - extension lines: mode 0 start the offset away from the measured point, mode 1 are of fixed length;
//   both run the extension beyond the dimension line;
// - the dimension's own text-position mode: 1 the text at its text point, 2 the same with a leader from the
//   middle of the dimension line;
// - radius leader mode: 0 the text on the radius line, 1 the radius line runs on to the second point and a
//   level shelf under the text, 2 only the leader from outside (head pointing at the centre) and the shelf.

#include <memory>
#include <vector>

#include "libs/ruva/RuVaBndBox2d.h"
#include "libs/ruva/RuVaPnt2d.h"
#include "libs/vevure/DimensionText.h"

class Dimension2dFeatureBase;
class Feature2dBase;

class DimensionLayout
{
public:
    enum Role { RoleDimensionLine = 0, RoleExtensionLine = 1, RoleText = 2 };
    struct Piece {
        std::shared_ptr<Feature2dBase> feature;  // a line, arc, arrow, text or polyline
        int nRole = RoleDimensionLine;
        int nPart = DimensionText::PartNone;     // the text part of a text piece
    };

    explicit DimensionLayout(const Dimension2dFeatureBase& dimension);
    ~DimensionLayout();

    const std::vector<Piece>& GetPieces() const { return m_pieces; }
    const DimensionText& GetText() const { return m_text; }
    // Where the text row's origin stands and how it is turned (degrees).
    const RuVaPnt2d& GetTextOrigin() const { return m_textOrigin; }
    double GetTextAngle() const { return m_dTextAngle; }
    const RuVaBndBox2d& GetBndBox() const { return m_box; }
    bool AreArrowsOutside() const { return m_bArrowsOutside; }
    bool IsTextOutside() const { return m_bTextOutside; }

    // Gives a piece of that role the dimension's look: its colour, line type and width and layer, with the
    // extension lines' and the text's own colour, type and width where the style asks for them.
    static void ApplyLook(const Dimension2dFeatureBase& dimension, int nRole, Feature2dBase& piece);

private:
    struct Track;
    void LayOut(const Dimension2dFeatureBase& d);
    void LayOutTrack(const Dimension2dFeatureBase& d, const Track& track, double len, bool end1, bool end2);
    void AddExtensionLine(const RuVaPnt2d& foot, const RuVaPnt2d& onLine, int nIndex, const Dimension2dFeatureBase& d);
    void AddLine(const RuVaPnt2d& a, const RuVaPnt2d& b, int nRole);
    void AddPiece(Feature2dBase* piece, int nRole, int nPart = DimensionText::PartNone);
    void PlaceText(const Dimension2dFeatureBase& d, const RuVaPnt2d& centre, double dAngleDeg);
    void AddTextPieces(const Dimension2dFeatureBase& d);

    std::vector<Piece> m_pieces;
    DimensionText m_text;
    RuVaPnt2d m_textOrigin;
    double m_dTextAngle = 0.0;
    RuVaBndBox2d m_box;
    bool m_bArrowsOutside = false;
    bool m_bTextOutside = false;
};
