#include "extension_name_rules.h"

#include <algorithm>

#include "menu/core/utf16_units.h"

namespace quillo {
namespace {

wchar_t FoldAscii(wchar_t unit) {
  return unit >= L'A' && unit <= L'Z' ? static_cast<wchar_t>(unit - L'A' + L'a') : unit;
}

bool SameExtension(std::wstring_view a, std::wstring_view b) {
  return a.size() == b.size() &&
         std::equal(a.begin(), a.end(), b.begin(),
                    [](wchar_t x, wchar_t y) { return FoldAscii(x) == FoldAscii(y); });
}

// Children whose extension is the whole name or a bare dot follow rules of their own.
bool Ruled(const ExtensionNameRules::Child& child) {
  const std::size_t at = child.extensionAt;
  return at > 0 && at <= child.fileName.size() && at + 1 != child.fileName.size();
}

std::wstring_view ExtensionOf(const ExtensionNameRules::Child& child) {
  return child.fileName.substr(child.extensionAt);
}

}  // namespace

const ExtensionNameRules::Rule* ExtensionNameRules::Find(const Child& child) const {
  const std::wstring_view extension = ExtensionOf(child);
  for (const Rule& rule : rules_) {
    if (rule.folder == child.folder && SameExtension(rule.extension, extension)) return &rule;
  }
  return nullptr;
}

bool ExtensionNameRules::Shown(const Child& child, wchar_t* out, std::size_t capacity) const {
  if (capacity == 0 || !Ruled(child)) return false;
  const Rule* rule = Find(child);
  if (rule == nullptr || rule->form == Form::kAskShell) return false;
  std::size_t length =
      rule->form == Form::kWhole ? child.fileName.size() : child.extensionAt;
  if (length >= capacity) length = WholeCharacterUnits(child.fileName.data(), capacity - 1);
  child.fileName.copy(out, length);
  out[length] = L'\0';
  return true;
}

void ExtensionNameRules::Learn(const Child& child, std::wstring_view shown) {
  if (!Ruled(child) || Find(child) != nullptr || rules_.size() == kMostRules) return;
  Form form = Form::kAskShell;
  if (shown == child.fileName) {
    form = Form::kWhole;
  } else if (shown == child.fileName.substr(0, child.extensionAt)) {
    form = Form::kWithoutExtension;
  }
  std::wstring extension(ExtensionOf(child));
  std::transform(extension.begin(), extension.end(), extension.begin(), FoldAscii);
  rules_.push_back(Rule{child.folder, std::move(extension), form});
}

}  // namespace quillo
