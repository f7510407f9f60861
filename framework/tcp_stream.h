// TcpStream: the update check's IPv4 connection on Windows Sockets 1.1, non-blocking, polled in
// short select waits so that the abort flag and the time-outs are noticed.
#pragma once

#include <atomic>
#include <cstdint>

#include "core/http_get.h"

namespace lwf {

class TcpStream : public HttpTransport {
 public:
  explicit TcpStream(const std::atomic<bool>& abort) : abort_(abort) {}
  ~TcpStream() override { Close(); }
  TcpStream(const TcpStream&) = delete;
  TcpStream& operator=(const TcpStream&) = delete;

  bool Connect(const std::string& host, std::uint16_t port) override;
  bool Send(std::string_view data) override;
  ReceiveStatus Receive(std::uint8_t* buffer, std::size_t capacity, std::size_t* received) override;
  void Close() override;

 private:
  const std::atomic<bool>& abort_;
  std::uintptr_t socket_ = ~std::uintptr_t{0};  // INVALID_SOCKET
  std::uint32_t connectedAt_ = 0;               // tick count, for the whole exchange's limit
};

}  // namespace lwf
