// Whether an installed older version must be removed first, or an upgrade message is due.
#pragma once

#include <optional>
#include <string>

namespace quillo::setup {

struct InstalledProduct {
  bool uninstallKeyPresent;
  bool recordPresent;
  int versionMajor;  // of the record
  int versionMinor;
};

struct OlderVersionFacts {
  std::optional<std::string> upgradeMessage;  // #UPGMSG1#: "<major>.<minor> <text>"
  std::optional<std::string> removeVersion;   // #REMOVE#: "<major>.<minor>"
};

struct OlderVersionDecision {
  bool mustRemove = false;
  bool showUpgradeMessage = false;
  std::optional<std::string> upgradeText;  // the new #UPGMSG1#: the text after the first blank
};

// Versions read with "%d.%d" and compared major first, then minor; an installed version at or
// below the bound qualifies. An uninstall key without a record must be removed.
OlderVersionDecision DecideOlderVersion(const OlderVersionFacts& facts,
                                        const InstalledProduct& installed);

}  // namespace quillo::setup
