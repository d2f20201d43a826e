#include "property/CPropertyBar.h"

#include <QtWidgets/QLabel>
#include <QtWidgets/QVBoxLayout>
#include <QtWidgets/QWidget>

#include "command/CommandManager.h"
#include "libs/vevure/Draw2dDocument.h"
#include "libs/vevure/NotifyInfoBase.h"
#include "libs/vevure/SelectionManager.h"
#include "property/ShapeFeaturePropertyBase.h"

using QZ2Command::FeaturePropertyBase;

IMPLEMENT_DYNCREATE(CPropertyBar, CBCGPDockingControlBar)

CPropertyBar::CPropertyBar() = default;

CPropertyBar::~CPropertyBar() = default;

void CPropertyBar::OnDocumentNotify(NotifyInfoBase* pInfo)
{
    if (pInfo == nullptr)
        return;
    ++m_nNotifyCount;
    m_nLastNotifyKind = static_cast<int>(pInfo->GetKind());
    Draw2dDocument* pDocument = pInfo->GetDocument();
    switch (pInfo->GetKind()) {
    case NotifyInfoBase::kindDocument:
        // Another document became current: what the bar shows belonged to the one before.
        if (pInfo->GetCode() == 1) {
            RemoveAllProperties();
            ShowSelectionOf(pDocument);
        }
        break;
    case NotifyInfoBase::kindView:
        if (pInfo->GetCode() == 1)
            ShowSelectionOf(pDocument);
        break;
    case NotifyInfoBase::kindDrawing:
    case NotifyInfoBase::kindLayer:
    case NotifyInfoBase::kindFeature: {
        // Objects of that document that went away (erased, undone) leave the list.
        const size_t nBefore = m_objects.size();
        std::erase_if(m_objects, [pDocument](const std::unique_ptr<FeaturePropertyBase>& p) {
            return pDocument != nullptr && p->GetDocument() == pDocument && !p->IsTargetAlive();
        });
        if (m_objects.size() != nBefore) {
            if (m_objects.empty())
                m_nShownKind = 0;
            RefreshList();
        }
        break;
    }
    default:
        break;
    }
}

void CPropertyBar::ShowSelectionOf(Draw2dDocument* pDocument)
{
    if (m_pCommandManager == nullptr || pDocument == nullptr || m_pCommandManager->HasActiveCommand())
        return;
    // Only the selection of the document the commands work on.
    if (m_pCommandManager->GetDraw2dDocument() != pDocument)
        return;
    SelectionManager* pSelection = pDocument->GetSelectionManager();
    if (pSelection == nullptr)
        return;
    ClearFeatureProperties(FeaturePropertyBase::kindShape);
    if (pSelection->IsSelectionEmpty())
        return;
    CArray<FeatureLayout> records;
    pSelection->GetSelectedFeatureList(records);
    CArray<FeaturePropertyBase*> objects;
    for (INT_PTR i = 0; i < records.GetSize(); ++i)
        if (FeaturePropertyBase* pObject = QZ2Command::ShapeFeaturePropertyBase::CreateFeatureProperty(
                pDocument, records[i].GetRecordID(), records[i].GetLayoutID()))
            objects.Add(pObject);
    if (!objects.IsEmpty())
        SetFeatureProperties(objects, FALSE, FALSE);
}

BOOL CPropertyBar::ClearFeatureProperties(UINT nKind)
{
    if (nKind == 0 || nKind != m_nShownKind)
        return FALSE;
    RemoveAllProperties();
    return TRUE;
}

void CPropertyBar::RemoveAllProperties()
{
    m_objects.clear();
    m_nShownKind = 0;
    RefreshList();
}

BOOL CPropertyBar::SetFeatureProperties(const CArray<FeaturePropertyBase*>& objects, BOOL bAdd, BOOL bClone)
{
    const INT_PTR nCount = objects.GetSize();
    if (nCount == 0)
        return FALSE;
    const UINT nKind = objects[0] != nullptr ? objects[0]->GetKind() : 0;
    for (INT_PTR i = 0; i < nCount; ++i)
        if (objects[i] == nullptr || objects[i]->GetKind() != nKind)
            return FALSE;
    if (!bAdd || nKind != m_nShownKind)
        m_objects.clear();
    for (INT_PTR i = 0; i < nCount; ++i)
        m_objects.emplace_back(bClone ? objects[i]->Clone() : objects[i]);
    m_nShownKind = nKind;
    RefreshList();
    return TRUE;
}

BOOL CPropertyBar::SetFeatureProperty(const FeaturePropertyBase* pObject, BOOL bAdd)
{
    if (pObject == nullptr) {
        RemoveAllProperties();
        return TRUE;
    }
    if (!bAdd && m_objects.size() == 1 && m_objects.front()->IsSameTarget(*pObject))
        return FALSE;
    if (!bAdd || pObject->GetKind() != m_nShownKind)
        m_objects.clear();
    m_objects.emplace_back(pObject->Clone());
    m_nShownKind = pObject->GetKind();
    RefreshList();
    return TRUE;
}

const FeaturePropertyBase* CPropertyBar::GetFeatureProperty(int nIndex) const
{
    if (nIndex < 0 || static_cast<size_t>(nIndex) >= m_objects.size())
        return nullptr;
    return m_objects[static_cast<size_t>(nIndex)].get();
}

CString CPropertyBar::GetShownText() const
{
    CString text;
    for (const auto& pObject : m_objects) {
        if (!text.IsEmpty())
            text += u"\n";
        text += pObject->GetDescription();
    }
    return text;
}

void CPropertyBar::RefreshList()
{
    // Until the property grid exists the bar lists what it shows, one object a line.
    QWidget* pWidget = GetSafeHwnd() != nullptr ? GetQWidget() : nullptr;
    if (pWidget == nullptr)
        return;
    auto* pLabel = pWidget->findChild<QLabel*>(QStringLiteral("kcPropertyList"), Qt::FindDirectChildrenOnly);
    if (pLabel == nullptr) {
        pLabel = new QLabel(pWidget);
        pLabel->setObjectName(QStringLiteral("kcPropertyList"));
        pLabel->setAlignment(Qt::AlignLeft | Qt::AlignTop);
        if (pWidget->layout() == nullptr)
            new QVBoxLayout(pWidget);
        pWidget->layout()->addWidget(pLabel);
    }
    pLabel->setText(GetShownText().ToQString());
}
