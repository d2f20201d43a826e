#pragma once
// The attribute values of shapes. For now the mode that asks the values of a component being placed (2):
// one row a name and its value, eight rows at most shown; the values are edited, the names kept.

#include "libs/vevure/FeatureAttribute.h"
#include "platform/win/CDialog.h"

class Draw2dDocument;

class CAttributeDialog : public CDialog
{
public:
    enum { IDD = 563 };
    enum { modeComponentPlacement = 2 };
    static constexpr int kFirstName = 2600;
    static constexpr int kFirstValue = 2610;
    static constexpr int kRows = 8;

    CAttributeDialog(int nMode, Draw2dDocument* pDocument, CWnd* pParent = nullptr);
    ~CAttributeDialog() override;

    // The attributes of the feature of the index (only 0 in this mode).
    void SetFeatureAttribute(const FeatureAttribute& attribute, int nIndex);
    const FeatureAttribute& GetFeatureAttribute(int nIndex) const;

    BOOL OnInitDialog() override;
    void OnOK() override;

private:
    int m_nMode;
    Draw2dDocument* m_pDocument;
    FeatureAttribute m_attribute;
};
