#pragma once
// Makes and owns the registry object for one scope:
//   CBCGPRegistrySP regSP;
//   CBCGPRegistry& reg = regSP.Create(FALSE, FALSE);
// The object lives until the CBCGPRegistrySP goes; a program may swap in a class of its own
// (a run-time class derived from CBCGPRegistry is not needed here: a factory serves).

#include "platform/win/WinTypes.h"

class CBCGPRegistry;

class CBCGPRegistrySP {
public:
  typedef CBCGPRegistry* (*Factory)(BOOL bAdmin, BOOL bReadOnly);

  CBCGPRegistrySP() = default;
  ~CBCGPRegistrySP();
  CBCGPRegistrySP(const CBCGPRegistrySP&) = delete;
  CBCGPRegistrySP& operator=(const CBCGPRegistrySP&) = delete;

  // A fresh registry object; a second Create replaces the first.
  CBCGPRegistry& Create(BOOL bAdmin, BOOL bReadOnly);
  // The factory of later Create calls (null restores the plain registry object).
  static BOOL SetFactory(Factory pfn);

private:
  CBCGPRegistry* m_pRegistry = nullptr;
};
