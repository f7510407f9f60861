#include <winsock2.h>

#include "tcp_stream.h"

#include <algorithm>
#include <cstring>

namespace lwf {
namespace {

constexpr int kConnectRounds = 300;          // of 50 ms
constexpr DWORD kInactivityTimeout = 15000;  // ms without progress
constexpr DWORD kExchangeLimit = 60000;      // ms for one request and its whole reply
constexpr std::size_t kChunk = 1500;
constexpr int kCloseAttempts = 200;

enum class Wait { kRead, kWrite, kError };

// select on one socket for up to `milliseconds`: 1 ready, 0 not, -1 failed.
int WaitFor(SOCKET s, Wait what, long milliseconds) {
  fd_set set;
  FD_ZERO(&set);
  FD_SET(s, &set);
  timeval timeout{0, milliseconds * 1000};
  return select(0, what == Wait::kRead ? &set : nullptr, what == Wait::kWrite ? &set : nullptr,
                what == Wait::kError ? &set : nullptr, &timeout);
}

SOCKET OpenSocket() {
  SOCKET s = socket(AF_INET, SOCK_STREAM, IPPROTO_TCP);
  if (s == INVALID_SOCKET && WSAGetLastError() == WSANOTINITIALISED) {
    WSADATA data;
    if (WSAStartup(MAKEWORD(1, 1), &data) == 0) s = socket(AF_INET, SOCK_STREAM, IPPROTO_TCP);
  }
  return s;
}

bool ConnectionFailed(SOCKET s) {
  int error = 0;
  int size = sizeof error;
  return getsockopt(s, SOL_SOCKET, SO_ERROR, reinterpret_cast<char*>(&error), &size) != 0 || error != 0;
}

}  // namespace

bool TcpStream::Connect(const std::string& host, std::uint16_t port) {
  Close();
  const SOCKET s = OpenSocket();
  if (s == INVALID_SOCKET) return false;
  socket_ = s;
  u_long nonBlocking = 1;
  const hostent* entry = ioctlsocket(s, FIONBIO, &nonBlocking) == 0 ? gethostbyname(host.c_str()) : nullptr;
  if (entry == nullptr || entry->h_addrtype != AF_INET || entry->h_length != 4 || entry->h_addr_list[0] == nullptr) {
    Close();
    return false;
  }
  sockaddr_in address{};
  address.sin_family = AF_INET;
  address.sin_port = htons(port);
  std::memcpy(&address.sin_addr, entry->h_addr_list[0], 4);
  if (connect(s, reinterpret_cast<const sockaddr*>(&address), sizeof address) != 0 &&
      WSAGetLastError() != WSAEWOULDBLOCK) {
    Close();
    return false;
  }
  for (int round = 0; round < kConnectRounds && !abort_.load(std::memory_order_relaxed); ++round) {
    const int writable = WaitFor(s, Wait::kWrite, 50);
    if (writable > 0 && !ConnectionFailed(s)) {
      connectedAt_ = GetTickCount();
      return true;
    }
    // A refused connection shows in the error set (or as writable with an error): give up at once.
    if (writable != 0 || WaitFor(s, Wait::kError, 50) != 0) break;
  }
  Close();
  return false;
}

bool TcpStream::Send(std::string_view data) {
  const auto s = static_cast<SOCKET>(socket_);
  DWORD lastProgress = GetTickCount();
  while (!data.empty()) {
    if (abort_.load(std::memory_order_relaxed) || GetTickCount() - lastProgress > kInactivityTimeout) return false;
    const int ready = WaitFor(s, Wait::kWrite, 10);
    if (ready < 0) return false;
    if (ready == 0) continue;
    const int chunk = static_cast<int>(std::min(data.size(), kChunk));
    if (send(s, data.data(), chunk, 0) != chunk) return false;
    data.remove_prefix(static_cast<std::size_t>(chunk));
    lastProgress = GetTickCount();
  }
  return true;
}

ReceiveStatus TcpStream::Receive(std::uint8_t* buffer, std::size_t capacity, std::size_t* received) {
  const auto s = static_cast<SOCKET>(socket_);
  const DWORD started = GetTickCount();
  for (;;) {
    if (abort_.load(std::memory_order_relaxed)) return ReceiveStatus::kAborted;
    const DWORD now = GetTickCount();
    if (now - started > kInactivityTimeout || now - connectedAt_ > kExchangeLimit) return ReceiveStatus::kTimedOut;
    const int ready = WaitFor(s, Wait::kRead, 10);
    if (ready < 0) return ReceiveStatus::kError;
    if (ready == 0) continue;
    const int got = recv(s, reinterpret_cast<char*>(buffer), static_cast<int>(std::min(capacity, kChunk)), 0);
    if (got == 0) return ReceiveStatus::kClosed;
    if (got < 0) {
      if (WSAGetLastError() == WSAEWOULDBLOCK) continue;
      return ReceiveStatus::kError;
    }
    *received = static_cast<std::size_t>(got);
    return ReceiveStatus::kData;
  }
}

void TcpStream::Close() {
  const auto s = static_cast<SOCKET>(socket_);
  if (s == INVALID_SOCKET) return;
  shutdown(s, SD_BOTH);
  for (int attempt = 0; attempt < kCloseAttempts && closesocket(s) != 0; ++attempt) Sleep(50);
  socket_ = INVALID_SOCKET;
}

}  // namespace lwf
