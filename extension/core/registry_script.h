// The registration scripts carried as resources: a tree of keys under HKEY_CLASSES_ROOT with
// string values, in this form:
//
//   HKCR
//   {
//     NoRemove 'CLSID'                      keep the key itself when unregistering
//     {
//       ForceRemove '{...}' = s 'Text'      delete the whole key before registering it again
//       {
//         'InprocServer32' = s '%MODULE%'   default value of a sub-key
//         {
//           val 'ThreadingModel' = s 'Apartment'
//         }
//       }
//     }
//   }
//
// Names are quoted with ' (a doubled '' stands for one) or written bare (letters, digits and
// . * _ -). %NAME% is replaced by a variable's value before parsing; %% stands for %.
#pragma once

#include <cstddef>
#include <optional>
#include <string>
#include <utility>
#include <vector>

namespace quillo {

enum class KeyRemoval {
  kRemove,       // registering creates it; unregistering deletes it with everything below
  kNoRemove,     // unregistering deletes only what the script lists below it
  kForceRemove,  // as kRemove, and registering deletes an existing key first
};

struct ScriptKey {
  std::string name;
  KeyRemoval removal = KeyRemoval::kRemove;
  std::optional<std::string> defaultValue;
  std::vector<std::pair<std::string, std::string>> values;
  std::vector<ScriptKey> children;
};

struct ScriptVariable {
  const char* name;  // without the percent signs
  std::string value;
};

// The script with every %NAME% replaced. False for an unknown name or an unterminated %.
bool ExpandScriptVariables(const std::string& text, const std::vector<ScriptVariable>& variables,
                           std::string& out);

// Parses an expanded script whose single root is HKCR. False (with keys empty) on any error.
bool ParseRegistryScript(const std::string& text, std::vector<ScriptKey>& keys);

}  // namespace quillo
