#pragma once
// A placed component (type 71): an instance of a component definition of the document, at an insertion point,
// turned (degrees) and scaled in X and Y, with its own attribute values (linked to the definition's
// attribute items by id). Its look beyond that comes from the definition's shapes.

#include "libs/ruva/RuVaPnt2d.h"
#include "libs/vevure/Feature2dBase.h"

class DrawComponent2dFeature : public Feature2dBase
{
    DECLARE_SERIAL(DrawComponent2dFeature)
public:
    DrawComponent2dFeature();
    DrawComponent2dFeature(const DrawComponent2dFeature& other);
    DrawComponent2dFeature& operator=(const DrawComponent2dFeature& other);
    ~DrawComponent2dFeature() override;

    long GetComponentDefineID() const { return m_nDefineID; }
    void SetComponentDefineID(long nID) { m_nDefineID = (LONG)nID; }
    const RuVaPnt2d& GetOrigin() const { return m_origin; }
    BOOL SetOrigin(const RuVaPnt2d& origin);
    double GetAngle() const { return m_dAngle; }
    BOOL SetAngle(double dAngleDeg);
    void GetScale(double& dScaleX, double& dScaleY) const
    {
        dScaleX = m_dScaleX;
        dScaleY = m_dScaleY;
    }
    // Each scale non-zero (negative mirrors) and below 1e15 in size.
    BOOL SetScale(double dScaleX, double dScaleY);

    // The instance's own attribute values; NULL when it has none.
    const FeatureAttribute* GetDrawComponentAttribute() const { return m_pComponentAttribute; }
    FeatureAttribute* GetDrawComponentAttribute() { return m_pComponentAttribute; }
    void SetDrawComponentAttribute(const FeatureAttribute& attribute);

    // The box of the definition, placed; the document fills it when it resolves the instance.
    const RuVaBndBox2d& GetCachedBox() const { return m_box; }
    void SetCachedBox(const RuVaBndBox2d& box) { m_box = box; }

    BOOL IsCompound() const override { return TRUE; }
    void Serialize(CArchive& ar) override;
    BOOL IsValid() const override;
    RuVaBndBox2d GetBndBox() const override;
    BOOL TransformGeometry(const RuVaGTrsf2d& t, double dSizeScale) override;
    BOOL IsEqualGeometry(const Feature2dBase* pOther) const override;

protected:
    void CopyGeometry(const Feature2dBase* pSource) override;

private:
    FeatureAttribute* m_pComponentAttribute = nullptr;
    RuVaBndBox2d m_box;
    RuVaPnt2d m_origin;
    double m_dAngle = 0.0;
    double m_dScaleX = 1.0;
    double m_dScaleY = 1.0;
    LONG m_nDefineID = -1;
};
