#include "quillo_ext.h"

#include <shlwapi.h>

#include <new>

#include "extension_state.h"
#include "invocation.h"
#include "menu_entry_insertion.h"
#include "quillo_module.h"

namespace quillo {

CQuilloExt::CQuilloExt() { CQuilloModule::Instance().Lock(); }
CQuilloExt::~CQuilloExt() {
  EndMenuNeverShown(State(), this);
  CQuilloModule::Instance().Unlock();
}

HRESULT CQuilloExt::CreateInstance(REFIID riid, void** object) {
  if (object == nullptr) return E_POINTER;
  *object = nullptr;
  auto* ext = new (std::nothrow) CQuilloExt();
  if (ext == nullptr) return E_OUTOFMEMORY;
  const HRESULT result = ext->QueryInterface(riid, object);
  ext->Release();
  return result;
}

STDMETHODIMP CQuilloExt::QueryInterface(REFIID riid, void** object) {
#pragma GCC diagnostic push
#pragma GCC diagnostic ignored "-Winvalid-offsetof"
  static const QITAB interfaces[] = {
      QITABENT(CQuilloExt, IShellExtInit),
      QITABENT(CQuilloExt, IContextMenu),
      {nullptr, 0},
  };
#pragma GCC diagnostic pop
  return QISearch(this, interfaces, riid, object);
}

STDMETHODIMP_(ULONG) CQuilloExt::AddRef() { return ++references_; }

STDMETHODIMP_(ULONG) CQuilloExt::Release() {
  const ULONG left = --references_;
  if (left == 0) delete this;
  return left;
}

STDMETHODIMP CQuilloExt::Initialize(LPCITEMIDLIST pidlFolder, IDataObject* data, HKEY) {
  return InitializeInvocation(State(), pidlFolder, data);
}

STDMETHODIMP CQuilloExt::QueryContextMenu(HMENU menu, UINT indexMenu, UINT idCmdFirst, UINT,
                                          UINT flags) {
  const HRESULT result = InsertMenuEntries(State(), menu, indexMenu, idCmdFirst, flags);
  if (HRESULT_CODE(result) > 0) State().MenuInserter = this;
  return result;
}

// The extension's own menus carry out every action; Explorer's command route is never used.
STDMETHODIMP CQuilloExt::InvokeCommand(CMINVOKECOMMANDINFO*) { return E_FAIL; }

STDMETHODIMP CQuilloExt::GetCommandString(UINT_PTR, UINT type, UINT*, LPSTR buffer, UINT cchMax) {
  return WriteCommandHelp(State(), type, buffer, cchMax);
}

}  // namespace quillo
