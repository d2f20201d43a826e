#pragma once
// The common base of the views that a document window shows in its tabs: the drawing view and the
// layer table. It carries the view kind by which the tab view tells its tabs apart.

#include "libs/vevure/VeVureEnums.h"
#include "platform/win/CView.h"

class CQZ2TabView;
class NotifyInfoBase;

class CQZ2BaseView : public CView
{
    DECLARE_DYNAMIC(CQZ2BaseView)
public:
    CQZ2BaseView();
    ~CQZ2BaseView() override;

    // The tab view that hosts this view (through its tab control), or NULL.
    CQZ2TabView* GetTabView() const;

    // A change of the document; nothing here.
    virtual void OnDocumentNotify(NotifyInfoBase* pInfo);

    // 0 paper drawing, 1 part drawing, 2 layer table, 4 component editing; -1 until the tab view sets it.
    ViewType m_viewType;
};
