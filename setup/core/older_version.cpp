#include "older_version.h"

#include <cstdio>

namespace quillo::setup {
namespace {

struct Version {
  int major = 0;
  int minor = 0;
};

Version ReadVersion(const std::string& text) {
  Version v;
  std::sscanf(text.c_str(), "%d.%d", &v.major, &v.minor);
  return v;
}

bool AtOrBelow(const InstalledProduct& installed, const Version& bound) {
  if (installed.versionMajor != bound.major) return installed.versionMajor < bound.major;
  return installed.versionMinor <= bound.minor;
}

}  // namespace

OlderVersionDecision DecideOlderVersion(const OlderVersionFacts& facts,
                                        const InstalledProduct& installed) {
  OlderVersionDecision decision;
  Version upgradeBound;
  if (facts.upgradeMessage) {
    upgradeBound = ReadVersion(*facts.upgradeMessage);
    const std::size_t blank = facts.upgradeMessage->find(' ');
    decision.upgradeText =
        blank == std::string::npos ? std::string() : facts.upgradeMessage->substr(blank + 1);
  }
  if (!facts.upgradeMessage && !facts.removeVersion) return decision;
  if (!installed.recordPresent) {
    decision.mustRemove = installed.uninstallKeyPresent;
    return decision;
  }
  if (facts.upgradeMessage) decision.showUpgradeMessage = AtOrBelow(installed, upgradeBound);
  if (facts.removeVersion) decision.mustRemove = AtOrBelow(installed, ReadVersion(*facts.removeVersion));
  return decision;
}

}  // namespace quillo::setup
