// A model context on the real shell for the Windows tests: default options, a scratch data
// folder, the shell allocator and desktop folder, and helpers that build folder trees, ID lists
// and shortcuts.
#pragma once

#include <windows.h>
#include <shlobj.h>
#include <wrl/client.h>

#include <gtest/gtest.h>

#include <atomic>
#include <cstring>
#include <memory>
#include <mutex>
#include <set>
#include <string>
#include <vector>

#include "data_file.h"
#include "folder_listing.h"
#include "listing_cache.h"
#include "model_context.h"
#include "options_record.h"
#include "shell_item.h"
#include "win_test_support.h"

namespace quillo::test {

// An ID list from ParseDisplayName, freed with the shell allocator.
struct IdList {
  LPITEMIDLIST list = nullptr;
  IdList() = default;
  explicit IdList(LPITEMIDLIST l) : list(l) {}
  IdList(IdList&& other) noexcept : list(other.list) { other.list = nullptr; }
  IdList(const IdList&) = delete;
  ~IdList() { CoTaskMemFree(list); }
};

// A shell allocator that sees misuse: freeing a block twice or one it never gave out is
// counted, and a freed block is zeroed and kept (never reused), so that a reader copying it
// afterwards gets an empty list instead of a valid one.
class CheckingAllocator final : public IMalloc {
 public:
  explicit CheckingAllocator(IMalloc* real) : real_(real) {}
  ~CheckingAllocator() {
    for (void* block : freed_) real_->Free(block);
    for (void* block : live_) real_->Free(block);
  }
  STDMETHODIMP QueryInterface(REFIID, void** object) override { return *object = nullptr, E_NOINTERFACE; }
  STDMETHODIMP_(ULONG) AddRef() override { return 2; }
  STDMETHODIMP_(ULONG) Release() override { return 1; }
  STDMETHODIMP_(void*) Alloc(SIZE_T size) override {
    void* block = real_->Alloc(size);
    const std::lock_guard<std::mutex> hold(mutex_);
    if (block != nullptr) live_.insert(block);
    return block;
  }
  STDMETHODIMP_(void*) Realloc(void*, SIZE_T) override { return nullptr; }
  STDMETHODIMP_(void) Free(void* block) override {
    if (block == nullptr) return;
    const std::lock_guard<std::mutex> hold(mutex_);
    if (live_.erase(block) == 0) {
      ++badFrees;
      return;
    }
    std::memset(block, 0, real_->GetSize(block));
    freed_.push_back(block);
  }
  STDMETHODIMP_(SIZE_T) GetSize(void* block) override { return real_->GetSize(block); }
  STDMETHODIMP_(int) DidAlloc(void* block) override { return real_->DidAlloc(block); }
  STDMETHODIMP_(void) HeapMinimize() override {}

  // Blocks given out and not freed yet.
  std::size_t LiveCount() {
    const std::lock_guard<std::mutex> hold(mutex_);
    return live_.size();
  }

  std::atomic<int> badFrees{0};

 private:
  IMalloc* real_;
  std::mutex mutex_;
  std::set<void*> live_;
  std::vector<void*> freed_;
};

class ModelTest : public ::testing::Test {
 protected:
  ModelTest() : scratch_("model") {
    CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED);
    SystemColors colors{};
    InitOptions(options_, colors);
    SHGetMalloc(&allocator_);
    SHGetDesktopFolder(&desktop_);
    dataFolder_ = scratch_ / "data";
    CreateDirectoryA(dataFolder_.c_str(), nullptr);
    context_.options = &options_;
    context_.dataFolder = dataFolder_.c_str();
    context_.allocator = allocator_;
    context_.desktop = desktop_;
    context_.itemsPerColumn = 40;
    context_.keepWaiting = [](void*) { return true; };
    cache_ = std::make_unique<ListingCache>(context_);
  }
  ~ModelTest() override {
    cache_.reset();
    desktop_->Release();
    allocator_->Release();
    CoUninitialize();
  }

