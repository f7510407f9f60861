#include "script_line.h"

#include <cstring>

#include "ascii_text.h"
#include "script_argument.h"

namespace quillo::setup {
namespace {

constexpr KeywordInfo kKeywords[] = {
    {"Set", Keyword::kSet, 2, 2},
    {"CloseProgram", Keyword::kCloseProgram, 1, 1},
    {"CreateDir", Keyword::kCreateDir, 1, 1},
    {"CopyFile", Keyword::kCopyFile, 2, 3},
    {"CreateLink", Keyword::kCreateLink, 2, 4},
    {"ChangeNotify", Keyword::kChangeNotify, 1, 1},
    {"CreateRegValSz", Keyword::kCreateRegValSz, 4, 5},
    {"CreateRegValDW", Keyword::kCreateRegValDW, 4, 5},
    {"CopyUninstall", Keyword::kCopyUninstall, 1, 1},
    {"CreateSetupInfo", Keyword::kCreateSetupInfo, 2, 2},
    {"DeleteFile", Keyword::kDeleteFile, 1, 2},
    {"RemoveDir", Keyword::kRemoveDir, 1, 1},
    {"DeleteRegKey", Keyword::kDeleteRegKey, 2, 3},
    {"DeleteRegVal", Keyword::kDeleteRegVal, 3, 4},
    {"PatchFile", Keyword::kPatchFile, 3, 3},
    {"If", Keyword::kIf, 3, 5},
    {"Else", Keyword::kElse, 0, 0},
    {"Endif", Keyword::kEndif, 0, 0},
    {"StopService", Keyword::kStopService, 1, 1},
    {"PhaseBegin", Keyword::kPhaseBegin, 1, 1},
    {"PhaseEnd", Keyword::kPhaseEnd, 0, 0},
    {"Run", Keyword::kRun, 1, 3},
    {"Call", Keyword::kCall, 1, 5},
    {"Error", Keyword::kError, 1, 1},
    {"Status", Keyword::kStatus, 1, 1},
    {"Status2", Keyword::kStatus2, 1, 1},
    {"LogonTrigger", Keyword::kLogonTrigger, 1, 5},
};

// The keyword at `at`: its letters match ignoring case and white space follows (the end of the
// text does not count as white space).
bool KeywordAt(const char* at, const char* name) {
  const std::size_t length = std::strlen(name);
  for (std::size_t i = 0; i < length; ++i) {
    if (at[i] == '\0' || LowerAscii(at[i]) != LowerAscii(name[i])) return false;
  }
  return IsScriptWhiteSpace(at[length]);
}

}  // namespace

const KeywordInfo* FindKeywordInfo(Keyword keyword) {
  for (const KeywordInfo& row : kKeywords) {
    if (row.keyword == keyword) return &row;
  }
  return nullptr;
}

ScriptLine ReadScriptLine(const char* at) {
  while (IsScriptWhiteSpace(*at)) ++at;
  ScriptLine line{Keyword::kNone, at, at};
  for (const KeywordInfo& row : kKeywords) {
    if (KeywordAt(at, row.name)) {
      line.keyword = row.keyword;
      line.arguments = at + std::strlen(row.name);
      while (*line.arguments == ' ' || *line.arguments == '\t' || *line.arguments == '\n') {
        ++line.arguments;
      }
      break;
    }
  }
  const char* end = line.arguments;
  while (*end != '\0' && *end != '\r') ++end;
  line.next = (*end == '\r') ? end + 1 : end;
  return line;
}

}  // namespace quillo::setup
