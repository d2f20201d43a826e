#include "controls/CSelectCurrentColorComboBox.h"

#include "libs/vevure/Draw2dDocument.h"
#include "libs/vevure/LayerFeatureTable.h"

IMPLEMENT_DYNAMIC(CSelectCurrentColorComboBox, CSelectColorComboBox)

CSelectCurrentColorComboBox::CSelectCurrentColorComboBox() : CSelectColorComboBox(TRUE, TRUE, FALSE, TRUE)
{
    m_bFocusHighlight = FALSE;
}

CSelectCurrentColorComboBox::~CSelectCurrentColorComboBox() = default;

void CSelectCurrentColorComboBox::SetDocument(Draw2dDocument* pDocument)
{
    if (pDocument == m_pDocument)
        return;
    m_pDocument = pDocument;
    ClosePopup();
    SetLayerButton(TRUE);
    SetColorTable(pDocument != nullptr ? pDocument->GetColorFeatureTable() : nullptr);
    Refresh();
    Repaint();
}

void CSelectCurrentColorComboBox::Refresh()
{
    if (m_pDocument == nullptr)
        return;
    const short number = m_pDocument->GetCurrentColorNo();
    SetColorNo(number);
    if (number == 0) {
        const LayerFeatureTable* pLayers = m_pDocument->GetLayerTable();
        SetLayerColorNo(pLayers != nullptr ? pLayers->GetLayerColorNo(m_pDocument->GetCurrentLayerID()) : 32767);
    }
    Repaint();
}

void CSelectCurrentColorComboBox::MeasureItem(LPMEASUREITEMSTRUCT lpMeasureItemStruct)
{
    if (lpMeasureItemStruct != nullptr)
        lpMeasureItemStruct->itemHeight = 16;
}

LRESULT CSelectCurrentColorComboBox::OnColorChosen(WPARAM wParam, LPARAM lParam)
{
    const int number = static_cast<int>(static_cast<INT_PTR>(wParam));
    const bool bHasOwner = GetOwner() != nullptr || GetParent() != nullptr;
    if ((bHasOwner && m_pDocument == nullptr) || number < 0) {
        m_pPopup = nullptr;
        Repaint();
        return 0;
    }
    if (bHasOwner) {
        // The value already current makes no undo step.
        if (m_pDocument->GetCurrentColorNo() != number) {
            m_pDocument->BeginUndoOperation();
            m_pDocument->SetCurrentColorNo(static_cast<short>(number));
            m_pDocument->EndUndoOperation();
        }
        SetColorNo(static_cast<short>(number));
        if (number == 0)
            Refresh();
    }
    return CSelectColorComboBox::OnColorChosen(wParam, lParam);
}
