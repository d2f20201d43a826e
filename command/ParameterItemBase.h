#pragma once
// The common part of every parameter item: a typed value slot of a command, with the texts that
// present it and the flags that say how commands, the command bar and the property list treat it.
// Items are plain values; owners hold their own clones.

#include "platform/afx/CObject.h"
#include "platform/afx/CString.h"

namespace QZ2Command {

class ParameterItemBase : public CObject
{
    DECLARE_DYNCREATE(ParameterItemBase)
public:
    // The type codes of the item classes.
    enum {
        typeDouble = 1, typeLength = 2, typeAngle = 3, typeInteger = 4, typeText = 5, typeList = 6,
        typeScale = 7, typePoint = 8, typePointArray = 9, typeFeature = 10, typeFeatureList = 11,
        typeFeatureSequenceList = 12, typeFeatureSequence = 13, typeFeatureGroup = 14, typeColor = 15,
        typeLineType = 16, typeLineWidth = 17, typeLayer = 18, typeDrawing = 19, typeSetting = 20,
        typeImageSetting = 21, typeDrawComponent = 22, typeFilePath = 23, typeMulti = 24, typeTolerance = 25
    };
    static constexpr WORD kNoBaseItem = 0xFFFF;

    ParameterItemBase();
    ~ParameterItemBase() override;

    virtual BOOL IsEmpty() const;
    // Empties the item when it is clearable; FALSE and no change otherwise.
    virtual BOOL Clear();
    // Forgets that a default exists; the default value stays stored.
    virtual void ClearDefault();
    virtual void ApplyDefault();
    virtual BOOL IsSettingItem() const;
    virtual BOOL IsImageSettingItem() const;
    virtual BOOL IsFilePathItem() const;
    // Takes the value of an item of the same type; an empty source clears this item.
    virtual BOOL SetValueFrom(const ParameterItemBase& source);
    // A full copy: id, type code, texts, flags, base-item id and the class's own fields.
    virtual void Copy(const ParameterItemBase& source);
    virtual BOOL IsEqual(const ParameterItemBase& other) const;
    // Clears the item unless it equals the other; how one row shows several objects.
    virtual BOOL MergeValue(const ParameterItemBase& other);

    // FALSE for a negative id; otherwise keeps the low 16 bits.
    BOOL SetId(int nId);
    WORD GetId() const { return m_wId; }
    int GetTypeCode() const { return m_nTypeCode; }
    // The caption from the string table; unchanged when the string does not exist.
    void SetCaption(UINT nStringId);

    // A new empty item of the class of that code (1-25), or NULL.
    static ParameterItemBase* CreateItem(int nTypeCode);
    ParameterItemBase* Clone() const;

    WORD m_wId = 0;
    int m_nTypeCode = 0;
    CString m_strCaption;
    CString m_strPrompt;
    CString m_strGuidance;
    BOOL m_bRequired = TRUE;
    BOOL m_bOptional = FALSE;
    BOOL m_bAcceptModifier = TRUE;
    BOOL m_bClearable = TRUE;
    int m_nRetentionMode = 0;
    // FALSE keeps the value when the command's inputs restart on a change of the active drawing or view,
    // for a command whose inputs are given in more than one drawing; picked shapes go all the same.
    BOOL m_bResetOnDrawingChange = TRUE;
    BOOL m_bHistory = FALSE;
    BOOL m_bEmpty = TRUE;
    BOOL m_bNoDefault = TRUE;
    WORD m_wBaseItemId = kNoBaseItem;

protected:
    explicit ParameterItemBase(int nTypeCode);
    // Emptiness rule shared by every IsEqual: 1 equal (both empty), 0 unequal (one empty), -1 compare values.
    int CompareEmptiness(const ParameterItemBase& other) const;
    void CopyBase(const ParameterItemBase& source);
};

}  // namespace QZ2Command
