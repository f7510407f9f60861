// HttpGet against a scripted transport: requests, statuses, redirects, bodies with and without a
// length, and replies that are malformed, oversized, cut off or randomly damaged.
#include <gtest/gtest.h>

#include <deque>
#include <string>
#include <vector>

#include "core/http_get.h"

namespace lwf {
namespace {

// Serves one scripted reply per connection, in chunks of `chunk` bytes.
class ScriptedTransport : public HttpTransport {
 public:
  explicit ScriptedTransport(std::vector<std::string> replies, std::size_t chunk = 7)
      : replies_(replies.begin(), replies.end()), chunk_(chunk) {}

  bool Connect(const std::string& host, std::uint16_t port) override {
    connects.push_back(host + ":" + std::to_string(port));
    if (refuse || replies_.empty()) return false;
    current_ = replies_.front();
    replies_.pop_front();
    at_ = 0;
    open = true;
    return true;
  }
  bool Send(std::string_view data) override {
    sent.emplace_back(data);
    return !failSend;
  }
  ReceiveStatus Receive(std::uint8_t* buffer, std::size_t capacity, std::size_t* received) override {
    if (at_ >= current_.size()) return endStatus;
    *received = std::min({capacity, chunk_, current_.size() - at_});
    std::copy_n(current_.begin() + static_cast<std::ptrdiff_t>(at_), *received, buffer);
    at_ += *received;
    return ReceiveStatus::kData;
  }
  void Close() override { open = false; }

  std::vector<std::string> connects, sent;
  bool refuse = false, failSend = false, open = false;
  ReceiveStatus endStatus = ReceiveStatus::kClosed;

