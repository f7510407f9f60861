// Shortcut targets described through their folders, each bound once, read exactly as the desktop
// describes them: name, attributes and absolute list, for every kind of target.
#include <string>
#include <vector>

#include "model_win_fixture.h"
#include "target_folders.h"

namespace quillo::test {
namespace {

using Microsoft::WRL::ComPtr;

class TargetFoldersTest : public ModelTest {
 protected:
  struct Described {
    std::uint32_t attributes = 0;
    std::string path;
    std::vector<unsigned char> list;
  };

  Described Query(IShellFolder* folder, LPCITEMIDLIST child, DWORD flags, TargetFolders* targets) {
    char name[MAX_PATH], path[MAX_PATH];
    LPITEMIDLIST resolved = nullptr;
    Described described;
    ItemQuery query{folder, child, flags, name, sizeof name, nullptr, 0, path, sizeof path,
                    &resolved};
    query.targets = targets;
    described.attributes = GetItemInformation({desktop_, allocator_}, query);
    described.path = path;
    if (resolved != nullptr) {
      const auto* bytes = reinterpret_cast<const unsigned char*>(resolved);
      described.list.assign(bytes, bytes + ILGetSize(resolved));
      allocator_->Free(resolved);
    }
    return described;
  }
};

TEST_F(TargetFoldersTest, EveryKindOfTargetReadsAsTheDesktopReadsIt) {
  const std::string targets = Folder("targets");
  for (const char* file : {"a.txt", "b.doc", "c.exe", "d.qqq", "noext"}) File("targets\\" + std::string(file));
  Folder("targets\\sub");
  Folder("targets\\sub.dir");
  File("targets\\sub\\deep.txt");
  File("targets\\sub\\a.txt", "another a");
  File("gone.txt");
  const std::string links = Folder("links");
  int shortcuts = 0;
  const auto link = [&](const std::string& name, const std::string& target) {
    Shortcut(links + "\\" + name + ".lnk", target);
    ++shortcuts;
  };
  for (const char* file : {"a.txt", "b.doc", "c.exe", "d.qqq", "noext", "sub", "sub.dir"}) {
    link(std::string("to ") + file, targets + "\\" + file);
  }
  link("to deep", targets + "\\sub\\deep.txt");
  link("to the other a", targets + "\\sub\\a.txt");
  link("to the folder", targets);
  link("to gone", scratch_ / "gone.txt");
  link("to the drive", targets.substr(0, 3));
  DeleteFileA((scratch_ / "gone.txt").c_str());
  IdList list = Parse(links);
  ComPtr<IShellFolder> folder;
  ASSERT_HRESULT_SUCCEEDED(desktop_->BindToObject(list.list, nullptr, IID_PPV_ARGS(&folder)));
  for (DWORD flags : {DWORD{SHGDN_INFOLDER}, DWORD{SHGDN_FORPARSING}}) {
    TargetFolders folders({desktop_, allocator_});
    ComPtr<IEnumIDList> children;
    folder->EnumObjects(nullptr, SHCONTF_FOLDERS | SHCONTF_NONFOLDERS, &children);
    LPITEMIDLIST child = nullptr;
    int compared = 0;
    while (children && children->Next(1, &child, nullptr) == S_OK) {
      IdList owner(child);
      const Described desktop = Query(folder.Get(), child, flags, nullptr);
      const Described bound = Query(folder.Get(), child, flags, &folders);
      EXPECT_EQ(bound.path, desktop.path) << "flags=" << flags;
      EXPECT_EQ(bound.attributes, desktop.attributes) << desktop.path;
      EXPECT_EQ(bound.list, desktop.list) << desktop.path;
      EXPECT_NE(desktop.attributes & kAttrLink, 0u) << desktop.path;
      ++compared;
    }
    EXPECT_EQ(compared, shortcuts);
    // "targets" holds seven targets, "sub" two and the scratch folder one; the deleted target
    // and the drive are left to the desktop.
    EXPECT_EQ(folders.Bindings(), 3);
  }
}

}  // namespace
}  // namespace quillo::test
