#pragma once
// An embedded object (type 90): the object's stored bytes shown in a rectangle of a width and height whose
// lower-left corner is the point (local coordinates); its setting holds the width and height with the
// object's natural size, scales and background. The container item that shows it is the program's and is
// only borrowed here (never owned, never stored).

#include <vector>

#include "libs/ruva/RuVaPnt2d.h"
#include "libs/vevure/Feature2dBase.h"
#include "libs/vevure/OleObjectSetting.h"

class CObject;

class OleObject2dFeature : public Feature2dBase
{
    DECLARE_SERIAL(OleObject2dFeature)
public:
    OleObject2dFeature();

    const RuVaPnt2d& GetPoint() const { return m_point; }
    BOOL SetPoint(const RuVaPnt2d& point);
    double GetWidth() const { return m_setting.GetWidth(); }
    BOOL SetWidth(double dWidth);
    double GetHeight() const { return m_setting.GetHeight(); }
    BOOL SetHeight(double dHeight);
    const OleObjectSetting& GetOleObjectSetting() const { return m_setting; }
    // Takes the defined values only; FALSE, unchanged, when the result is out of range or leaves no size.
    BOOL SetOleObjectSetting(const OleObjectSetting& setting);
    // The closed outline: the four corners from the lower left, counter-clockwise, then the first again.
    KcArrayOfGePnt2d GetBounds() const;

    CObject* GetContainerItem() const { return m_pContainerItem; }
    void SetContainerItem(CObject* pItem) { m_pContainerItem = pItem; }
    const std::vector<BYTE>& GetItemData() const { return m_itemData; }
    void SetItemData(const BYTE* pData, size_t nSize);

    // Fields carried for the object's host: fixed at 0, 1 and 8.
    DWORD m_dwReserved = 0;
    BYTE m_byReserved = 1;
    WORD m_wReserved = 8;

    BOOL GetOutlinePoints(KcArrayOfGePnt2d& points) const override;
    void Serialize(CArchive& ar) override;
    BOOL IsValid() const override;
    RuVaBndBox2d GetBndBox() const override;
    BOOL TransformGeometry(const RuVaGTrsf2d& t, double dSizeScale) override;
    BOOL IsEqualGeometry(const Feature2dBase* pOther) const override;

    static constexpr size_t kMaxItemBytes = (size_t)512 * 1024 * 1024;

protected:
    void CopyGeometry(const Feature2dBase* pSource) override;

private:
    std::vector<BYTE> m_itemData;
    CObject* m_pContainerItem = nullptr;
    OleObjectSetting m_setting;
    RuVaPnt2d m_point;
};
