#include "logon_trigger.h"

#include <windows.h>
#include <objbase.h>
#include <taskschd.h>
#include <wrl/client.h>

#include <cstdio>
#include <string>

#include "setup_error_code.h"
#include "setup_state.h"
#include "wide_text.h"

using Microsoft::WRL::ComPtr;

// The logon trigger interface, which MinGW's taskschd.h does not declare.
MIDL_INTERFACE("72DADE38-FAE4-4b3e-BAF4-5D009AF02B1C")
ILogonTrigger : public ITrigger {
 public:
  virtual HRESULT STDMETHODCALLTYPE get_Delay(BSTR* delay) = 0;
  virtual HRESULT STDMETHODCALLTYPE put_Delay(BSTR delay) = 0;
  virtual HRESULT STDMETHODCALLTYPE get_UserId(BSTR* user) = 0;
  virtual HRESULT STDMETHODCALLTYPE put_UserId(BSTR user) = 0;
};
__CRT_UUID_DECL(ILogonTrigger, 0x72dade38, 0xfae4, 0x4b3e, 0xba, 0xf4, 0x5d, 0x00, 0x9a, 0xf0, 0x2b,
                0x1c)

namespace quillo::setup {
namespace {

constexpr int kAttempts = 10;

// A BSTR owned for the duration of one call.
class Bstr {
 public:
  explicit Bstr(const wchar_t* text) : value_(SysAllocString(text)) {}
  ~Bstr() { SysFreeString(value_); }
  Bstr(const Bstr&) = delete;
  Bstr& operator=(const Bstr&) = delete;
  operator BSTR() const { return value_; }

 private:
  BSTR value_;
};

// The local name of a well-known group (S-1-5-32-<rid>).
bool GroupName(DWORD rid, wchar_t (&name)[257]) {
  SID_IDENTIFIER_AUTHORITY nt = SECURITY_NT_AUTHORITY;
  PSID sid = nullptr;
  if (!AllocateAndInitializeSid(&nt, 2, SECURITY_BUILTIN_DOMAIN_RID, rid, 0, 0, 0, 0, 0, 0, &sid)) {
    return false;
  }
  wchar_t domain[257];
  DWORD nameLength = 257, domainLength = 257;
  SID_NAME_USE use;
  const bool found = LookupAccountSidW(nullptr, sid, name, &nameLength, domain, &domainLength, &use);
  FreeSid(sid);
  return found;
}

// COM in the multithreaded apartment for the lifetime of the object.
class MultithreadedCom {
 public:
  MultithreadedCom() : result_(CoInitializeEx(nullptr, COINIT_MULTITHREADED)) {}
  ~MultithreadedCom() {
    if (SUCCEEDED(result_)) CoUninitialize();
  }
  MultithreadedCom(const MultithreadedCom&) = delete;
  MultithreadedCom& operator=(const MultithreadedCom&) = delete;
  bool ok() const { return SUCCEEDED(result_); }

