#include "string_table.h"

#include <algorithm>

namespace lwf {

LwfStringTable::LwfStringTable() { RegisterFrameworkTable(kEnglish, kFrameworkTextsEnglish); }

LwfStringTable::Rows LwfStringTable::Sorted(const StringEntry* table) {
  Rows rows;
  for (const StringEntry* row = table; row != nullptr && row->id != kEndOfTable; ++row) {
    rows.push_back(*row);
  }
  std::stable_sort(rows.begin(), rows.end(),
                   [](const StringEntry& a, const StringEntry& b) { return a.id < b.id; });
  return rows;
}

void LwfStringTable::RegisterApplicationTable(int language, const StringEntry* table) {
  if (language >= 0 && language < kLanguageCount) application_[language] = Sorted(table);
}

void LwfStringTable::RegisterFrameworkTable(int language, const StringEntry* table) {
  if (language >= 0 && language < kLanguageCount) framework_[language] = Sorted(table);
}

void LwfStringTable::SetLanguage(int language) {
  if (language >= 0 && language < kLanguageCount) language_ = language;
}

const StringEntry* LwfStringTable::Find(const Rows& rows, std::uint16_t id) {
  const auto it = std::lower_bound(rows.begin(), rows.end(), id,
                                   [](const StringEntry& row, std::uint16_t key) { return row.id < key; });
  return (it != rows.end() && it->id == id) ? &*it : nullptr;
}

const char* LwfStringTable::Lookup(std::uint16_t id, std::size_t index) const {
  if (id == kEndOfTable || index >= kTextsPerEntry) return nullptr;
  const Rows* rows = nullptr;
  if (id >= kFirstFrameworkId) {
    rows = &framework_[language_];
  } else {
    rows = application_[language_].empty() ? &application_[kEnglish] : &application_[language_];
  }
  const StringEntry* row = Find(*rows, id);
  return row == nullptr ? nullptr : row->texts[index];
}

}  // namespace lwf
