// The downloaded version file: its text (up to the first zero byte, at most 259 characters),
// the three numbers read from it and the comparison with the program's version.
#include <string>

#include "core/update_check_state.h"
#include "core/version_file.h"
#include "fuzz_support.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const std::string body = fuzz::Text(data, size);
  const std::string text(lwf::VersionText(body));
  FUZZ_CHECK(text.size() <= lwf::kMaxVersionText);
  const auto published = lwf::ParseVersionFile(text);
  if (!published) return 0;
  const int own[3] = {5, 3, 3};
  const int same[3] = {(*published)[0], (*published)[1], (*published)[2]};
  FUZZ_CHECK(!lwf::IsNewVersion(*published, same));
  lwf::IsNewVersion(*published, own);
  return 0;
}
