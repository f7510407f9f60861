// LwfStringTable: id-keyed texts, one application table and one framework table per language.
#pragma once

#include <cstddef>
#include <cstdint>
#include <vector>

namespace lwf {

constexpr std::size_t kTextsPerEntry = 16;
constexpr std::uint16_t kEndOfTable = 0xFFFF;
constexpr std::uint16_t kFirstFrameworkId = 0xF000;

// One row: up to 16 texts under one id. A table is an array of rows ended by id 0xFFFF.
struct StringEntry {
  std::uint16_t id;
  const char* texts[kTextsPerEntry];
};

enum Language : int { kEnglish = 0, kGerman = 1, kLanguageCount = 2 };

class LwfStringTable {
 public:
  LwfStringTable();

  // Registers the rows (up to the end row), sorted by id. Null unregisters.
  void RegisterApplicationTable(int language, const StringEntry* table);
  void RegisterFrameworkTable(int language, const StringEntry* table);
  void SetLanguage(int language);

  // The text or null: ids below 0xF000 search the application table of the current language
  // (falling back to language 0's), higher ids the framework table of the current language.
  const char* Lookup(std::uint16_t id, std::size_t index) const;

 private:
  using Rows = std::vector<StringEntry>;
  static Rows Sorted(const StringEntry* table);
  static const StringEntry* Find(const Rows& rows, std::uint16_t id);

  Rows application_[kLanguageCount];
  Rows framework_[kLanguageCount];
  int language_ = kEnglish;
};

// The framework's English texts (ids 0xF000 and up).
extern const StringEntry kFrameworkTextsEnglish[];

// Framework text ids.
enum FrameworkText : std::uint16_t {
  kTextInitError = 0xF003,     // 0: "Error initializing the application!..."
  kTextProductInfo = 0xF005,   // 0: product line, 1: maker, 2: web site
  kTextManual = 0xF007,        // 0: no viewer, 1: manual missing
  kTextDataPath = 0xF008,      // 0: not accessible, 1: waiting, 2: "Quit %s"
  kTextConfigError = 0xF009,   // 0: overwrite warning, 1-4: backup and restore errors
  kTextConfigDone = 0xF00A,    // 0: restored, 1: backed up, 2: reset
  kTextRestart = 0xF00B,       // 0: restart question
  kTextUpdate = 0xF00C,        // 0: dialog title, 1-6: update check states
  kTextButtons = 0xF200,       // 0 OK, 1 Cancel, 2 Apply, 3 Help, 4 Yes, 5 No
};

}  // namespace lwf
