#pragma once
// Language libraries: resource modules loaded from binary resource files, the chain of
// modules that resource lookups search, and the program's own string table.

#include <cstddef>
#include <memory>
#include <string>
#include <vector>

#include "platform/afx/AfxTypes.h"

// Handle of a loaded module. It is the module itself, so that the window layer can make its
// instance handles this type and pass them straight to the functions below.
class ResourceModule;
typedef ResourceModule* HRESMODULE;

// One loaded language library. Each module is mapped under a root of its own, so any
// number of them can be loaded at once.
class ResourceModule {
public:
  ~ResourceModule();
  ResourceModule(const ResourceModule&) = delete;
  ResourceModule& operator=(const ResourceModule&) = delete;

  // Loads the module file at path. On failure returns null and, when reason is given,
  // says why (missing file, unreadable, not a resource file, damaged, bad string table).
  static std::unique_ptr<ResourceModule> Load(const std::u16string& path, std::u16string* reason = nullptr);

  // The string of number nID, or false and an empty text when the module has none.
  bool FindString(UINT nID, std::u16string& text) const;
  bool HasString(UINT nID) const;
  // The raw bytes of the resource of a type ("MENU", "DIALOG", "ACCELERATOR", "TOOLBAR",
  // "BITMAP", "CURSOR", "ICON", ...) and number, or false when absent.
  bool FindResourceData(const char* type, UINT nID, std::vector<BYTE>& data) const;
  bool HasResource(const char* type, UINT nID) const;
  // The Qt resource path of that resource (":/kcres/<n>/BITMAP/130.png") for readers that open
  // paths themselves, such as image loaders; empty when absent. Valid while the module lives.
  std::u16string GetResourcePath(const char* type, UINT nID) const;

  const std::u16string& GetPath() const { return m_path; }
  // The Qt resource path prefix this module is mapped under (":/kcres/<n>").
  const std::u16string& GetMapRoot() const { return m_mapRoot; }

  HRESMODULE GetHandle() const { return const_cast<ResourceModule*>(this); }
  static ResourceModule* FromHandle(HRESMODULE h) { return h; }

private:
  ResourceModule();
  struct Impl;
  std::unique_ptr<Impl> m_impl;
  std::u16string m_path;
  std::u16string m_mapRoot;
};

// Loads a module and hands over ownership to the caller, who releases it with AfxFreeResourceModule.
ResourceModule* AfxLoadResourceModule(const std::u16string& path, std::u16string* reason = nullptr);
// Frees a module loaded by AfxLoadResourceModule and takes it out of the chain. Null is ignored.
void AfxFreeResourceModule(ResourceModule* pModule);

// The chain searched by every resource lookup, in this order:
//   1. the resource handle (AfxSetResourceHandle), normally the language library;
//   2. the extension modules, the one added last first;
//   3. the program's own string table.
// The chain does not own the modules.
void AfxSetResourceHandle(ResourceModule* pModule);
ResourceModule* AfxGetResourceHandle();
void AfxAddResourceModule(ResourceModule* pModule);
void AfxRemoveResourceModule(ResourceModule* pModule);

// The string of number nID from the chain; false and an empty text when no module has it.
bool AfxLoadStringResource(UINT nID, std::u16string& text);
// The bytes of a typed resource from the chain; false and empty when no module has it.
bool AfxFindResourceData(const char* type, UINT nID, std::vector<BYTE>& data);
// The module of the chain that holds string nID, or null (also null for the program's own table).
ResourceModule* AfxFindStringResourceModule(UINT nID);
// The module of the chain that holds the resource of that type and number, or null.
ResourceModule* AfxFindResourceModule(const char* type, UINT nID);

// Texts the program carries itself, searched after every module.
void AfxSetProgramString(UINT nID, const std::u16string& text);
void AfxClearProgramStrings();

// The language library of a language code ("ENG", "JPN") in folder: first
// KcResource<code>.rcc, then any other KcResource*.rcc there in name order.
struct LanguageModuleResult {
  ResourceModule* pModule = nullptr;     // owned by the caller (AfxFreeResourceModule)
  std::u16string fileName;               // the file that was loaded
  std::vector<std::u16string> tried;     // every file name tried, in order
  std::u16string reason;                 // why the last try failed when pModule is null
};
LanguageModuleResult AfxLoadLanguageModule(const std::u16string& folder, const std::u16string& code);
// The folder of the running program: the application's folder when one exists, else that of
// the executable.
std::u16string AfxGetProgramFolder();
// The folder of the language libraries: <program folder>/resource.
std::u16string AfxGetResourceFolder();
