#pragma once
// A collection of named styles of one setting kind, in the order they were added, with at most one
// current style. Names are unique ignoring case (1-255 characters); each style is a complete setting
// (no undefined values) owned by the collection. The seven kinds derive from this class and name the
// setting class they hold.

#include <memory>
#include <vector>

#include "platform/afx/CObject.h"
#include "platform/afx/CString.h"

class CArchive;
class CStringArray;
class FeatureSettingBase;

class FeatureSettingStylesBase : public CObject
{
    DECLARE_DYNAMIC(FeatureSettingStylesBase)
public:
    static constexpr int kSchema = 1;
    static constexpr int kMaxNameLength = 255;

    FeatureSettingStylesBase();
    FeatureSettingStylesBase(const FeatureSettingStylesBase& src);
    FeatureSettingStylesBase& operator=(const FeatureSettingStylesBase& src);
    ~FeatureSettingStylesBase() override;

    // The run-time class of the settings this collection holds.
    virtual const CRuntimeClass* GetSettingClass() const;

    // Copies every style and the current name of a collection of the same kind; FALSE for another kind.
    BOOL Copy(const FeatureSettingStylesBase& src);
    // Same kind, same names in the same order, equal styles and the same current name.
    BOOL IsEqual(const FeatureSettingStylesBase& other) const;

    int GetSettingStyleCount() const { return static_cast<int>(m_styles.size()); }
    // The names in order. With clearFirst non-zero the array is emptied first, else names are appended.
    void GetSettingStyleNameArray(CStringArray& names, int clearFirst = 1) const;
    // The name and style at a position; index-guarded (invalid-argument exception).
    CString GetSettingStyleName(int index) const;
    const FeatureSettingBase* GetSettingStyleAt(int index) const;
    // The style of a name (ignoring case); NULL when there is none.
    const FeatureSettingBase* GetSettingStyle(const CString& name) const;
    int FindSettingStyle(const CString& name) const;

    // Stores a copy of the setting under the name: a new style at the end, or, when a style has the name
    // ignoring case, in its place under the name as given. FALSE for an empty or too long name, a setting
    // of another kind or one with undefined or out-of-range values. The flag is kept for callers and
    // has no effect; index, when given, receives the style's position.
    BOOL SetSettingStyle(const CString& name, const FeatureSettingBase* setting, int flag = 1, int* index = nullptr);
    // Removes a style; when it was the current one there is no current style afterwards.
    BOOL RemoveSettingStyle(const CString& name);
    void RemoveAllSettingStyles();

    // The current style's name, empty when there is none.
    CString GetCurrentSettingStyleName() const;
    // Makes a style current (an empty name: none). FALSE, nothing changed, for an unknown name.
    BOOL SetCurrentSettingStyleName(const CString& name);
    // The current style, NULL when there is none.
    const FeatureSettingBase* GetCurrentSettingStyle() const;

    // Loading checks the count, each name and each style and throws CArchiveException for a damaged
    // collection; the collection then stays unchanged.
    void Serialize(CArchive& ar) override;

protected:
    // A new default setting of the collection's kind.
    FeatureSettingBase* CreateSetting() const;

private:
    struct Style {
        CString name;
        std::unique_ptr<FeatureSettingBase> setting;
    };
    void CopyStylesFrom(const FeatureSettingStylesBase& src);
    BOOL IsAcceptableStyle(const CString& name, const FeatureSettingBase* setting) const;

    std::vector<Style> m_styles;
    int m_current = -1;
};
