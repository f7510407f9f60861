#include "core/http_get.h"

#include <algorithm>
#include <cctype>

#include "core/text_compare.h"

namespace lwf {
namespace {

constexpr std::string_view kHeaderEnd = "\r\n\r\n";
constexpr std::size_t kReceiveChunk = 1500;

std::optional<std::size_t> ParseDecimal(std::string_view text, std::size_t limit) {
  if (text.empty()) return std::nullopt;
  std::size_t value = 0;
  for (char c : text) {
    if (!std::isdigit(static_cast<unsigned char>(c))) return std::nullopt;
    value = value * 10 + static_cast<std::size_t>(c - '0');
    if (value > limit) return std::nullopt;
  }
  return value;
}

std::uint16_t ParsePort(std::string_view text) {
  const std::optional<std::size_t> port = ParseDecimal(text, 65535);
  return port && *port > 0 ? static_cast<std::uint16_t>(*port) : 0;
}

// Reads a response in bounded pieces; bytes read past the end of a piece stay for the next read.
class ResponseReader {
 public:
  explicit ResponseReader(HttpTransport& transport) : transport_(transport) {}

  // Up to and including "\r\n\r\n" (or what came before the connection ended).
  int ReadHeaders(std::string& headers) {
    Bytes block;
    const int result = ReadUntil(block, kMaxHttpHeaderSize, [&block] {
      const std::size_t at = std::string_view(reinterpret_cast<const char*>(block.data()), block.size()).find(kHeaderEnd);
      return at == std::string_view::npos ? at : at + kHeaderEnd.size();
    });
    headers.assign(block.begin(), block.end());
    return result;
  }

  // `length` bytes, or everything up to the end of the connection when no length is known.
  int ReadBody(std::optional<std::size_t> length, Bytes& body) {
    if (length && *length == 0) {
      body.clear();
      return kHttpOk;
    }
    return ReadUntil(body, length.value_or(kMaxHttpBodySize), [&body, length] {
      return length && body.size() >= *length ? *length : std::string_view::npos;
    });
  }

 private:
  // Appends received bytes until `end` reports where the piece ends (bytes beyond it are kept
  // back) or the connection ends after some bytes; more than `limit` bytes without an end fail.
  template <typename End>
  int ReadUntil(Bytes& out, std::size_t limit, End end) {
    out.clear();
    std::uint8_t chunk[kReceiveChunk];
    for (;;) {
      std::size_t received = 0;
      if (!pending_.empty()) {
        received = std::min(pending_.size(), sizeof chunk);
        std::copy_n(pending_.begin(), received, chunk);
        pending_.erase(pending_.begin(), pending_.begin() + static_cast<std::ptrdiff_t>(received));
      } else {
        const ReceiveStatus status = transport_.Receive(chunk, sizeof chunk, &received);
        if (status == ReceiveStatus::kAborted) return kHttpAborted;
        if (status == ReceiveStatus::kClosed) return out.empty() ? kHttpReceiveFailed : kHttpOk;
        if (status != ReceiveStatus::kData || received == 0 || received > sizeof chunk) return kHttpReceiveFailed;
      }
      out.insert(out.end(), chunk, chunk + received);
      if (const std::size_t cut = end(); cut != std::string_view::npos) {
        pending_.insert(pending_.begin(), out.begin() + static_cast<std::ptrdiff_t>(cut), out.end());
        out.resize(cut);
        return kHttpOk;
      }
      if (out.size() > limit) return kHttpReceiveFailed;
    }
  }

  HttpTransport& transport_;
  Bytes pending_;
};

}  // namespace

std::optional<HttpAddress> ParseHttpAddress(std::string_view address) {
  const std::size_t slashes = address.find("//");
  if (slashes == std::string_view::npos) return std::nullopt;
  const std::string_view rest = address.substr(slashes + 2);
  const std::string_view host = rest.substr(0, rest.find_first_of("/\r"));
  const std::size_t colon = host.rfind(':');
  HttpAddress parsed{std::string(host), std::string(host.substr(0, colon)), 80};
  if (colon != std::string_view::npos) parsed.port = ParsePort(host.substr(colon + 1));
  return parsed;
}

std::string HttpRequest(std::string_view address, std::string_view host) {
  std::string request = "GET ";
  request.append(address).append(" HTTP/1.0\r\nHost: ").append(host).append("\r\n\r\n");
  return request;
}

int ParseHttpStatus(std::string_view headers) {
  if (headers.size() < 12 || headers.substr(0, 5) != "HTTP/" || headers[8] != ' ') return -1;
  const std::optional<std::size_t> status = ParseDecimal(headers.substr(9, 3), 999);
  if (!status || (headers.size() > 12 && headers[12] != ' ' && headers[12] != '\r')) return -1;
  return static_cast<int>(*status);
}

std::optional<std::string> HttpHeaderValue(std::string_view headers, std::string_view name) {
  for (std::size_t line = headers.find("\r\n"); line != std::string_view::npos;
       line = headers.find("\r\n", line + 2)) {
    const std::string_view field = headers.substr(line + 2);
    if (field.size() <= name.size() || field[name.size()] != ':' ||
        !EqualsIgnoringCase(field.substr(0, name.size()), name)) {
      continue;
    }
    std::string_view value = field.substr(name.size() + 1);
    value = value.substr(0, value.find('\r'));
    const std::size_t first = value.find_first_not_of(" \t");
    return std::string(first == std::string_view::npos ? std::string_view() : value.substr(first));
  }
  return std::nullopt;
}

namespace {

int GetOnce(HttpTransport& transport, std::string_view address, Bytes& body, std::string& location) {
  const std::optional<HttpAddress> parsed = ParseHttpAddress(address);
  if (!parsed) return kHttpNoSlashes;
  if (parsed->port == 0 || !transport.Connect(parsed->name, parsed->port)) return kHttpUnreachable;
  if (!transport.Send(HttpRequest(address, parsed->host))) return kHttpSendFailed;
  ResponseReader reader(transport);
  std::string headers;
  if (const int read = reader.ReadHeaders(headers); read != kHttpOk) return read;
  const int status = ParseHttpStatus(headers);
  if (status < 0) return kHttpReceiveFailed;
  if (status == 304 || status == 400 || status == 401 || status == 403 || status == 404) return status;
  if (status >= 500) return kHttpServerError;
  if (status >= 300) {
    const std::optional<std::string> target = HttpHeaderValue(headers, "Location");
    if (!target || target->empty()) return kHttpRedirectWithoutLocation;
    location = *target;
    return -1;  // follow
  }
  std::optional<std::size_t> length;
  if (const std::optional<std::string> field = HttpHeaderValue(headers, "Content-Length")) {
    length = ParseDecimal(*field, kMaxHttpBodySize);
    if (!length) return kHttpReceiveFailed;  // unreadable, or more than a version file can be
  }
  return reader.ReadBody(length, body);
}

}  // namespace

int HttpGet(HttpTransport& transport, std::string_view address, Bytes& body) {
  std::string current(address);
  for (int redirects = 0; redirects <= kMaxHttpRedirects; ++redirects) {
    std::string location;
    const int result = GetOnce(transport, current, body, location);
    transport.Close();
    if (result >= 0) return result;
    current = location;
  }
  return kHttpReceiveFailed;
}

}  // namespace lwf
