#include "registry_script.h"

#include <cctype>

namespace quillo {
namespace {

class ScriptParser {
 public:
  explicit ScriptParser(const std::string& text) : text_(text) {}

  bool Parse(std::vector<ScriptKey>& keys) {
    std::string root;
    if (!Name(root) || (root != "HKCR" && root != "HKEY_CLASSES_ROOT")) return false;
    if (!Expect('{') || !Body(nullptr, keys)) return false;
    SkipSpace();
    return at_ == text_.size();
  }

 private:
  void SkipSpace() {
    while (at_ < text_.size() && std::isspace(static_cast<unsigned char>(text_[at_]))) ++at_;
  }

  bool Peek(char c) {
    SkipSpace();
    return at_ < text_.size() && text_[at_] == c;
  }

  bool Expect(char c) {
    if (!Peek(c)) return false;
    ++at_;
    return true;
  }

  static bool BareChar(char c) {
    return std::isalnum(static_cast<unsigned char>(c)) || c == '.' || c == '*' || c == '_' ||
           c == '-';
  }

  bool Name(std::string& out) {
    SkipSpace();
    out.clear();
    if (at_ < text_.size() && text_[at_] == '\'') {
      for (++at_; at_ < text_.size(); ++at_) {
        if (text_[at_] != '\'') {
          out += text_[at_];
        } else if (at_ + 1 < text_.size() && text_[at_ + 1] == '\'') {
          out += '\'';
          ++at_;
        } else {
          ++at_;
          return true;
        }
      }
      return false;  // unterminated quote
    }
    while (at_ < text_.size() && BareChar(text_[at_])) out += text_[at_++];
    return !out.empty();
  }

  // "= s 'text'"
  bool StringValue(std::string& out) {
    std::string type;
    return Expect('=') && Name(type) && type == "s" && Name(out);
  }

  // Keys and (inside a key) values up to the closing brace.
  bool Body(ScriptKey* owner, std::vector<ScriptKey>& keys) {
    while (!Peek('}')) {
      std::string word;
      if (!Name(word)) return false;
      if (word == "val") {
        if (owner == nullptr) return false;  // values belong to a key
        std::pair<std::string, std::string> value;
        if (!Name(value.first) || !StringValue(value.second)) return false;
        owner->values.push_back(std::move(value));
        continue;
      }
      ScriptKey key;
      if (word == "NoRemove" || word == "ForceRemove") {
        key.removal = word == "NoRemove" ? KeyRemoval::kNoRemove : KeyRemoval::kForceRemove;
        if (!Name(word)) return false;
      }
      key.name = word;
      if (Peek('=')) {
        std::string value;
        if (!StringValue(value)) return false;
        key.defaultValue = std::move(value);
      }
      if (Expect('{') && !Body(&key, key.children)) return false;
      keys.push_back(std::move(key));
    }
    ++at_;  // the closing brace
    return true;
  }

  const std::string& text_;
  std::size_t at_ = 0;
};

}  // namespace

bool ExpandScriptVariables(const std::string& text, const std::vector<ScriptVariable>& variables,
                           std::string& out) {
  out.clear();
  for (std::size_t at = 0; at < text.size(); ++at) {
    if (text[at] != '%') {
      out += text[at];
      continue;
    }
    const std::size_t end = text.find('%', at + 1);
    if (end == std::string::npos) return false;
    const std::string name = text.substr(at + 1, end - at - 1);
    at = end;
    if (name.empty()) {
      out += '%';
      continue;
    }
    bool found = false;
    for (const ScriptVariable& variable : variables) {
      if (name == variable.name) {
        out += variable.value;
        found = true;
        break;
      }
    }
    if (!found) return false;
  }
  return true;
}

bool ParseRegistryScript(const std::string& text, std::vector<ScriptKey>& keys) {
  keys.clear();
  ScriptParser parser(text);
  if (parser.Parse(keys)) return true;
  keys.clear();
  return false;
}

}  // namespace quillo
