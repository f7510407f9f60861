// How the shell shows the names of one folder's plain file-system children: a child's shown
// name is its file name, whole or without its extension, and which of the two depends only on
// whether it is a folder and on its extension (the system's and the extension's "show the
// extension" settings). One answer of the shell per kind and extension is enough to know the
// rest; a child that starts with its extension (".profile") or ends with a bare dot is always
// asked of the shell, and so is every child of a kind and extension whose answer was neither form.
#pragma once

#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

namespace quillo {

class ExtensionNameRules {
 public:
  // fileName is the child's name in the file system, extensionAt the position of the dot that
  // starts its extension, or fileName.size() when it has none.
  struct Child {
    bool folder;
    std::wstring_view fileName;
    std::size_t extensionAt;
  };

  // Writes the child's shown name into out (capacity in units, cut on a whole character) when a
  // rule learned before applies; false when the shell must be asked.
  bool Shown(const Child& child, wchar_t* out, std::size_t capacity) const;

  // Learns the rule of the child's kind and extension from the name the shell showed for it.
  void Learn(const Child& child, std::wstring_view shown);

  // Kinds and extensions known so far; past this many, children are asked of the shell.
  static constexpr std::size_t kMostRules = 256;

 private:
  enum class Form : unsigned char { kWhole, kWithoutExtension, kAskShell };
  struct Rule {
    bool folder;
    std::wstring extension;  // with its dot, ASCII letters lower-cased
    Form form;
  };

  const Rule* Find(const Child& child) const;

  std::vector<Rule> rules_;
};

}  // namespace quillo
