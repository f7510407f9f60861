// Small icon indexes of entries in the system image list. A lookup by ID list costs
// milliseconds, so plain files of a class without per-file icons, plain folders, and shortcuts
// without an icon of their own to targets of such a class, share one lookup per class within an
// enumeration; everything else is looked up item by item.
#pragma once

#include <windows.h>
#include <shlobj.h>

#include <cstdint>

#include "menu_entry.h"

namespace quillo {

struct ModelContext;

class EntryIcons {
 public:
  explicit EntryIcons(ModelContext& context) : context_(context) {}

  // Sets iconIndex and openIconIndex of entry for the absolute list. folder and child, when
  // given, name the same item as a child of its bound folder and let the class be shared.
  void Assign(MenuEntry& entry, LPCITEMIDLIST absolute, std::uint32_t attributes,
              IShellFolder* folder = nullptr, LPCITEMIDLIST child = nullptr);

 private:
  struct IconClass {
    char key[16];   // "\" for plain folders, "." + lower-case extension for files; after "L"
                    // the class of a shortcut's target
    bool perFile;   // the class draws each file's own icon: no sharing
    std::int32_t icon;
    std::int32_t openIcon;
  };

  std::int32_t LookUp(LPCITEMIDLIST absolute, UINT extraFlags);
  IconClass* FindClass(const char* key);
  bool ClassKey(IShellFolder* folder, LPCITEMIDLIST child, char* key, std::size_t size);
  bool LinkClassKey(IShellFolder* folder, LPCITEMIDLIST child, char* key, std::size_t size);

  ModelContext& context_;
  IconClass classes_[64] = {};
  int classCount_ = 0;
};

// True when files of this extension (without dot) may each show an icon of their own: programs,
// icons and shortcuts, classes whose default icon names the file ("%1") and classes with an
// icon handler.
bool ExtensionHasPerFileIcon(const char* extension);

}  // namespace quillo
