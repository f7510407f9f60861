// HttpGet: an HTTP/1.0 GET over a byte transport, with the response read and judged in bounded
// steps. The transport (a TCP socket in the program, a scripted one in tests) does the waiting,
// time-outs and abort checks; everything read from it is checked here.
#pragma once

#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

#include "core/zip_archive.h"

namespace lwf {

enum HttpResult : int {
  kHttpOk = 0,
  kHttpSendFailed = 100,
  kHttpReceiveFailed = 101,  // time-out, connection error, or a reply that is not HTTP
  kHttpAborted = 102,
  kHttpUnreachable = 105,
  kHttpNoSlashes = 106,
  kHttpRedirectWithoutLocation = 300,
  kHttpServerError = 500,
};

// Bounds of one response: its header block and its body.
constexpr std::size_t kMaxHttpHeaderSize = 16 * 1024;
constexpr std::size_t kMaxHttpBodySize = 64 * 1024;
// Redirections followed in a row before the request counts as failed.
constexpr int kMaxHttpRedirects = 5;

enum class ReceiveStatus { kData, kClosed, kTimedOut, kAborted, kError };

class HttpTransport {
 public:
  virtual ~HttpTransport() = default;
  virtual bool Connect(const std::string& host, std::uint16_t port) = 0;
  virtual bool Send(std::string_view data) = 0;
  // Up to `capacity` bytes into `buffer` (kData with *received > 0), or why there are none.
  virtual ReceiveStatus Receive(std::uint8_t* buffer, std::size_t capacity, std::size_t* received) = 0;
  virtual void Close() = 0;
};

struct HttpAddress {
  std::string host;    // as written, the port included (the Host field)
  std::string name;    // the host name or address to resolve
  std::uint16_t port;  // 80 unless the address names one; 0 when that port is not a number 1-65535
};

// The host is the text after "//" up to the next "/", CR or the end; nothing without "//".
std::optional<HttpAddress> ParseHttpAddress(std::string_view address);

// "GET <address> HTTP/1.0", the Host field and the empty line.
std::string HttpRequest(std::string_view address, std::string_view host);

// The status of "HTTP/x.y NNN ...": three digits at the tenth character; -1 when the reply does
// not start that way.
int ParseHttpStatus(std::string_view headers);

// The value of a header field (name case ignored, at the start of a line), blanks skipped, up
// to the end of the line.
std::optional<std::string> HttpHeaderValue(std::string_view headers, std::string_view name);

// GET of the address; the body is left in `body` on kHttpOk. The transport is closed on return.
int HttpGet(HttpTransport& transport, std::string_view address, Bytes& body);

}  // namespace lwf
