#pragma once
// Cuts one curve into pieces of the same kind: at given points, into a number of equal pieces, into pieces
// of a given length, or (circles, arcs, ellipses and elliptic arcs) into pieces of a given angle. A closed
// shape asks where the division starts. Every piece is made before the document is touched; the shape is
// then replaced by its pieces in one undo step.

#include "command/CommandBase.h"
#include "platform/afx/CArray.h"
#include "libs/ruva/KcArrayOfGePnt2d.h"

class Feature2dBase;
class RuVaEntity2d;

namespace QZ2Command {

class Divide2dCommand : public CommandBase
{
    DECLARE_DYNCREATE(Divide2dCommand)
public:
    enum : WORD {
        itemShape = 0,
        itemPoints = 2,
        itemCount = 3,
        itemPitch = 4,
        itemAngle = 5,
        itemStartAngle = 6,
        itemStartPoint = 7
    };
    static constexpr DWORD kDivideKinds = 0x17E;
    static constexpr int kMaxPieces = 1000;

    Divide2dCommand() = default;

    void SetupParameters() override;
    BOOL OnStart() override;
    BOOL ValidateParameterValue(int nIndex, const ParameterItemBase& value) override;
    int OnInput(int nIndex) override;
    BOOL OnAlternativeChanging(int nIndex, int nAlternative) override;

    // The sweep of an arc or elliptic arc in degrees (360 for circles and ellipses).
    static double GetSweepAngle(const Feature2dBase* pFeature);
    // The point of a circle, arc, ellipse or elliptic arc at an angle in degrees.
    static BOOL GetPointAtAngle(const Feature2dBase* pFeature, double dAngle, RuVaPnt2d& point);
    // The parameters at every pitch of arc length from one parameter to another.
    static BOOL CollectPitchParameters(const RuVaEntity2d* pCurve, double dPitch, double dFrom, double dTo,
                                       CArray<double>& parameters);

    long m_nLayoutID = 0;

private:
    void BuildMethodParameter(BOOL bCurved);
    BOOL BuildStartParameter(int nMethod, const Feature2dBase* pShape, BOOL bGiven);
    BOOL NeedsStartPosition(const Feature2dBase* pShape, BOOL bGiven) const;
    const Feature2dBase* ShapeOfItem() const;
    void RemoveParameterOf(WORD wId);

    // Each fills the pieces (local coordinates of the shape) and answers FALSE when nothing is to be made.
    BOOL DivideByCount(const Feature2dBase* pShape, int nCount, const RuVaPnt2d& start, CArray<Feature2dBase*>& pieces);
    BOOL DivideByPitch(const Feature2dBase* pShape, double dPitch, const RuVaPnt2d& start,
                       CArray<Feature2dBase*>& pieces);
    BOOL DivideByAngle(const Feature2dBase* pShape, double dAngle, const RuVaPnt2d& start,
                       CArray<Feature2dBase*>& pieces);
    BOOL DivideAtPoints(const Feature2dBase* pShape, const KcArrayOfGePnt2d& points, CArray<Feature2dBase*>& pieces);
    static BOOL CreatePieces(const RuVaEntity2d* pCurve, const Feature2dBase* pShape, const CArray<double>& parameters,
                             CArray<Feature2dBase*>& pieces);
};

}  // namespace QZ2Command
