#include "platform/bcg/CBCGPVisualManager.h"

#include <QtGui/QPalette>
#include <QtWidgets/QApplication>
#include <QtWidgets/QStyle>

namespace {
CBCGPVisualManager* g_pManager = nullptr;
}

IMPLEMENT_DYNCREATE(CBCGPVisualManager, CObject)

CBCGPVisualManager::CBCGPVisualManager() = default;
CBCGPVisualManager::~CBCGPVisualManager() {
  if (g_pManager == this) g_pManager = nullptr;
}

void CBCGPVisualManager::SetDefaultManager(CRuntimeClass* pRTI) {
  CObject* obj = pRTI ? pRTI->CreateObject() : nullptr;
  auto* manager = DYNAMIC_DOWNCAST(CBCGPVisualManager, obj);
  if (!manager) {
    delete obj;
    manager = new CBCGPVisualManager;
  }
  delete g_pManager;
  g_pManager = manager;
  manager->OnApply();
}

CBCGPVisualManager* CBCGPVisualManager::GetInstance() {
  if (!g_pManager) g_pManager = new CBCGPVisualManager;
  return g_pManager;
}

void CBCGPVisualManager::DestroyInstance() {
  delete g_pManager;
  g_pManager = nullptr;
}

COLORREF CBCGPVisualManager::GetRibbonStatusBarTextColor(CBCGPRibbonStatusBar*) { return RGB(0, 0, 0); }

COLORREF CBCGPVisualManager::GetStatusBarBackColor() { return RGB(240, 240, 240); }

COLORREF CBCGPVisualManager::GetToolbarHighlightColor() { return RGB(204, 228, 247); }

void CBCGPVisualManager::OnApply() {
  auto* app = qobject_cast<QApplication*>(QCoreApplication::instance());
  if (!app) return;
  if (!IsDarkTheme()) {
    QApplication::setPalette(QApplication::style()->standardPalette());
    return;
  }
  QPalette p;
  p.setColor(QPalette::Window, QColor(45, 45, 48));
  p.setColor(QPalette::WindowText, QColor(230, 230, 230));
  p.setColor(QPalette::Base, QColor(30, 30, 30));
  p.setColor(QPalette::AlternateBase, QColor(45, 45, 48));
  p.setColor(QPalette::Text, QColor(230, 230, 230));
  p.setColor(QPalette::Button, QColor(55, 55, 58));
  p.setColor(QPalette::ButtonText, QColor(230, 230, 230));
  p.setColor(QPalette::Highlight, QColor(0, 122, 204));
  p.setColor(QPalette::HighlightedText, QColor(255, 255, 255));
  p.setColor(QPalette::ToolTipBase, QColor(45, 45, 48));
  p.setColor(QPalette::ToolTipText, QColor(230, 230, 230));
  p.setColor(QPalette::Disabled, QPalette::Text, QColor(120, 120, 120));
  p.setColor(QPalette::Disabled, QPalette::ButtonText, QColor(120, 120, 120));
  p.setColor(QPalette::Disabled, QPalette::WindowText, QColor(120, 120, 120));
  QApplication::setPalette(p);
}
