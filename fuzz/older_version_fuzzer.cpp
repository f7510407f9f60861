// The script's #UPGMSG1# and #REMOVE# texts ("<major>.<minor> ...") against an installed
// version read from the setup information.
#include <fuzzer/FuzzedDataProvider.h>

#include "fuzz_support.h"
#include "older_version.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  FuzzedDataProvider input(data, size);
  quillo::setup::InstalledProduct installed{input.ConsumeBool(), input.ConsumeBool(),
                                            input.ConsumeIntegral<std::int16_t>(),
                                            input.ConsumeIntegral<std::int16_t>()};
  quillo::setup::OlderVersionFacts facts;
  if (input.ConsumeBool()) facts.upgradeMessage = input.ConsumeRandomLengthString(600);
  if (input.ConsumeBool()) facts.removeVersion = input.ConsumeRandomLengthString(600);
  const auto decision = quillo::setup::DecideOlderVersion(facts, installed);
  if (decision.showUpgradeMessage) FUZZ_CHECK(facts.upgradeMessage && installed.recordPresent);
  // Only an installation that exists is removed.
  if (decision.mustRemove) FUZZ_CHECK(installed.uninstallKeyPresent || installed.recordPresent);
  return 0;
}
