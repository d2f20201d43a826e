#pragma once
// An array of entity pointers. Like the drawing code's pointer arrays it does not delete what it
// holds on RemoveAt or RemoveAll; DeleteAt and DeleteAll delete as well. An index outside the
// array reads as null and changes nothing.

#include <vector>

#include "platform/afx/AfxTypes.h"

class CArchive;
class RuVaEntity2d;

class KcArrayOfGeEntity2d {
public:
  KcArrayOfGeEntity2d() = default;
  KcArrayOfGeEntity2d(const KcArrayOfGeEntity2d&) = default;
  KcArrayOfGeEntity2d& operator=(const KcArrayOfGeEntity2d&) = default;

  INT_PTR GetSize() const { return static_cast<INT_PTR>(m_items.size()); }
  INT_PTR GetCount() const { return GetSize(); }
  INT_PTR GetUpperBound() const { return GetSize() - 1; }
  BOOL IsEmpty() const { return m_items.empty(); }

  RuVaEntity2d* GetAt(INT_PTR index) const;
  RuVaEntity2d* operator[](INT_PTR index) const { return GetAt(index); }
  BOOL SetAt(INT_PTR index, RuVaEntity2d* entity);
  INT_PTR Add(RuVaEntity2d* entity);
  BOOL InsertAt(INT_PTR index, RuVaEntity2d* entity);
  BOOL RemoveAt(INT_PTR index);
  void RemoveAll() { m_items.clear(); }
  BOOL DeleteAt(INT_PTR index);
  void DeleteAll();

  // Replaces the contents by clones of the other array's entities (the old ones are not deleted).
  void CloneFrom(const KcArrayOfGeEntity2d& other);

  // Stores the entities; loading replaces (and deletes) the contents only once every entity has
  // loaded, and throws CArchiveException on a damaged archive with the array unchanged.
  void Serialize(CArchive& ar);

private:
  std::vector<RuVaEntity2d*> m_items;
};
