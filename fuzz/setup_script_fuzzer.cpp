// A setup or uninstall script run phase by phase as Setup runs it (phases 0 to 3, one variable
// table and one condition stack for the whole run; a progress page only for phase 1): lines,
// keywords, arguments, variable expansion and conditions. The commands that act on the system
// are answered by a host that fails some of them; the user retries some errors, then quits.
//   byte 0     mode (bit 0), which command calls fail (bits 1-3)
//   the rest   the script
#include <cstring>
#include <string>

#include "fuzz_support.h"
#include "script_interpreter.h"
#include "setup_error_code.h"

namespace {

using namespace quillo::setup;

class FailingHost : public ScriptCommandHost {
 public:
  explicit FailingHost(unsigned failEvery) : failEvery_(failEvery) {}

  int Execute(Keyword keyword, const ScriptArguments& arguments) override {
    FUZZ_CHECK(keyword != Keyword::kNone && arguments.count >= 0 && arguments.count <= kMaxArguments);
    for (int i = 0; i < kMaxArguments; ++i) FUZZ_CHECK(strnlen(arguments[i], kArgumentSize) < kArgumentSize);
    return failEvery_ != 0 && ++calls_ % failEvery_ == 0 ? kCopyFailed : kNoError;
  }
  bool Cancelled() const override { return cancelled; }
  void Note(const char* text) override { FUZZ_CHECK(text != nullptr && std::strlen(text) < kArgumentSize + 64); }

  bool cancelled = false;

 private:
  unsigned failEvery_;
  unsigned calls_ = 0;
};

class Progress : public SetupProgress {
 public:
  explicit Progress(FailingHost& host) : host_(host) {}

  void ShowStatus(StatusArea, const char* text) override { FUZZ_CHECK(strnlen(text, kArgumentSize) < kArgumentSize); }
  void ShowProgress(int percent) override { FUZZ_CHECK(percent >= 0 && percent <= 100); }
  void PhaseDone() override { ++phasesDone; }
  // Retry twice, then Cancel, which quits Setup.
  int ReportError(int) override {
    if (++errors_ <= 2) return kAnswerRetry;
    host_.cancelled = true;
    return 2;
  }

  int phasesDone = 0;

 private:
  FailingHost& host_;
  int errors_ = 0;
};

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  if (size < 1) return 0;
  const std::string script = fuzz::Text(data + 1, size - 1);  // NUL-terminated, as loaded
  VariableTable variables;
  variables.Set("#INSTALLPATH#", "C:\\Program Files\\Larkwell\\Quillo");
  variables.Set("#WINDOWSDIR#", "C:\\Windows");
  variables.Set("#64#", "1");
  ConditionStack conditions;
  ScriptContext context{script.c_str(), (data[0] & 1) ? SetupMode::kUninstall : SetupMode::kSetup, variables,
                        conditions};
  FailingHost host((data[0] >> 1) & 7);
  Progress progress(host);
  for (int phase = 0; phase <= 3 && !host.cancelled; ++phase) {
    RunScriptPhase(context, phase, host, phase == 1 ? &progress : nullptr);
  }
  FUZZ_CHECK(conditions.depth() >= 0);
  return 0;
}
