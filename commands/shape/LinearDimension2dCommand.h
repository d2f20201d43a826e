#pragma once
// Adds linear dimensions: horizontal or vertical (chosen from the position, or fixed by the command) and
// parallel ones, measured between two points, along a picked line, polyline segment or circle, or between
// two picked parallel straight shapes. The value text is the measured one or typed; the text stands at the
// dimension or at a text point of its own.

#include "command/CommandBase.h"

class Draw2dDocument;
class Feature2dBase;

namespace QZ2Command {

class LinearDimension2dCommand : public CommandBase
{
    DECLARE_DYNCREATE(LinearDimension2dCommand)
public:
    enum : WORD {
        itemFirstPoint = 0,
        itemFeature = 1,
        itemSecondPoint = 2,
        itemTextMode = 3,
        itemText = 4,
        itemTextPosMode = 5,
        itemTextPoint = 6,
        itemPosition = 7,
        itemFirstParallel = 8,
        itemSecondParallel = 9,
    };
    static constexpr DWORD kFeatureMask = 0x0180000E;
    static constexpr DWORD kParallelMask = 0x01800C06;

    LinearDimension2dCommand() = default;

    BOOL TakeOverSelection(Draw2dDocument* pDocument) override;
    void SetupParameters() override;
    int OnInput(int nIndex) override;
    void DrawPreview(const CPoint& cursor, const RuVaPnt2d& world, const RuVaPnt2d& local, UINT nFlags) override;
    BOOL OnAlternativeChanging(int nIndex, int nAlternative) override;

    static BOOL IsCommandEnabled(CString strIdentifier, Draw2dDocument* pDocument);

    // Makes one dimension of the measured points with its line through the position and adds it (action
    // 0), draws it as the rubber band (1) or only computes its value text (2); the text receives the value
    // text the dimension shows. Gaps: 0 nothing; below 0 no extension line on that side; above 0 the
    // stretch of the extension line that lies on the measured shape.
    BOOL BuildDimension(const RuVaPnt2d& p1, const RuVaPnt2d& p2, int nTextMode, CString& strText,
                        const RuVaPnt2d& position, BYTE nTextPosMode, const RuVaPnt2d& textPoint, int nAction,
                        int nState, double dGap1, double dGap2);
    // The measured points between two parallel straight shapes (lines, rays, unbounded lines) near the
    // position, and the gaps of their extension lines.
    BOOL GetPointsBetweenParallelFeatures(const Feature2dBase* pA, const Feature2dBase* pB,
                                          const RuVaPnt2d& position, RuVaPnt2d& p1, RuVaPnt2d& p2, double& dGap1,
                                          double& dGap2) const;
    // The direction of a line, of a polyline's segment or of an unbounded line (radians); 0 for others.
    static double GetFeatureDirectionAngle(const Feature2dBase* pFeature, int nSegment);

    const CString& GetVariantIdentifier() const { return m_strVariantIdentifier; }

private:
    // Inserts or removes the rows that the two lists ask for.
    void FollowLists(int nIndex);
    void InsertRow(int nIndex, WORD wItem);
    void RemoveRowOf(WORD wItem);
    // The measured points of the current alternative (and the gaps between parallel shapes); a result
    // code, resultDone when found. The variant found for parallel shapes is stored only when bStore.
    int GetMeasuredPoints(BOOL bPreview, BOOL bStore, const RuVaPnt2d* pPosition, RuVaPnt2d& p1, RuVaPnt2d& p2,
                          double& dGap1, double& dGap2, CString& strVariant);
    BOOL IsVariant(LPCTSTR identifier, const CString& strVariant) const;
    void DrawPreviewOf();

    CString m_strVariantIdentifier;
};

}  // namespace QZ2Command
