#pragma once
// The docking library's registry object: one open key of the settings store and typed values
// under it. Scalars are kept as their natural registry types (DWORD, string); doubles, points,
// rectangles and collections as binary values in the archive format, so that a value reads back
// exactly as it was written. A read of a missing value, of a value of another type or of damaged
// bytes fails and leaves the target unchanged.

#include "platform/afx/CString.h"
#include "platform/win/WinTypes.h"

class CObject;
class CStringList;
class CStringArray;
class CDWordArray;
class CWordArray;
class CByteArray;
class CUIntArray;
class CObList;
class CRect;
class CPoint;
class CSize;

class CBCGPRegistry {
public:
  // bAdmin: the machine-wide store (read-only here); bReadOnly: keys open for reading only.
  CBCGPRegistry(BOOL bAdmin, BOOL bReadOnly);
  virtual ~CBCGPRegistry();
  CBCGPRegistry(const CBCGPRegistry&) = delete;
  CBCGPRegistry& operator=(const CBCGPRegistry&) = delete;

  // Opens the key, creating it (and the keys above it) when missing. FALSE when read-only.
  virtual BOOL CreateKey(LPCTSTR pszPath);
  // Opens an existing key. FALSE when it does not exist.
  virtual BOOL Open(LPCTSTR pszPath);
  virtual void Close();

  BOOL IsReadOnly() const { return m_bReadOnly; }
  BOOL IsOpen() const { return m_hKey != nullptr; }
  const CString& GetKey() const { return m_strPath; }
  HKEY m_hKey = nullptr;

  // Whether a key below the root / a value of the open key exists.
  BOOL VerifyKey(LPCTSTR pszPath);
  BOOL VerifyValue(LPCTSTR pszValue);
  BOOL DeleteValue(LPCTSTR pszValue);
  // Deletes a key with everything below it (the open key is closed first when it is that key).
  BOOL DeleteKey(LPCTSTR pszPath, BOOL bAdmin = FALSE);
  // Names of the open key's subkeys / values.
  BOOL ReadSubKeys(CStringArray& subKeys);
  BOOL ReadKeyValues(CStringArray& values);

  BOOL Write(LPCTSTR pszKey, int iVal);
  BOOL Write(LPCTSTR pszKey, DWORD dwVal);
  BOOL Write(LPCTSTR pszKey, double dblVal);
  BOOL Write(LPCTSTR pszKey, LPCTSTR pszVal);
  BOOL Write(LPCTSTR pszKey, const CString& strVal) { return Write(pszKey, static_cast<LPCTSTR>(strVal)); }
  BOOL Write(LPCTSTR pszKey, CStringList& scStringList);
  BOOL Write(LPCTSTR pszKey, CStringArray& scArray);
  BOOL Write(LPCTSTR pszKey, CByteArray& bcArray);
  BOOL Write(LPCTSTR pszKey, CDWordArray& dwcArray);
  BOOL Write(LPCTSTR pszKey, CWordArray& wcArray);
  BOOL Write(LPCTSTR pszKey, CUIntArray& ucArray);
  BOOL Write(LPCTSTR pszKey, const CRect& rect);
  BOOL Write(LPCTSTR pszKey, const CPoint& point);
  BOOL Write(LPCTSTR pszKey, const CSize& size);
  BOOL Write(LPCTSTR pszKey, LPBYTE pData, UINT nBytes);
  // The object's own Serialize / the object with its run-time class.
  BOOL Write(LPCTSTR pszKey, CObject& obj);
  BOOL Write(LPCTSTR pszKey, CObject* pObj);

  BOOL Read(LPCTSTR pszKey, int& iVal);
  BOOL Read(LPCTSTR pszKey, DWORD& dwVal);
  BOOL Read(LPCTSTR pszKey, double& dblVal);
  BOOL Read(LPCTSTR pszKey, CString& sVal);
  BOOL Read(LPCTSTR pszKey, CStringList& scStringList);
  BOOL Read(LPCTSTR pszKey, CStringArray& scArray);
  BOOL Read(LPCTSTR pszKey, CByteArray& bcArray);
  BOOL Read(LPCTSTR pszKey, CDWordArray& dwcArray);
  BOOL Read(LPCTSTR pszKey, CWordArray& wcArray);
  BOOL Read(LPCTSTR pszKey, CUIntArray& ucArray);
  BOOL Read(LPCTSTR pszKey, CRect& rect);
  BOOL Read(LPCTSTR pszKey, CPoint& point);
  BOOL Read(LPCTSTR pszKey, CSize& size);
  // A binary value into a buffer the caller frees with delete[]; nBytes gets its size.
  BOOL Read(LPCTSTR pszKey, BYTE** ppData, UINT* pBytes);
  BOOL Read(LPCTSTR pszKey, CObject& obj);
  // A new object of the stored run-time class; null and FALSE on failure. The caller owns it.
  BOOL Read(LPCTSTR pszKey, CObject*& pObj);

protected:
  BOOL WriteValue(LPCTSTR pszKey, DWORD dwType, const BYTE* pData, DWORD nBytes);
  BOOL ReadValue(LPCTSTR pszKey, DWORD dwTypeWanted, CByteArray& data);
  HKEY GetRoot() const;

  BOOL m_bAdmin;
  BOOL m_bReadOnly;
  CString m_strPath;
};
