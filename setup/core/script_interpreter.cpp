#include "script_interpreter.h"

#include <cstdio>
#include <cstdlib>
#include <cstring>

#include "setup_error_code.h"

namespace quillo::setup {
namespace {

struct PhaseBody {
  const char* begin;
  const char* end;
};

bool FindPhase(const char* script, int phase, PhaseBody& body) {
  for (const char* at = script; *at != '\0';) {
    const ScriptLine line = ReadScriptLine(at);
    at = line.next;
    if (line.keyword != Keyword::kPhaseBegin) continue;
    ScriptArguments number;
    number.Read(line.arguments, 1);
    if (number.count == 1 && std::strtol(number[0], nullptr, 10) == phase) {
      body.begin = at;
      body.end = at;
      while (*body.end != '\0' && ReadScriptLine(body.end).keyword != Keyword::kPhaseEnd) {
        body.end = ReadScriptLine(body.end).next;
      }
      return true;
    }
  }
  return false;
}

struct PathCommand {
  Keyword keyword;
  int pathArgument;   // the argument naming the file or folder acted on
  int skippedResult;  // the code when that path has no folder: a failure for commands that
                      // create, none for those that remove (there is nothing to remove)
};

constexpr PathCommand kPathCommands[] = {
    {Keyword::kCreateDir, 0, kCreateDirFailed},  {Keyword::kCopyFile, 1, kCopyFailed},
    {Keyword::kCreateLink, 1, kCreateLinkFailed}, {Keyword::kChangeNotify, 0, kNoError},
    {Keyword::kCopyUninstall, 0, kCopyFailed},    {Keyword::kDeleteFile, 0, kNoError},
    {Keyword::kRemoveDir, 0, kNoError},  {Keyword::kPatchFile, 2, kPatchFailed},
};

const PathCommand* FindPathCommand(Keyword keyword) {
  for (const PathCommand& command : kPathCommands) {
    if (command.keyword == keyword) return &command;
  }
  return nullptr;
}

// True when the text begins with a variable reference "#NAME#" that expands to nothing or is
// undefined (it would stay as written).
bool BeginsWithEmptyVariable(const VariableTable& variables, const char* text) {
  if (text[0] != '#') return false;
  const char* close = std::strchr(text + 1, '#');
  if (close == nullptr || close == text + 1) return false;
  char reference[kArgumentSize];
  const std::size_t length = static_cast<std::size_t>(close - text) + 1;
  if (length >= sizeof reference) return false;
  std::memcpy(reference, text, length);
  reference[length] = '\0';
  ExpandVariables(variables, reference, sizeof reference);
  return reference[0] == '\0' || reference[0] == '#';
}

class PhaseRun {
 public:
  PhaseRun(ScriptContext& context, ScriptCommandHost& host, SetupProgress* progress)
      : context_(context), host_(host), progress_(progress) {}

  // Executes one line and returns its code.
  int Execute(const ScriptLine& line) {
    const KeywordInfo* info = FindKeywordInfo(line.keyword);
    if (info == nullptr || line.keyword == Keyword::kPhaseBegin ||
        line.keyword == Keyword::kPhaseEnd) {
      return kNoError;
    }
    const bool conditional = line.keyword == Keyword::kIf || line.keyword == Keyword::kElse ||
                             line.keyword == Keyword::kEndif;
    if (!conditional && context_.conditions.Skipping()) return kNoError;
    arguments_.Read(line.arguments, info->readArguments);
    if (arguments_.count < info->minArguments) return kMalformedCommand;
    const PathCommand* pathCommand = FindPathCommand(line.keyword);
    if (pathCommand != nullptr && pathCommand->pathArgument < arguments_.count &&
        BeginsWithEmptyVariable(context_.variables, arguments_[pathCommand->pathArgument])) {
      return SkipWithoutFolder(*info, arguments_[pathCommand->pathArgument], pathCommand->skippedResult);
    }
    for (int i = (line.keyword == Keyword::kSet) ? 1 : 0; i < arguments_.count; ++i) {
      ExpandVariables(context_.variables, arguments_.values[i], kArgumentSize);
    }
    switch (line.keyword) {
      case Keyword::kSet:
        Status(kStatusLine, "Setting variable...");
        return context_.variables.Set(arguments_[0], arguments_[1]) ? kNoError
                                                                     : kVariableTableFull;
      case Keyword::kIf:
        return If();
      case Keyword::kElse:
        context_.conditions.Else();
        return kNoError;
      case Keyword::kEndif:
        context_.conditions.Endif();
        return kNoError;
      case Keyword::kError:
        return context_.variables.Set("#LASTERROR#", arguments_[0]) ? kScriptError
                                                                    : kVariableTableFull;
      case Keyword::kStatus:
        Status(kStatusLine, arguments_[0]);
        return kNoError;
      case Keyword::kStatus2:
        Status(kStatusDetail, arguments_[0]);
        return kNoError;
      case Keyword::kRun:
        host_.Execute(line.keyword, arguments_);  // its outcome is not a failure of the script
        return kNoError;
      default:
        return host_.Execute(line.keyword, arguments_);
    }
  }

 private:
  int If() {
    if (arguments_.count != 3 && arguments_.count != 5) return kMalformedCommand;
    const char* values[kMaxArguments];
    for (int i = 0; i < kMaxArguments; ++i) values[i] = arguments_[i];
    // A block nested too deeply cannot be tracked: it is skipped and reported as malformed.
    return context_.conditions.Push(EvaluateCondition(values, arguments_.count))
               ? kNoError
               : kMalformedCommand;
  }

  int SkipWithoutFolder(const KeywordInfo& info, const char* path, int result) {
    char note[kArgumentSize + 64];
    std::snprintf(note, sizeof note, "Skipped, the folder is not known: %s %s", info.name, path);
    Status(kStatusDetail, note);
    host_.Note(note);
    return result;
  }

  // Cut to one status line, as every status text is (a skipped line's note may be longer).
  void Status(StatusArea area, const char* text) {
    if (progress_ == nullptr) return;
    char line[kArgumentSize];
    std::snprintf(line, sizeof line, "%s", text);
    progress_->ShowStatus(area, line);
  }

  ScriptContext& context_;
  ScriptCommandHost& host_;
  SetupProgress* progress_;
  ScriptArguments arguments_;
};

}  // namespace

int RunScriptPhase(ScriptContext& context, int phase, ScriptCommandHost& host,
                   SetupProgress* progress) {
  PhaseBody body{};
  if (!FindPhase(context.script, phase, body)) {
    const int code = phase <= 1 ? kPhaseMissing : kNoError;
    if (progress) progress->PhaseDone();
    return code;
  }
  PhaseRun run(context, host, progress);
  int code = kNoError;
  int remembered = kNoError;
  const char* at = body.begin;
  while (at < body.end) {
    if (host.Cancelled()) return code;
    const ScriptLine line = ReadScriptLine(at);
    code = run.Execute(line);
    if (code != kNoError) {
      if (context.mode == SetupMode::kUninstall) {
        remembered = code;
      } else if (progress == nullptr) {
        return code;
      } else {
        const int answer = progress->ReportError(code);
        if (host.Cancelled()) return code;
        code = kNoError;
        if (answer == kAnswerRetry) continue;
      }
    }
    at = line.next;
    if (progress) {
      const long long done = line.next - body.begin, total = body.end - body.begin;
      progress->ShowProgress(static_cast<int>(done * 100 / total));
    }
  }
  if (context.mode == SetupMode::kUninstall) code = remembered;
  if (progress) progress->PhaseDone();
  return code;
}

}  // namespace quillo::setup
