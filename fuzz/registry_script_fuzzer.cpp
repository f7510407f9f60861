// The registration scripts (resources "REGISTRY" 101 and 102): expanded with the variables
// DllRegisterServer passes, then parsed into the key tree.
#include <string>
#include <vector>

#include "fuzz_support.h"
#include "registry_script.h"

namespace {

std::size_t CountKeys(const std::vector<quillo::ScriptKey>& keys) {
  std::size_t count = keys.size();
  for (const quillo::ScriptKey& key : keys) count += CountKeys(key.children);
  return count;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const std::string text = fuzz::Text(data, size);
  // The module path fills MAX_PATH as a deeply installed DLL would.
  const std::string modulePath = "C:\\Program Files\\Larkwell\\Quillo\\" + std::string(200, 'q') + "\\Quillo32.dll";
  const std::vector<quillo::ScriptVariable> variables{{"APPID", "{5E2B7C14-09D0-4A6F-B3C8-1D92E07F4A65}"},
                                                      {"CLSID", "{5E2B7C14-09D0-4A6F-B3C8-1D92E07F4A65}"},
                                                      {"MODULE", modulePath},
                                                      {"MODULENAME", "Quillo32.dll"}};
  std::string expanded;
  if (!quillo::ExpandScriptVariables(text, variables, expanded)) return 0;
  std::vector<quillo::ScriptKey> keys;
  if (!quillo::ParseRegistryScript(expanded, keys)) {
    FUZZ_CHECK(keys.empty());
    return 0;
  }
  FUZZ_CHECK(CountKeys(keys) <= expanded.size());
  return 0;
}
