#include "app/CQZ2VisualManager.h"

#include <QtGui/QGuiApplication>
#include <QtGui/QPalette>

IMPLEMENT_DYNCREATE(CQZ2VisualManager, CBCGPVisualManager2003)

CQZ2VisualManager::CQZ2VisualManager() = default;
CQZ2VisualManager::~CQZ2VisualManager() = default;

COLORREF CQZ2VisualManager::GetToolbarHighlightColor()
{
    if (!m_bIsStandardWinXPTheme || QGuiApplication::instance() == nullptr)
        return m_clrHighlightDn;
    const QColor colour = QGuiApplication::palette().color(QPalette::Active, QPalette::Highlight);
    return RGB(colour.red(), colour.green(), colour.blue());
}
