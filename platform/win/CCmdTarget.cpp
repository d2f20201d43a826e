#include "platform/win/CCmdTarget.h"

#include <QtGui/QCursor>
#include <QtGui/QGuiApplication>

#include "platform/win/CCmdUI.h"

IMPLEMENT_DYNAMIC(CCmdTarget, CObject)

CCmdTarget::CCmdTarget() = default;
CCmdTarget::~CCmdTarget() = default;

const AFX_MSGMAP* CCmdTarget::GetThisMessageMap() {
  static const AFX_MSGMAP_ENTRY entries[] = {{0, 0, 0, 0, AfxSig_end, nullptr, nullptr}};
  static const AFX_MSGMAP map = {nullptr, &entries[0]};
  return &map;
}

const AFX_MSGMAP* CCmdTarget::GetMessageMap() const { return GetThisMessageMap(); }

const AFX_MSGMAP_ENTRY* AfxFindMessageEntry(const AFX_MSGMAP_ENTRY* lpEntry, UINT nMsg, UINT nCode, UINT nID) {
  for (; lpEntry->nSig != AfxSig_end; ++lpEntry) {
    if (lpEntry->pnRegistered) {
      if (nMsg >= KC_FIRST_REGISTERED_MESSAGE && *lpEntry->pnRegistered == nMsg && nCode == 0 && nID == 0)
        return lpEntry;
      continue;
    }
    if (lpEntry->nMessage != nMsg) continue;
    // Notification codes travel packed in a word, so only low words count; an update request
    // matches only update entries.
    const bool update = nCode == CN_UPDATE_COMMAND_UI || lpEntry->nCode == CN_UPDATE_COMMAND_UI;
    const bool codeMatches = update ? lpEntry->nCode == nCode : LOWORD(lpEntry->nCode) == LOWORD(nCode);
    if (codeMatches && nID >= lpEntry->nID && nID <= lpEntry->nLastID) return lpEntry;
  }
  return nullptr;
}

const AFX_MSGMAP_ENTRY* CCmdTarget::FindMessageEntry(UINT nMessage, UINT nCode, UINT nID) const {
  for (const AFX_MSGMAP* map = GetMessageMap(); map != nullptr;
       map = map->pfnGetBaseMap ? map->pfnGetBaseMap() : nullptr) {
    if (const AFX_MSGMAP_ENTRY* e = AfxFindMessageEntry(map->lpEntries, nMessage, nCode, nID)) return e;
  }
  return nullptr;
}

BOOL CCmdTarget::OnCmdMsg(UINT nID, int nCode, void* pExtra, AFX_CMDHANDLERINFO* pHandlerInfo) {
  UINT nMsg = WM_COMMAND;
  UINT code = static_cast<UINT>(nCode);
  if (code != CN_UPDATE_COMMAND_UI && code != CN_EVENT) {
    // Packed form: the message (WM_NOTIFY, reflected messages) in the high word.
    nMsg = HIWORD(code);
    code = LOWORD(code);
    if (nMsg == 0) nMsg = WM_COMMAND;
  }
  if ((nMsg == WM_NOTIFY || nMsg == WM_NOTIFY + WM_REFLECT_BASE) && pExtra) {
    // Handlers see the full code from the header.
    const AFX_NOTIFY* n = static_cast<const AFX_NOTIFY*>(pExtra);
    if (n->pNMHDR) code = n->pNMHDR->code;
  }
  const AFX_MSGMAP_ENTRY* e = FindMessageEntry(nMsg, code, nID);
  if (!e) return FALSE;
  if (pHandlerInfo) {
    pHandlerInfo->pTarget = this;
    pHandlerInfo->pEntry = e;
    return TRUE;
  }
  AFX_DISPATCH d;
  d.message = nMsg;
  d.nID = nID;
  d.nCode = code;
  d.pExtra = pExtra;
  return e->pfn(this, d);
}

void CCmdTarget::BeginWaitCursor() {
  if (qobject_cast<QGuiApplication*>(QCoreApplication::instance()))
    QGuiApplication::setOverrideCursor(QCursor(Qt::WaitCursor));
}

void CCmdTarget::EndWaitCursor() {
  if (qobject_cast<QGuiApplication*>(QCoreApplication::instance()) && QGuiApplication::overrideCursor())
    QGuiApplication::restoreOverrideCursor();
}

void CCmdTarget::RestoreWaitCursor() {
  if (!qobject_cast<QGuiApplication*>(QCoreApplication::instance())) return;
  if (QGuiApplication::overrideCursor())
    QGuiApplication::changeOverrideCursor(QCursor(Qt::WaitCursor));
  else
    QGuiApplication::setOverrideCursor(QCursor(Qt::WaitCursor));
}

CCmdUI* AfxBeginUpdateHandler(AFX_DISPATCH& d) {
  CCmdUI* ui = static_cast<CCmdUI*>(d.pExtra);
  ui->m_bContinueRouting = FALSE;
  return ui;
}

BOOL AfxEndUpdateHandler(CCmdUI* pCmdUI) { return !pCmdUI->m_bContinueRouting; }
