#pragma once
// The base of the style records of shapes (general, point marker, text, lead, balloon, dimension,
// hatch, image, OLE object). Every value of a setting may be "undefined" (see SettingValue): the
// merged setting of a multiple selection carries the values on which the shapes agree.
// Kinds are told apart by their run-time class; operations between two settings of different kinds
// do nothing and report failure.

#include "platform/afx/CObject.h"

class CArchive;
class Draw2dDocument;

class FeatureSettingBase : public CObject
{
    DECLARE_DYNAMIC(FeatureSettingBase)
public:
    FeatureSettingBase() = default;
    FeatureSettingBase(const FeatureSettingBase& src) = default;
    FeatureSettingBase& operator=(const FeatureSettingBase& src) = default;
    ~FeatureSettingBase() override;

    // Copies a setting that belongs to another document. Table numbers keep their meaning between
    // documents that share tables; the documents are not read. Returns 1, or 0 for another kind.
    virtual int Copy(const FeatureSettingBase& src, const Draw2dDocument* srcDoc, const Draw2dDocument* dstDoc);
    // Copies every value of a setting of the same kind; FALSE (nothing changed) for another kind.
    virtual BOOL Copy(const FeatureSettingBase& src);
    // 1 when src is of the same kind and every value equals, else 0.
    virtual int IsEqual(const FeatureSettingBase& src) const;
    // Merges src into this setting: every value that differs becomes undefined.
    virtual BOOL SettingAndSetting(const FeatureSettingBase& src);
    // Takes over the values that src defines; undefined values of src leave this setting's values.
    virtual BOOL SetOnlyDefValue(const FeatureSettingBase& src);
    // Gives every undefined value of this setting the value of src.
    virtual BOOL FillUndefinedValue(const FeatureSettingBase& src);
    // TRUE when at least one value is undefined.
    virtual BOOL HasUndefinedValue() const;
    // TRUE when every value lies in its accepted range (undefined values included).
    virtual BOOL IsValidSetting() const;

    // A new setting of the same kind with the same values, owned by the caller.
    FeatureSettingBase* CopyObject() const;

    // Whether the shapes this setting was read from were seen with equal X and Y scales; a setting
    // read through unequal scales cannot be applied back. TRUE for a new setting; not stored.
    BOOL IsForEqualXYScaleSetting() const { return m_bForEqualXYScale ? TRUE : FALSE; }
    void SetForEqualXYScaleSettingFlg(bool equal) { m_bForEqualXYScale = equal; }

    void Serialize(CArchive& ar) override;

protected:
    BOOL IsSameKind(const FeatureSettingBase& other) const;

private:
    bool m_bForEqualXYScale = true;
};