  std::string Folder(const std::string& relative) {
    const std::string path = scratch_ / relative;
    CreateDirectoryA(path.c_str(), nullptr);
    return path;
  }
  std::string File(const std::string& relative, const std::string& text = "x") {
    const std::string path = scratch_ / relative;
    WriteText(path, text);
    return path;
  }
  // A shortcut file at linkPath pointing to target.
  void Shortcut(const std::string& linkPath, const std::string& target) {
    Microsoft::WRL::ComPtr<IShellLinkA> link;
    ASSERT_HRESULT_SUCCEEDED(CoCreateInstance(CLSID_ShellLink, nullptr, CLSCTX_INPROC_SERVER,
                                              IID_IShellLinkA, &link));
    link->SetPath(target.c_str());
    Microsoft::WRL::ComPtr<IPersistFile> file;
    ASSERT_HRESULT_SUCCEEDED(link.As(&file));
    wchar_t wide[MAX_PATH];
    MultiByteToWideChar(CP_ACP, 0, linkPath.c_str(), -1, wide, MAX_PATH);
    ASSERT_HRESULT_SUCCEEDED(file->Save(wide, TRUE));
  }
  IdList Parse(const std::string& path) {
    wchar_t wide[MAX_PATH];
    MultiByteToWideChar(CP_ACP, 0, path.c_str(), -1, wide, MAX_PATH);
    LPITEMIDLIST list = nullptr;
    desktop_->ParseDisplayName(nullptr, nullptr, wide, nullptr, &list, nullptr);
    return IdList(list);
  }
  std::uint32_t Attributes(LPCITEMIDLIST list) {
    return GetAttributes({desktop_, allocator_}, desktop_, list);
  }
  static void SetList(char* field, std::initializer_list<const char*> items) {
    char* at = field;
    for (const char* item : items) {
      std::strcpy(at, item);
      at += std::strlen(item) + 1;
    }
    *at = '\0';
  }

  // The text the menu shows for an entry, "-" for a separator.
  static std::string TextOf(const FolderListing& listing, const MenuEntry& entry) {
    const char* text = EntryText(entry.name, ListingNames(listing));
    return text != nullptr ? text : "-";
  }
  // The texts of a listing in display order.
  static std::vector<std::string> Texts(const FolderListing& listing) {
    std::vector<std::string> texts;
    for (std::size_t i = 0; i < listing.order.count(); ++i) {
      texts.push_back(TextOf(listing, listing.entries[listing.order[i]]));
    }
    return texts;
  }

  // Acquires the listing of a folder path as a plain entry (no parent entry) or the root entry.
  struct Acquired {
    ListingCache* cache;
    FolderListing* listing;
    Acquired(ListingCache* c, FolderListing* l) : cache(c), listing(l) {}
    Acquired(const Acquired&) = delete;
    ~Acquired() {
      if (listing) cache->Release(listing);
    }
  };
  std::unique_ptr<Acquired> Open(LPITEMIDLIST list, std::uint8_t parentEntryFlag = 0,
                                 bool navigation = false) {
    MenuEntry entry = MakeRootEntry(list, Attributes(list));
    entry.parentEntryFlag = parentEntryFlag;
    return std::make_unique<Acquired>(cache_.get(),
                                      cache_->Acquire(entry, navigation, navigation));
  }
  std::unique_ptr<Acquired> OpenKind(std::uint32_t kind) {
    MenuEntry entry = MakeRootEntry(nullptr, kind);
    return std::make_unique<Acquired>(cache_.get(), cache_->Acquire(entry, false, false));
  }

  ScratchFolder scratch_;
  OptionsRecord options_{};
  std::string dataFolder_;
  IMalloc* allocator_ = nullptr;
  IShellFolder* desktop_ = nullptr;
  ModelContext context_;
  std::unique_ptr<ListingCache> cache_;
};

}  // namespace quillo::test
