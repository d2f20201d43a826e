#include "platform/gdi/CGdiObject.h"

#include "platform/gdi/CBitmap.h"
#include "platform/gdi/CBrush.h"
#include "platform/gdi/CFont.h"
#include "platform/gdi/CPalette.h"
#include "platform/gdi/CPen.h"
#include "platform/gdi/CRgn.h"
#include "platform/gdi/GdiApi.h"
#include "platform/gdi/GdiObjectData.h"

IMPLEMENT_DYNAMIC(CGdiObject, CObject)

CGdiObject::~CGdiObject() { DeleteObject(); }

CGdiObject* PASCAL CGdiObject::FromHandle(HGDIOBJ hObject) {
  GdiObjectData* d = gdi::Lookup(hObject);
  if (!d) return nullptr;
  if (d->owner) return d->owner;
  if (!d->tempWrapper) {
    CGdiObject* w = nullptr;
    switch (d->kind) {
      case GdiKind::Pen: w = new CPen; break;
      case GdiKind::Brush: w = new CBrush; break;
      case GdiKind::Font: w = new CFont; break;
      case GdiKind::Bitmap: w = new CBitmap; break;
      case GdiKind::Region: w = new CRgn; break;
      case GdiKind::Palette: w = new CPalette; break;
      default: w = new CGdiObject; break;
    }
    w->m_hObject = hObject;
    d->tempWrapper.reset(w);
  }
  return d->tempWrapper.get();
}

BOOL CGdiObject::Attach(HGDIOBJ hObject) {
  if (!hObject) return FALSE;
  GdiObjectData* d = gdi::Lookup(hObject);
  if (!d) return FALSE;
  if (m_hObject) DeleteObject();
  m_hObject = hObject;
  if (!d->stock) d->owner = this;
  return TRUE;
}

HGDIOBJ CGdiObject::Detach() {
  HGDIOBJ h = m_hObject;
  if (GdiObjectData* d = gdi::Lookup(h))
    if (d->owner == this) d->owner = nullptr;
  m_hObject = nullptr;
  return h;
}

BOOL CGdiObject::DeleteObject() {
  if (!m_hObject) return FALSE;
  return ::DeleteObject(Detach());
}

BOOL CGdiObject::CreateStockObject(int nIndex) { return Attach(::GetStockObject(nIndex)); }

int CGdiObject::GetObject(int nCount, LPVOID lpObject) const { return ::GetObject(m_hObject, nCount, lpObject); }

UINT CGdiObject::GetObjectType() const { return ::GetObjectType(m_hObject); }
