#pragma once
// Base of the geometric entities (curves and point sequences). Entities are made with new,
// copied with Clone and deleted by their owner.

#include "platform/afx/AfxTypes.h"
#include "libs/ruva/RuVaBndBox2d.h"
#include "libs/ruva/RuVaTol.h"

class CArchive;
class RuVaGTrsf2d;

class RuVaEntity2d {
public:
  // Entity type numbers returned by GetEntityType.
  enum EntityType {
    kLine = 1,            // unbounded line
    kHalfLine = 2,        // semi-infinite line
    kLineSeg = 3,         // line segment
    kCircle = 5,          // full circle
    kArc = 6,             // circular arc
    kEllipse = 7,         // full ellipse
    kEllipseArc = 8,      // elliptic arc
    kBSplineCurve = 9,    // B-spline curve
    kPointSequence = 10,  // chain of points (polyline)
  };

  virtual ~RuVaEntity2d() = default;

  virtual int GetEntityType() const = 0;
  virtual RuVaEntity2d* Clone() const = 0;

  // Lines, circles, ellipses, arcs, B-splines and point sequences are all curves.
  virtual BOOL IsCurveEntity() const { return FALSE; }
  // A bounded piece of an underlying curve: segments, arcs and elliptic arcs.
  virtual BOOL IsTrimmedCurveEntType() const { return FALSE; }
  // TRUE when the entity is usable: finite values and a shape that exists (a positive radius,
  // two distinct points, ...).
  virtual BOOL IsDone() const = 0;

  // Same kind and the same geometry within the tolerance.
  virtual BOOL IsEqual(const RuVaEntity2d& other, const RuVaTol& tol = RuVaTol()) const = 0;

  // Transforms in place; FALSE, and unchanged, when this kind cannot take the transformation
  // (a circle under a non-uniform scale, for example).
  virtual BOOL Transform(const RuVaGTrsf2d& t) = 0;

  // The bounding box; void for an unusable entity; unbounded lines give a box out to
  // RuVa::Infinite().
  virtual RuVaBndBox2d GetBndBox() const = 0;

  // Stores or loads the entity's own values (its type is written by Store).
  virtual void Serialize(CArchive& ar) = 0;
  // Writes the type number and the values of an entity; a null entity is written as type 0.
  static void Store(CArchive& ar, const RuVaEntity2d* entity);
  // A new entity of the stored type (owned by the caller), or null for a stored null. An unknown
  // type or a damaged archive throws CArchiveException and leaves nothing allocated.
  static RuVaEntity2d* Load(CArchive& ar);
  // A new, default entity of a type number, or null for an unknown one.
  static RuVaEntity2d* CreateByType(int entityType);

  static BOOL IsTrimmedCurveEntType(int entityType)
  {
    return entityType == kLineSeg || entityType == kArc || entityType == kEllipseArc;
  }

protected:
  RuVaEntity2d() = default;
  RuVaEntity2d(const RuVaEntity2d&) = default;
  RuVaEntity2d& operator=(const RuVaEntity2d&) = default;
};
