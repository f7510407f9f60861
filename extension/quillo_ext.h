// CQuilloExt: the context-menu and drag-and-drop handler Explorer creates per right-click. It
// holds only its reference count; everything else lives in the process-wide ExtensionState.
#pragma once

#include <windows.h>
#include <shlobj.h>

#include <atomic>

namespace quillo {

class CQuilloExt final : public IShellExtInit, public IContextMenu {
 public:
  // A new object with one reference, holding one lock on the module.
  static HRESULT CreateInstance(REFIID riid, void** object);

  // IUnknown
  STDMETHODIMP QueryInterface(REFIID riid, void** object) override;
  STDMETHODIMP_(ULONG) AddRef() override;
  STDMETHODIMP_(ULONG) Release() override;

  // IShellExtInit
  STDMETHODIMP Initialize(LPCITEMIDLIST pidlFolder, IDataObject* data, HKEY progId) override;

  // IContextMenu
  STDMETHODIMP QueryContextMenu(HMENU menu, UINT indexMenu, UINT idCmdFirst, UINT idCmdLast,
                                UINT flags) override;
  STDMETHODIMP InvokeCommand(CMINVOKECOMMANDINFO* info) override;
  STDMETHODIMP GetCommandString(UINT_PTR idCmd, UINT type, UINT* reserved, LPSTR buffer,
                                UINT cchMax) override;

 private:
  CQuilloExt();
  ~CQuilloExt();

  std::atomic<ULONG> references_{1};
};

}  // namespace quillo
