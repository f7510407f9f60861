// The update check's HTTP exchange against a hostile server: the input holds the replies to
// successive connections (separated by kReplySeparator, for redirections), which the transport
// hands to HttpGet in random chunk sizes, ending each with a random way the connection ends.
//   byte 0      how a reply's connection ends (closed, timed out, aborted, error)
//   bytes 1..4  seed of the chunk sizes
//   the rest    the replies
#include <algorithm>
#include <string>
#include <string_view>
#include <vector>

#include "core/http_get.h"
#include "fuzz_support.h"

namespace {

using namespace std::string_view_literals;

constexpr std::string_view kReplySeparator = "\0NEXT\0"sv;
constexpr lwf::ReceiveStatus kEnds[] = {lwf::ReceiveStatus::kClosed, lwf::ReceiveStatus::kTimedOut,
                                        lwf::ReceiveStatus::kAborted, lwf::ReceiveStatus::kError};

class ReplayTransport : public lwf::HttpTransport {
 public:
  ReplayTransport(std::vector<std::string_view> replies, lwf::ReceiveStatus end, std::uint32_t seed)
      : replies_(std::move(replies)), end_(end), random_(seed) {}

  bool Connect(const std::string&, std::uint16_t port) override {
    FUZZ_CHECK(!open_ && port != 0);
    if (next_ >= replies_.size()) return false;
    current_ = replies_[next_++];
    open_ = true;
    return true;
  }
  bool Send(std::string_view request) override {
    FUZZ_CHECK(open_ && request.substr(0, 4) == "GET ");
    return true;
  }
  lwf::ReceiveStatus Receive(std::uint8_t* buffer, std::size_t capacity, std::size_t* received) override {
    FUZZ_CHECK(open_ && capacity > 0);
    if (current_.empty()) return end_;
    *received = std::min({capacity, current_.size(), ChunkSize()});
    std::memcpy(buffer, current_.data(), *received);
    current_.remove_prefix(*received);
    return lwf::ReceiveStatus::kData;
  }
  void Close() override { open_ = false; }

  bool open() const { return open_; }

 private:
  // Mostly small pieces, as a slow or hostile server sends them, sometimes whole segments.
  std::size_t ChunkSize() {
    random_ = random_ * 1103515245u + 12345u;
    const std::uint32_t r = random_ >> 8;
    static constexpr std::size_t kSpans[] = {1, 3, 16, 200, 1500, 4096};
    return 1 + r % kSpans[(r >> 16) % std::size(kSpans)];
  }

  std::vector<std::string_view> replies_;
  std::size_t next_ = 0;
  std::string_view current_;
  lwf::ReceiveStatus end_;
  std::uint32_t random_;
  bool open_ = false;
};

std::vector<std::string_view> SplitReplies(std::string_view text) {
  std::vector<std::string_view> replies;
  for (;;) {
    const std::size_t at = text.find(kReplySeparator);
    replies.push_back(text.substr(0, at));
    if (at == std::string_view::npos) return replies;
    text.remove_prefix(at + kReplySeparator.size());
  }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  if (size < 5) return 0;
  const lwf::ReceiveStatus end = kEnds[data[0] % std::size(kEnds)];
  const std::uint32_t seed = data[1] | data[2] << 8 | data[3] << 16 | static_cast<std::uint32_t>(data[4]) << 24;
  const std::string replies = fuzz::Text(data + 5, size - 5);
  ReplayTransport server(SplitReplies(replies), end, seed);
  lwf::Bytes body;
  const int result = lwf::HttpGet(server, "http://www.larkwell.example/PAD/QL_VER.TXT", body);
  FUZZ_CHECK(!server.open());
  if (result == lwf::kHttpOk) FUZZ_CHECK(body.size() <= lwf::kMaxHttpBodySize);
  return 0;
}