 private:
  HRESULT result_;
};

// The task definition with its settings, principal, trigger and action; 0 or the failing step.
int DefineTask(ITaskService* service, const wchar_t* program, const wchar_t* arguments,
               ComPtr<ITaskDefinition>& task) {
  if (FAILED(service->NewTask(0, &task))) return 6;
  ComPtr<IRegistrationInfo> info;
  if (FAILED(task->get_RegistrationInfo(&info))) return 7;
  if (FAILED(info->put_Author(Bstr(L"Larkwell")))) return 8;
  ComPtr<ITaskSettings> settings;
  if (FAILED(task->get_Settings(&settings))) return 9;
  if (FAILED(settings->put_StartWhenAvailable(VARIANT_TRUE)) ||
      FAILED(settings->put_DisallowStartIfOnBatteries(VARIANT_FALSE)) ||
      FAILED(settings->put_StopIfGoingOnBatteries(VARIANT_FALSE)) ||
      FAILED(settings->put_ExecutionTimeLimit(Bstr(L"PT0S")))) {
    return 10;
  }
  ComPtr<IPrincipal> principal;
  if (FAILED(task->get_Principal(&principal))) return 11;
  if (FAILED(principal->put_RunLevel(TASK_RUNLEVEL_HIGHEST))) return 12;
  ComPtr<ITriggerCollection> triggers;
  ComPtr<ITrigger> trigger;
  ComPtr<ILogonTrigger> logon;
  if (FAILED(task->get_Triggers(&triggers))) return 13;
  if (FAILED(triggers->Create(TASK_TRIGGER_LOGON, &trigger))) return 14;
  if (FAILED(trigger.As(&logon))) return 15;
  logon->put_Id(Bstr(L"Trigger1"));  // the id is a label only
  ComPtr<IActionCollection> actions;
  ComPtr<IAction> action;
  ComPtr<IExecAction> exec;
  if (FAILED(task->get_Actions(&actions))) return 16;
  if (FAILED(actions->Create(TASK_ACTION_EXEC, &action))) return 17;
  if (FAILED(action.As(&exec))) return 18;
  if (FAILED(exec->put_Path(Bstr(program))) || FAILED(exec->put_Arguments(Bstr(arguments)))) {
    return 19;
  }
  return 0;
}

int RegisterForGroup(ITaskFolder* root, const wchar_t* name, ITaskDefinition* task, DWORD rid) {
  wchar_t group[257];
  if (!GroupName(rid, group)) return 1;
  VARIANT user, password, sddl;
  VariantInit(&user);
  VariantInit(&password);
  VariantInit(&sddl);
  user.vt = VT_BSTR;
  user.bstrVal = SysAllocString(group);
  sddl.vt = VT_BSTR;
  sddl.bstrVal = SysAllocString(L"");
  ComPtr<IRegisteredTask> registered;
  const HRESULT hr = root->RegisterTaskDefinition(Bstr(name), task, TASK_CREATE_OR_UPDATE, user,
                                                  password, TASK_LOGON_GROUP, sddl, &registered);
  VariantClear(&user);
  VariantClear(&sddl);
  return FAILED(hr) ? 2 : 0;
}

}  // namespace

int RegisterLogonTask(const char* taskName, const char* program, const char* arguments) {
  const MultithreadedCom com;
  if (!com.ok()) return 1;
  const HRESULT security = CoInitializeSecurity(nullptr, -1, nullptr, nullptr,
                                                RPC_C_AUTHN_LEVEL_PKT_PRIVACY,
                                                RPC_C_IMP_LEVEL_IMPERSONATE, nullptr, EOAC_NONE,
                                                nullptr);
  if (FAILED(security) && security != RPC_E_TOO_LATE) return 2;
  ComPtr<ITaskService> service;
  if (FAILED(CoCreateInstance(CLSID_TaskScheduler, nullptr, CLSCTX_INPROC_SERVER,
                              IID_PPV_ARGS(&service)))) {
    return 3;
  }
  VARIANT empty;
  VariantInit(&empty);
  if (FAILED(service->Connect(empty, empty, empty, empty))) return 4;
  ComPtr<ITaskFolder> root;
  if (FAILED(service->GetFolder(Bstr(L"\\"), &root))) return 5;
  const std::wstring name = Widen(taskName);
  root->DeleteTask(Bstr(name.c_str()), 0);  // a missing task is fine
  if (program[0] == '\0') return 0;
  ComPtr<ITaskDefinition> task;
  const int defined = DefineTask(service.Get(), Widen(program).c_str(), Widen(arguments).c_str(), task);
  if (defined != 0) return defined;
  if (const int r = RegisterForGroup(root.Get(), name.c_str(), task.Get(), DOMAIN_ALIAS_RID_ADMINS)) {
    return 19 + r;
  }
  if (const int r = RegisterForGroup(root.Get(), name.c_str(), task.Get(), DOMAIN_ALIAS_RID_USERS)) {
    return 21 + r;
  }
  return 0;
}

int LogonTriggerCommand(const char* taskName, const char* program, const char* arguments) {
  ShowStatus(kStatusLine, program[0] ? "Creating startup task" : "Deleting startup task");
  int step = 0;
  for (int attempt = 0; attempt < kAttempts; ++attempt) {
    if (attempt > 0) Sleep(1000);
    step = RegisterLogonTask(taskName, program, arguments);
    if (step == 0) return kNoError;
  }
  char lastError[16];
  std::snprintf(lastError, sizeof lastError, "%08x", step);
  Setup().variables.Set("#LASTERROR#", lastError);
  return kTaskSchedulerFailed;
}

}  // namespace quillo::setup
