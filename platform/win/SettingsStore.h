#pragma once
// The settings store that stands in for the registry: one text file per user holding every key and
// value under HKEY_CURRENT_USER, and one read-only file for HKEY_LOCAL_MACHINE.
//
// Where the files live:
//   HKEY_CURRENT_USER   $XDG_CONFIG_HOME/Korvan/registry.conf   (~/.config when XDG_CONFIG_HOME is unset)
//   HKEY_LOCAL_MACHINE  $KC_MACHINE_CONFIG_DIR/Korvan/registry.conf, else /etc/xdg/Korvan/registry.conf
// The environment is read on every access, so a test that points XDG_CONFIG_HOME elsewhere gets a
// store of its own at once.
//
// File format (UTF-8, one item per line, in the spirit of .reg files):
//   Korvan settings 1
//   ; comment lines start with ';', blank lines are ignored
//   [HKEY_CURRENT_USER\Software\Korvan]            one header per key, also for keys without values
//   "Count"=dword:42                                 REG_DWORD, decimal
//   "Big"=qword:123456789012                         REG_QWORD, decimal
//   "Title"=string:"a \"quoted\" text\n"             REG_SZ; escapes \\ \" \n \r \t \0 \uXXXX
//   "Path"=expand:"%HOME%\\drawings"                 REG_EXPAND_SZ
//   "Files"=multi:"a.jww","b.dxf"                    REG_MULTI_SZ (multi: alone is the empty list)
//   "Scale"=binary:00 00 00 00 00 00 f0 3f           REG_BINARY as hex bytes
//   @=string:"default value"                         the key's unnamed value
//   "Odd"=hex(4):01 02 03                            any type whose bytes do not have the usual shape
//   end
// A value reads back with exactly the type and the bytes that were written: the readable forms are
// used only where they reproduce those bytes, everything else is kept as hex(type).
// The last line "end" marks a complete file; a file without it was cut short.
//
// Order: subkeys are kept sorted by their case-folded names, values in the order they were created.
// Key and value names are matched without regard to case and keep the case they were created with.
//
// Several running instances share the user's file. Every change takes the lock file
// (registry.conf.lock), re-reads the file when another process changed it, applies only its own
// change and replaces the file atomically. Readers reload when the file on disk changed. A write
// costs a few milliseconds; a long run of writes goes into one batch (BeginBatch/EndBatch).
//
// A damaged file (any line that does not parse, bad hex, text that is not UTF-8, a missing "end") is
// set aside as a whole: it is renamed to registry.conf.corrupt-<time>, a message goes to standard
// error and the program goes on with an empty store, that is with its defaults. One bad line is
// enough, because the lines around it can no longer be trusted. The machine file is never renamed;
// a damaged one is reported and read as empty.

#include <memory>
#include <string>
#include <vector>

#include "platform/afx/AfxTypes.h"

class SettingsStore {
public:
  enum Root { CurrentUser, LocalMachine };

  struct KeyInfo {
    DWORD subKeys = 0;
    DWORD maxSubKeyLen = 0;     // characters, without the terminating zero
    DWORD values = 0;
    DWORD maxValueNameLen = 0;  // characters, without the terminating zero
    DWORD maxValueLen = 0;      // bytes
  };

  // A store over one file. rootName ("HKEY_CURRENT_USER") heads every key in the file.
  SettingsStore(const std::u16string& filePath, const std::u16string& rootName, bool readOnly);
  ~SettingsStore();
  SettingsStore(const SettingsStore&) = delete;
  SettingsStore& operator=(const SettingsStore&) = delete;

  // The store of a root for the current environment; it lives as long as the program.
  static SettingsStore* Get(Root root);
  static std::u16string UserFilePath();
  static std::u16string MachineFilePath();
  static std::u16string RootName(Root root);

  const std::u16string& FilePath() const;
  bool IsReadOnly() const;

  // Key paths are relative to the root, components separated by single backslashes, no leading or
  // trailing backslash; the empty path is the root itself. Results are Win32 error codes.
  LONG CreateKey(const std::u16string& path, bool* created);
  LONG KeyExists(const std::u16string& path);
  // Deletes the key with its subtree; with keepKey only its values and subkeys.
  LONG DeleteKey(const std::u16string& path, bool keepKey);

  LONG SetValue(const std::u16string& key, const std::u16string& name, DWORD type, const BYTE* data,
                DWORD size);
  LONG GetValue(const std::u16string& key, const std::u16string& name, DWORD* type,
                std::vector<BYTE>* data);
  LONG DeleteValue(const std::u16string& key, const std::u16string& name);

  LONG EnumKey(const std::u16string& key, DWORD index, std::u16string* name);
  LONG EnumValue(const std::u16string& key, DWORD index, std::u16string* name, DWORD* type,
                 std::vector<BYTE>* data);
  LONG QueryInfo(const std::u16string& key, KeyInfo* info);

  // Many changes in a row (a window layout saved at exit) are written once: between BeginBatch
  // and EndBatch the changes stay in memory, visible to this process, and the store stays locked
  // against other instances from the first change on. Batches nest; EndBatch reports a failed
  // write. Changes of a batch that never ends are not saved.
  void BeginBatch();
  LONG EndBatch();

  // Every change outside a batch is in the file when its call returns; this also asks the system
  // to put the file on the disk.
  LONG Flush();

private:
  struct Data;
  std::unique_ptr<Data> d;
};
