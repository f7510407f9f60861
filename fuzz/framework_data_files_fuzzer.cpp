// The framework's data files as the start-up reads them: "(LWF)App" (state, font face that may
// lack its terminator) and "(LWF)UpdateCheck" (the last version text and check time) with the
// downloaded version text recorded into it.
#include <fuzzer/FuzzedDataProvider.h>

#include <string>

#include "core/app_state.h"
#include "core/bounded_text.h"
#include "fuzz_support.h"
#include "core/update_check_state.h"

namespace {

void ReadAppState(const std::uint8_t* data, std::size_t size) {
  lwf::AppState state = lwf::DefaultAppState();
  fuzz::ReadRecord(state, data, size);
  lwf::AdoptAppState(state, 3);
  FUZZ_CHECK(state.stateVersion == 3 && state.stateWord < 2);
  char face[32];  // LF_FACESIZE
  lwf::CopyText(face, sizeof face, state.fontFace);
  FUZZ_CHECK(std::strlen(face) < sizeof face);
}

void CheckForUpdate(const std::uint8_t* data, std::size_t size, FuzzedDataProvider& input) {
  if (size < sizeof(lwf::UpdateCheckState)) return;
  lwf::UpdateCheckState state{};
  fuzz::ReadRecord(state, data, sizeof state);
  const auto now = input.ConsumeIntegral<std::int64_t>();
  lwf::AutomaticCheckDue(state, now);
  const std::string body = input.ConsumeRemainingBytesAsString();
  lwf::AlreadyAnnounced(state, body);
  lwf::RecordCheck(state, body, now);
  FUZZ_CHECK(state.versionText[lwf::kMaxVersionText] == '\0');
  FUZZ_CHECK(lwf::AlreadyAnnounced(state, body));
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const auto file = fuzz::ExactCopy(data, size);
  ReadAppState(file.get(), size);
  FuzzedDataProvider rest(data, size);
  CheckForUpdate(file.get(), size, rest);
  return 0;
}
