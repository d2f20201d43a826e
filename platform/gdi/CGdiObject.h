#pragma once
// The C++ owner of a drawing-object handle: destroying it deletes the handle.

#include "platform/afx/CObject.h"
#include "platform/gdi/GdiTypes.h"

struct GdiObjectData;

class CGdiObject : public CObject {
  DECLARE_DYNAMIC(CGdiObject)
public:
  CGdiObject() = default;
  ~CGdiObject() override;
  CGdiObject(const CGdiObject&) = delete;
  CGdiObject& operator=(const CGdiObject&) = delete;

  HGDIOBJ m_hObject = nullptr;

  operator HGDIOBJ() const { return m_hObject; }
  HGDIOBJ GetSafeHandle() const { return m_hObject; }

  // The object owning h, or a wrapper of the right class that lives as long as the handle.
  static CGdiObject* PASCAL FromHandle(HGDIOBJ hObject);

  BOOL Attach(HGDIOBJ hObject);
  HGDIOBJ Detach();
  BOOL DeleteObject();
  BOOL CreateStockObject(int nIndex);
  BOOL UnrealizeObject() { return m_hObject != nullptr; }
  int GetObject(int nCount, LPVOID lpObject) const;
  UINT GetObjectType() const;

  BOOL operator==(const CGdiObject& obj) const { return m_hObject == obj.m_hObject; }
  BOOL operator!=(const CGdiObject& obj) const { return m_hObject != obj.m_hObject; }
};
