// ChildProber: the child probes of one level's worker, made on a thread of their own. The shell
// reads a whole folder before it hands out its first child, so a probe of a large folder cannot
// stop halfway through; with the prober the worker does not wait for it once a stop is
// requested: it leaves at its next look at the stop flags (every 5 ms), and the prober finishes
// the probe it is in by itself and ends. The worker, and the menu thread waiting for the worker
// as its level closes, are then never held by a probe. When the thread cannot be started the
// probes run on the calling thread.
#pragma once

#include <windows.h>
#include <shlobj.h>

#include <atomic>
#include <cstdint>

#include "model_context.h"

namespace quillo {

class ChildProber {
 public:
  // context must outlive the prober's thread (the extension's lives as long as the process).
  explicit ChildProber(ModelContext& context) : context_(context) {}
  // Lets the thread go; it ends after the probe it is in.
  ~ChildProber();
  ChildProber(const ChildProber&) = delete;
  ChildProber& operator=(const ChildProber&) = delete;

  // 1 when the folder of list has something to show, 0 when not (the model's ChildProbe); -1
  // when cancel or abort was set before the answer came. After a -1 every probe gives -1.
  int Probe(LPCITEMIDLIST list, const std::atomic<std::uint8_t>& cancel,
            const std::atomic<std::uint8_t>& abort);

  struct Channel;  // what the prober and its thread share (child_prober.cpp)

 private:
  void Start();  // the thread, at the first probe

  ModelContext& context_;
  Channel* channel_ = nullptr;  // shared with the thread; null: probes run on this thread
  bool started_ = false;
  bool left_ = false;           // a probe was left running
};

}  // namespace quillo
