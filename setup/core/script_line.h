// The lines and keywords of a setup script. A line ends at a CR (a lone LF is white space);
// a line counts as a command when it begins with a keyword followed by white space.
#pragma once

namespace quillo::setup {

enum class Keyword {
  kNone,
  kSet,
  kCloseProgram,
  kCreateDir,
  kCopyFile,
  kCreateLink,
  kChangeNotify,
  kCreateRegValSz,
  kCreateRegValDW,
  kCopyUninstall,
  kCreateSetupInfo,
  kDeleteFile,
  kRemoveDir,
  kDeleteRegKey,
  kDeleteRegVal,
  kPatchFile,
  kIf,
  kElse,
  kEndif,
  kStopService,
  kPhaseBegin,
  kPhaseEnd,
  kRun,
  kCall,
  kError,
  kStatus,
  kStatus2,
  kLogonTrigger,
};

struct KeywordInfo {
  const char* name;
  Keyword keyword;
  int minArguments;   // fewer on the line: code 3
  int readArguments;  // how many are read from the line
};

// The table row of a keyword (kNone has none: nullptr).
const KeywordInfo* FindKeywordInfo(Keyword keyword);

struct ScriptLine {
  Keyword keyword;        // kNone for a line without a keyword (comments, blank lines, others)
  const char* arguments;  // after the keyword and the white space that follows it
  const char* next;       // start of the following line, or the terminator
};

// The line at `at` (white space before it skipped). The text must be NUL-terminated.
ScriptLine ReadScriptLine(const char* at);

}  // namespace quillo::setup
