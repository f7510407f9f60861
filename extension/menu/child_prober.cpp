#include "child_prober.h"

#include <objbase.h>

#include <new>

#include "folder_enumeration.h"
#include "shell_item.h"

namespace quillo {
namespace {

constexpr DWORD kStopPollMs = 5;

}  // namespace

// Shared by the prober and its thread; the last of the two to let go frees it. A job is handed
// over through `job` before jobReady is set, and its answer through `result` before
// resultReady is set.
struct ChildProber::Channel {
  ModelContext* context = nullptr;
  std::atomic<int> holders{2};
  std::atomic<bool> closed{false};
  LPITEMIDLIST job = nullptr;  // owned by the channel until the thread takes it
  std::atomic<int> result{0};
  HANDLE jobReady = nullptr;     // auto-reset events
  HANDLE resultReady = nullptr;

  ~Channel() {
    if (job != nullptr) context->allocator->Free(job);
    if (jobReady != nullptr) CloseHandle(jobReady);
    if (resultReady != nullptr) CloseHandle(resultReady);
  }
  void LetGo() {
    if (holders.fetch_sub(1, std::memory_order_acq_rel) == 1) delete this;
  }
};

namespace {

DWORD WINAPI ProberThread(void* parameter) {
  auto* channel = static_cast<ChildProber::Channel*>(parameter);
  const HRESULT com = CoInitializeEx(nullptr, COINIT_MULTITHREADED | COINIT_SPEED_OVER_MEMORY);
  for (;;) {
    WaitForSingleObject(channel->jobReady, INFINITE);
    if (channel->closed.load(std::memory_order_acquire)) break;
    LPITEMIDLIST job = channel->job;
    channel->job = nullptr;
    channel->result.store(ChildProbe(*channel->context, job), std::memory_order_release);
    channel->context->allocator->Free(job);
    SetEvent(channel->resultReady);
  }
  if (SUCCEEDED(com)) CoUninitialize();
  channel->LetGo();
  return 0;
}

}  // namespace

void ChildProber::Start() {
  started_ = true;
  auto* channel = new (std::nothrow) Channel;
  if (channel == nullptr) return;
  channel->context = &context_;
  channel->jobReady = CreateEventA(nullptr, FALSE, FALSE, nullptr);
  channel->resultReady = CreateEventA(nullptr, FALSE, FALSE, nullptr);
  HANDLE thread = channel->jobReady != nullptr && channel->resultReady != nullptr
                      ? CreateThread(nullptr, 0, ProberThread, channel, 0, nullptr)
                      : nullptr;
  if (thread == nullptr) {
    delete channel;
    return;
  }
  CloseHandle(thread);
  channel_ = channel;
}

ChildProber::~ChildProber() {
  if (channel_ == nullptr) return;
  channel_->closed.store(true, std::memory_order_release);
  SetEvent(channel_->jobReady);
  channel_->LetGo();
}

int ChildProber::Probe(LPCITEMIDLIST list, const std::atomic<std::uint8_t>& cancel,
                       const std::atomic<std::uint8_t>& abort) {
  auto stopped = [&] {
    return cancel.load(std::memory_order_relaxed) != 0 || abort.load(std::memory_order_relaxed) != 0;
  };
  if (left_ || stopped()) return -1;
  if (!started_) Start();
  if (channel_ == nullptr) return ChildProbe(context_, list);
  channel_->job = CopyIdList(context_.allocator, list);
  if (channel_->job == nullptr) return 0;  // as the probe itself answers when memory is short
  SetEvent(channel_->jobReady);
  while (WaitForSingleObject(channel_->resultReady, kStopPollMs) == WAIT_TIMEOUT) {
    if (stopped()) {
      left_ = true;
      return -1;
    }
  }
  return channel_->result.load(std::memory_order_acquire);
}

}  // namespace quillo
