#include "libs/ruva/KcArrayOfGeEntity2d.h"

#include "platform/afx/CArchive.h"
#include "libs/ruva/RuVaEntity2d.h"

RuVaEntity2d* KcArrayOfGeEntity2d::GetAt(INT_PTR index) const
{
  if (index < 0 || index >= GetSize())
    return nullptr;
  return m_items[static_cast<size_t>(index)];
}

BOOL KcArrayOfGeEntity2d::SetAt(INT_PTR index, RuVaEntity2d* entity)
{
  if (index < 0 || index >= GetSize())
    return FALSE;
  m_items[static_cast<size_t>(index)] = entity;
  return TRUE;
}

INT_PTR KcArrayOfGeEntity2d::Add(RuVaEntity2d* entity)
{
  m_items.push_back(entity);
  return GetSize() - 1;
}

BOOL KcArrayOfGeEntity2d::InsertAt(INT_PTR index, RuVaEntity2d* entity)
{
  if (index < 0 || index > GetSize())
    return FALSE;
  m_items.insert(m_items.begin() + index, entity);
  return TRUE;
}

BOOL KcArrayOfGeEntity2d::RemoveAt(INT_PTR index)
{
  if (index < 0 || index >= GetSize())
    return FALSE;
  m_items.erase(m_items.begin() + index);
  return TRUE;
}

BOOL KcArrayOfGeEntity2d::DeleteAt(INT_PTR index)
{
  if (index < 0 || index >= GetSize())
    return FALSE;
  delete m_items[static_cast<size_t>(index)];
  m_items.erase(m_items.begin() + index);
  return TRUE;
}

void KcArrayOfGeEntity2d::DeleteAll()
{
  for (RuVaEntity2d* e : m_items)
    delete e;
  m_items.clear();
}

void KcArrayOfGeEntity2d::CloneFrom(const KcArrayOfGeEntity2d& other)
{
  std::vector<RuVaEntity2d*> copies;
  copies.reserve(other.m_items.size());
  for (const RuVaEntity2d* e : other.m_items)
    copies.push_back(e ? e->Clone() : nullptr);
  m_items.swap(copies);
}

void KcArrayOfGeEntity2d::Serialize(CArchive& ar)
{
  if (ar.IsStoring()) {
    ar.WriteCount(m_items.size());
    for (const RuVaEntity2d* e : m_items)
      RuVaEntity2d::Store(ar, e);
    return;
  }
  const DWORD_PTR count = ar.ReadCount();
  KcArrayOfGeEntity2d loaded;
  try {
    for (DWORD_PTR i = 0; i < count; ++i)
      loaded.Add(RuVaEntity2d::Load(ar));
  } catch (...) {
    loaded.DeleteAll();
    throw;
  }
  DeleteAll();
  m_items.swap(loaded.m_items);
}