 private:
  std::deque<std::string> replies_;
  std::string current_;
  std::size_t chunk_, at_ = 0;
};

std::string Text(const Bytes& body) { return std::string(body.begin(), body.end()); }

TEST(HttpGet, SendsAnAbsoluteRequestAndReadsTheBody) {
  ScriptedTransport server({"HTTP/1.0 200 OK\r\nContent-length:  6\r\n\r\n5.3.4\nextra"});
  Bytes body;
  EXPECT_EQ(HttpGet(server, "http://www.larkwell.example/PAD/QL_VER.TXT", body), kHttpOk);
  EXPECT_EQ(Text(body), "5.3.4\n") << "Content-Length bounds the body";
  ASSERT_EQ(server.sent.size(), 1u);
  EXPECT_EQ(server.sent[0], "GET http://www.larkwell.example/PAD/QL_VER.TXT HTTP/1.0\r\n"
                            "Host: www.larkwell.example\r\n\r\n");
  EXPECT_EQ(server.connects[0], "www.larkwell.example:80");
  EXPECT_FALSE(server.open) << "closed before returning";

  ScriptedTransport untilClose({"HTTP/1.1 200 OK\r\nServer: x\r\n\r\n5.3.3 beta"}, 1500);
  EXPECT_EQ(HttpGet(untilClose, "http://127.0.0.1:8080/v.txt", body), kHttpOk);
  EXPECT_EQ(Text(body), "5.3.3 beta");
  EXPECT_EQ(untilClose.connects[0], "127.0.0.1:8080") << "an explicit port is honoured";
  EXPECT_NE(untilClose.sent[0].find("Host: 127.0.0.1:8080\r\n"), std::string::npos);
}

TEST(HttpGet, StatusesMapToResults) {
  const std::pair<const char*, int> cases[] = {
      {"HTTP/1.0 404 Not Found\r\n\r\n", 404}, {"HTTP/1.0 304 Not Modified\r\n\r\n", 304},
      {"HTTP/1.0 403 Forbidden\r\n\r\n", 403}, {"HTTP/1.0 503 Busy\r\n\r\n", kHttpServerError},
      {"HTTP/1.0 301 Moved\r\nX-Location: /a\r\n\r\n", kHttpRedirectWithoutLocation},
      {"HTTP/1.0 200 OK\r\n\r\n", kHttpReceiveFailed},  // no body at all
      {"HTTP/1.0 200 OK\r\nContent-Length: 0\r\n\r\n", kHttpOk},
      {"HTTP/1.0 200 OK\r\nContent-Length: 9x\r\n\r\n5.3.4", kHttpReceiveFailed},
      {"HTTP/1.0 200 OK\r\nContent-Length: 99999999999999999999\r\n\r\n5.3.4", kHttpReceiveFailed},
      {"5.3.4\r\n\r\n", kHttpReceiveFailed},  // not an HTTP reply
      {"HTTP/1.0 2\r\n\r\nx", kHttpReceiveFailed},
      {"HTTP/1.0 20x OK\r\n\r\nx", kHttpReceiveFailed},
      {"", kHttpReceiveFailed},
  };
  for (const auto& [reply, result] : cases) {
    ScriptedTransport server({reply});
    Bytes body;
    EXPECT_EQ(HttpGet(server, "http://h/v", body), result) << reply;
  }
}

TEST(HttpGet, RedirectsAreFollowedOnANewConnectionAndBounded) {
  ScriptedTransport server({"HTTP/1.0 302 Found\r\nlocation:   http://other:81/new.txt\r\n\r\n",
                            "HTTP/1.0 200 OK\r\n\r\n6.0.0"});
  Bytes body;
  EXPECT_EQ(HttpGet(server, "http://h/v", body), kHttpOk);
  EXPECT_EQ(Text(body), "6.0.0");
  EXPECT_EQ(server.connects, (std::vector<std::string>{"h:80", "other:81"}));
  EXPECT_EQ(server.sent[1].substr(0, 35), "GET http://other:81/new.txt HTTP/1.");

  std::vector<std::string> loop(10, "HTTP/1.0 302 Found\r\nLocation: http://h/v\r\n\r\n");
  ScriptedTransport looping(loop);
  EXPECT_EQ(HttpGet(looping, "http://h/v", body), kHttpReceiveFailed);
  EXPECT_EQ(looping.connects.size(), static_cast<std::size_t>(kMaxHttpRedirects + 1));
}

TEST(HttpGet, TransportFailuresAndBadAddresses) {
  Bytes body;
  ScriptedTransport any({"HTTP/1.0 200 OK\r\n\r\nx"});
  EXPECT_EQ(HttpGet(any, "www.larkwell.example/v.txt", body), kHttpNoSlashes);
  EXPECT_EQ(HttpGet(any, "http://h:0/v", body), kHttpUnreachable);
  EXPECT_EQ(HttpGet(any, "http://h:http/v", body), kHttpUnreachable);
  EXPECT_TRUE(any.connects.empty()) << "a port that is not a number is never connected";
  ScriptedTransport refused({});
  refused.refuse = true;
  EXPECT_EQ(HttpGet(refused, "http://h/v", body), kHttpUnreachable);
  ScriptedTransport failedSend({"HTTP/1.0 200 OK\r\n\r\nx"});
  failedSend.failSend = true;
  EXPECT_EQ(HttpGet(failedSend, "http://h/v", body), kHttpSendFailed);
  ScriptedTransport silent({"HTTP/1.0 200 OK\r\n"});
  silent.endStatus = ReceiveStatus::kTimedOut;
  EXPECT_EQ(HttpGet(silent, "http://h/v", body), kHttpReceiveFailed);
  ScriptedTransport aborted({"HTTP/1.0 200 OK\r\n\r\n5.3"});
  aborted.endStatus = ReceiveStatus::kAborted;
  EXPECT_EQ(HttpGet(aborted, "http://h/v", body), kHttpAborted);
}

TEST(HttpGet, OversizedRepliesAreRefused) {
  Bytes body;
  ScriptedTransport endlessHeaders({"HTTP/1.0 200 OK\r\n" + std::string(kMaxHttpHeaderSize, 'x')}, 1500);
  EXPECT_EQ(HttpGet(endlessHeaders, "http://h/v", body), kHttpReceiveFailed);
  ScriptedTransport endlessBody({"HTTP/1.0 200 OK\r\n\r\n" + std::string(kMaxHttpBodySize + 1, '5')}, 1500);
  EXPECT_EQ(HttpGet(endlessBody, "http://h/v", body), kHttpReceiveFailed);
  ScriptedTransport largestBody({"HTTP/1.0 200 OK\r\n\r\n" + std::string(kMaxHttpBodySize, '5')}, 1500);
  EXPECT_EQ(HttpGet(largestBody, "http://h/v", body), kHttpOk);
}

TEST(HttpGet, RandomlyDamagedRepliesNeverReadOutside) {
  const std::string reply = "HTTP/1.0 302 Found\r\nLocation: http://b/x\r\nContent-Length: 5\r\n\r\n5.3.4";
  std::uint32_t seed = 99;
  auto next = [&seed] { return seed = seed * 1103515245u + 12345u; };
  for (int round = 0; round < 2000; ++round) {
    std::string damaged = reply.substr(0, reply.size() - next() % 8);
    for (int flips = 1 + next() % 3; flips > 0; --flips) {
      damaged[next() % damaged.size()] = static_cast<char>(next() >> 16);
    }
    ScriptedTransport server({damaged, damaged}, 1 + next() % 20);
    Bytes body;
    const int result = HttpGet(server, "http://a/x", body);
    EXPECT_TRUE(result == kHttpOk || result >= 100) << result;
    EXPECT_LE(body.size(), kMaxHttpBodySize);
  }
}

}  // namespace
}  // namespace lwf
