// The script language: lines, keywords, arguments, variables, conditions and the interpreter's
// error policy, run against a recording command host.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstring>
#include <string>
#include <vector>

#include "script_interpreter.h"
#include "setup_error_code.h"

namespace quillo::setup {
namespace {

struct Executed {
  Keyword keyword;
  std::vector<std::string> arguments;
};

class RecordingHost : public ScriptCommandHost {
 public:
  int Execute(Keyword keyword, const ScriptArguments& arguments) override {
    Executed e{keyword, {}};
    for (int i = 0; i < arguments.count; ++i) e.arguments.emplace_back(arguments[i]);
    executed.push_back(e);
    if (failures > 0 && keyword == failOn) {
      --failures;
      return failCode;
    }
    return kNoError;
  }
  bool Cancelled() const override { return cancelled; }
  void Note(const char* text) override { notes.emplace_back(text); }

  std::vector<Executed> executed;
  std::vector<std::string> notes;
  Keyword failOn = Keyword::kNone;
  int failures = 0;
  int failCode = kCopyFailed;
  bool cancelled = false;
};

class RecordingProgress : public SetupProgress {
 public:
  void ShowStatus(StatusArea area, const char* text) override {
    statuses.push_back(std::to_string(area) + ":" + text);
  }
  void ShowProgress(int percent) override { percents.push_back(percent); }
  void PhaseDone() override { ++done; }
  int ReportError(int code) override {
    errors.push_back(code);
    if (answers.empty()) return 2;
    const int answer = answers.front();
    answers.erase(answers.begin());
    if (answer == 2) host->cancelled = true;  // the page ends Setup
    return answer;
  }

  RecordingHost* host = nullptr;
  std::vector<std::string> statuses;
  std::vector<int> percents;
  std::vector<int> errors;
  std::vector<int> answers;
  int done = 0;
};

class ScriptTest : public ::testing::Test {
 protected:
  int Run(const std::string& script, int phase, SetupMode mode = SetupMode::kSetup,
          SetupProgress* progress = nullptr) {
    text = script;
    ScriptContext context{text.c_str(), mode, variables, conditions};
    return RunScriptPhase(context, phase, host, progress);
  }
  std::string Expand(const char* input) {
    char buffer[kArgumentSize];
    std::snprintf(buffer, sizeof buffer, "%s", input);
    ExpandVariables(variables, buffer, sizeof buffer);
    return buffer;
  }

  std::string text;
  VariableTable variables;
  ConditionStack conditions;
  RecordingHost host;
};

TEST_F(ScriptTest, KeywordsNeedWhiteSpaceAfterThemAndIgnoreCase) {
  EXPECT_EQ(ReadScriptLine("setvariable #A#, 1\r\n").keyword, Keyword::kNone);
  EXPECT_EQ(ReadScriptLine("STATUS2 hello\r\n").keyword, Keyword::kStatus2);
  EXPECT_EQ(ReadScriptLine("Status2x hello\r\n").keyword, Keyword::kNone);
  EXPECT_EQ(ReadScriptLine("  \tStatus hello\r\n").keyword, Keyword::kStatus);
  EXPECT_EQ(ReadScriptLine("Endif").keyword, Keyword::kNone);  // the text's end is no white space
  EXPECT_EQ(ReadScriptLine("; CopyFile a, b\r\n").keyword, Keyword::kNone);
}

TEST_F(ScriptTest, ArgumentsFollowQuoteCommaAndCaretRules) {
  ScriptArguments a;
  a.Read("^Quillo^, \"x, y\" ,   abc   , last\r\nnext, line", 5);
  ASSERT_EQ(a.count, 4);
  EXPECT_STREQ(a[0], "\"Quillo\"");
  EXPECT_STREQ(a[1], "x, y");
  EXPECT_STREQ(a[2], "abc");
  EXPECT_STREQ(a[3], "last");
  EXPECT_STREQ(a[4], "");

  a.Read("\"unterminated, text\r\nmore", 2);
  ASSERT_EQ(a.count, 1);
  EXPECT_STREQ(a[0], "unterminated, text");

  a.Read("tab\t, b", 2);
  EXPECT_STREQ(a[0], "tab\t");  // only blanks are trimmed

  const std::string longValue(800, 'v');
  a.Read(longValue.c_str(), 1);
  EXPECT_EQ(std::strlen(a[0]), kArgumentSize - 1);
}

TEST_F(ScriptTest, SetStoresExpandedValuesAndReadForms) {
  ASSERT_EQ(Run("PhaseBegin 0\r\n"
                "Set #NL#, x\\ny\r\n"
                "Set #T#,   abc   , ignored\r\n"
                "Set #V#, 5.3.3\r\n"
                "Set #W#, word\r\n"
                "PhaseEnd\r\n",
                0),
            kNoError);
  EXPECT_STREQ(variables.Text("#NL#"), "x\r\ny");
  EXPECT_STREQ(variables.Text("#T#"), "abc");
  EXPECT_EQ(variables.Number("#V#"), 5);
  EXPECT_EQ(variables.Number("#W#"), 0);
  EXPECT_EQ(variables.Number("#NONE#"), -1);
  EXPECT_STREQ(variables.Text("#NONE#"), "");
  EXPECT_FALSE(variables.IsDefined("#NONE#"));
  EXPECT_TRUE(host.executed.empty());
}

TEST_F(ScriptTest, AValueReadStaysValidWhileOtherVariablesAreAdded) {
  // The finish page reads #PROGRAM# and then sets the three choices, which may add variables.
  variables.Set("#PROGRAM#", "Quillo");
  const char* product = variables.Text("#PROGRAM#");
  for (int i = 0; i < 100; ++i) variables.Set(("#ADDED" + std::to_string(i) + "#").c_str(), "1");
  EXPECT_STREQ(product, "Quillo");
  EXPECT_EQ(product, variables.Text("#PROGRAM#"));
}

TEST_F(ScriptTest, NamesAndValuesAreCut) {
  const std::string name(40, 'N');
  ASSERT_TRUE(variables.Set(name.c_str(), std::string(700, 'v').c_str()));
  EXPECT_EQ(std::strlen(variables.Text(name.c_str())), kVariableValueSize - 1);
  EXPECT_TRUE(variables.IsDefined(name.substr(0, 31).c_str()));
}

TEST_F(ScriptTest, ExpansionReexpandsAfterTheFirstCharacterOfAValue) {
  variables.Set("#A#", "1");
  variables.Set("#B#", "x#A#");
  EXPECT_EQ(Expand("#B#"), "x1");
  variables.Set("#B#", "#A#x");
  EXPECT_EQ(Expand("#B#"), "#A#x");
  EXPECT_EQ(Expand("#UNDEFINED# and #A#"), "#UNDEFINED# and 1");
  variables.Set("#E#", "");
  EXPECT_EQ(Expand("#E##A#"), "1");  // an empty value does not hide the next reference
  variables.Set("#P#", "C:\\new");
  variables.Set("#Q#", "[#P#]\\ny");  // a folder named like "\n" inside values stays as it is
  EXPECT_EQ(Expand("#Q#\\n#P#\\nul"), "[C:\\new]\\ny\r\nC:\\new\r\nul");
}

TEST_F(ScriptTest, OverlongExpansionsAreCutAtTheBuffer) {
  variables.Set("#SELF#", "x#SELF#");  // refers to itself: grows until the buffer is full
  const std::string grown = Expand("a#SELF#b");
  EXPECT_EQ(grown.size(), kArgumentSize - 1);
  EXPECT_EQ(grown.substr(0, 4), "axxx");

  variables.Set("#LONG#", std::string(500, 'L').c_str());
  const std::string cut = Expand("#LONG##LONG#tail");
  EXPECT_EQ(cut, std::string(519, 'L'));

  char small[8] = "#A#####";
  variables.Set("#A#", "123456789");
  ExpandVariables(variables, small, sizeof small);
  EXPECT_STREQ(small, "1234567");
}

// Random scripts and texts: whatever the input, nothing is read or written outside a buffer
// (the sanitizers watch) and every phase run ends.
TEST_F(ScriptTest, ArbitraryInputStaysWithinBuffers) {
  const char alphabet[] = "#AB\\n\r\n ,\"^xIfElseEndifSetPhaseBegin01";
  unsigned state = 12345;
  auto next = [&state] { return state = state * 1103515245u + 12345u; };
  for (int round = 0; round < 300; ++round) {
    std::string text;
    const unsigned length = next() % 700;
    for (unsigned i = 0; i < length; ++i) text += alphabet[next() % (sizeof alphabet - 1)];
    variables.Set("#A#", text.substr(0, next() % 600).c_str());
    variables.Set("#B", text.substr(next() % (text.size() + 1)).c_str());
    char buffer[kArgumentSize];
    std::snprintf(buffer, sizeof buffer, "%s", text.c_str());
    ExpandVariables(variables, buffer, sizeof buffer);
    EXPECT_LT(std::strlen(buffer), kArgumentSize);
    Run("PhaseBegin 1\r\n" + text + "\r\nSet #A#, " + text + "\r\n", 1, SetupMode::kUninstall);
  }
}

TEST_F(ScriptTest, ConditionsCompareTextsAndNumberRanges) {
  auto test = [&](const char* os) {
    variables.Set("#OS#", os);
    host.executed.clear();
    Run("PhaseBegin 1\r\nIf #OS#, >=, 600, <, 700\r\nCreateDir yes\r\nElse\r\nCreateDir no\r\n"
        "Endif\r\nPhaseEnd\r\n",
        1);
    return host.executed.at(0).arguments.at(0);
  };
  EXPECT_EQ(test("600"), "yes");
  EXPECT_EQ(test("610"), "yes");
  EXPECT_EQ(test("510"), "no");
  EXPECT_EQ(test("700"), "no");

  const char* eq[] = {"AbC", "=", "abc"};
  EXPECT_TRUE(EvaluateCondition(eq, 3));
  const char* ne[] = {"AbC", "!", "abc"};
  EXPECT_FALSE(EvaluateCondition(ne, 3));
  const char* unknownFirst[] = {"1", "?", "1"};
  EXPECT_FALSE(EvaluateCondition(unknownFirst, 3));
  const char* unknownSecond[] = {"5", ">", "1", "?", "9"};
  EXPECT_TRUE(EvaluateCondition(unknownSecond, 5));
  const char* lessEqual[] = {"4.9", "<=", "4.9"};
  EXPECT_TRUE(EvaluateCondition(lessEqual, 3));
}

TEST_F(ScriptTest, SkippedBlocksKeepNestedConditionsBalanced) {
  EXPECT_EQ(Run("PhaseBegin 1\r\n"
                "If 1, =, 2\r\n"
                "  If 1, =, 1\r\n"
                "    CreateDir inner\r\n"
                "  Else\r\n"
                "    CreateDir innerElse\r\n"
                "  Endif\r\n"
                "  CreateDir outer\r\n"
                "Else\r\n"
                "  CreateDir taken\r\n"
                "Endif\r\n"
                "CreateDir after\r\n"
                "If a, b\r\n"
                "PhaseEnd\r\n",
                1, SetupMode::kUninstall),
            kMalformedCommand);  // the two-argument If
  ASSERT_EQ(host.executed.size(), 2u);
  EXPECT_EQ(host.executed[0].arguments[0], "taken");
  EXPECT_EQ(host.executed[1].arguments[0], "after");
  EXPECT_EQ(conditions.depth(), 0);
}

TEST_F(ScriptTest, NestingBeyondThirtyOneIsSkippedAndReported) {
  std::string script = "PhaseBegin 1\r\n";
  for (int i = 0; i < 33; ++i) script += "If 1, =, 1\r\n";
  script += "CreateDir deep\r\nElse\r\nCreateDir deepElse\r\n";
  for (int i = 0; i < 33; ++i) script += "Endif\r\n";
  script += "CreateDir after\r\nPhaseEnd\r\n";
  EXPECT_EQ(Run(script, 1, SetupMode::kUninstall), kMalformedCommand);
  ASSERT_EQ(host.executed.size(), 1u);
  EXPECT_EQ(host.executed[0].arguments[0], "after");
  EXPECT_EQ(conditions.depth(), 0);
  EXPECT_FALSE(conditions.Skipping());
}

TEST_F(ScriptTest, PhasesAreFoundByNumber) {
  const std::string script =
      ";comment\r\nPhaseBegin 0\r\nSet #A#, zero\r\nPhaseEnd\r\n"
      "PhaseBegin 1\r\nCreateDir #A#\r\nPhaseEnd\r\nCreateDir outside\r\n";
  EXPECT_EQ(Run(script, 0), kNoError);
  EXPECT_EQ(Run(script, 1), kNoError);
  ASSERT_EQ(host.executed.size(), 1u);
  EXPECT_EQ(host.executed[0].arguments[0], "zero");
  EXPECT_EQ(Run(script, 2), kNoError);  // optional phases
  EXPECT_EQ(Run("PhaseBegin 1\r\nPhaseEnd\r\n", 0), kPhaseMissing);
}

TEST_F(ScriptTest, LineFeedOnlyScriptIsOneLine) {
  EXPECT_EQ(Run(";Setup script\nPhaseBegin 0\nSet #A#, 1\nPhaseEnd\nPhaseBegin 1\nPhaseEnd\n", 0),
            kPhaseMissing);
  EXPECT_FALSE(variables.IsDefined("#A#"));
}

TEST_F(ScriptTest, MissingArgumentsAndErrorCommand) {
  EXPECT_EQ(Run("PhaseBegin 1\r\nCopyFile onlyOne\r\nPhaseEnd\r\n", 1), kMalformedCommand);
  EXPECT_TRUE(host.executed.empty());
  EXPECT_EQ(Run("PhaseBegin 1\r\nError code 5\r\nCreateDir never\r\nPhaseEnd\r\n", 1),
            kScriptError);
  EXPECT_STREQ(variables.Text("#LASTERROR#"), "code 5");
  EXPECT_TRUE(host.executed.empty());
}

TEST_F(ScriptTest, SetupStopsAtFailureButUninstallRunsOn) {
  const std::string script =
      "PhaseBegin 1\r\nCopyFile a, b\r\nCreateDir c\r\nRun prog\r\nPhaseEnd\r\n";
  host.failOn = Keyword::kCopyFile;
  host.failures = 1;
  EXPECT_EQ(Run(script, 1), kCopyFailed);
  EXPECT_EQ(host.executed.size(), 1u);

  host.executed.clear();
  host.failures = 1;
  EXPECT_EQ(Run(script, 1, SetupMode::kUninstall), kCopyFailed);
  EXPECT_EQ(host.executed.size(), 3u);

  host.failOn = Keyword::kRun;  // the outcome of Run is ignored
  host.failures = 1;
  EXPECT_EQ(Run(script, 1), kNoError);
}

TEST_F(ScriptTest, PathsFromEmptyOrUndefinedFolderVariablesActOnNothing) {
  // An uninstall without setup information: no data folder, an empty install folder.
  variables.Set("#INSTALLPATH#", "");
  variables.Set("#CONFIGPATH#", "");
  variables.Set("#HOLLOW#", "#CONFIGPATH#");
  variables.Set("#STARTMENU#", "C:\\Menu");
  variables.Set("#PROGRAM#", "Quillo");
  const std::string uninstall =
      "PhaseBegin 1\r\n"
      "DeleteFile #INSTALLPATH#\\Quillo*.*\r\n"
      "DeleteFile #INSTALLPATH#\\Init\\*.*\r\n"
      "RemoveDir #INSTALLPATH#\\Init\r\n"
      "DeleteFile #CONFIGPATH#\\*.lcf\r\n"
      "DeleteFile #HOLLOW#\\*.lcf\r\n"
      "DeleteFile #NOWHERE#\\*.lcf\r\n"
      "ChangeNotify #CONFIGPATH#\r\n"
      "DeleteRegKey CR, CLSID\\x\r\n"
      "DeleteFile #STARTMENU#\\#PROGRAM#\\*.*\r\n"
      "RemoveDir #STARTMENU#\\#PROGRAM#\r\n"
      "PhaseEnd\r\n";
  RecordingProgress progress;
  progress.host = &host;
  EXPECT_EQ(Run(uninstall, 1, SetupMode::kUninstall, &progress), kNoError);
  ASSERT_EQ(host.executed.size(), 3u) << "only the lines whose folder is known ran";
  EXPECT_EQ(host.executed[0].keyword, Keyword::kDeleteRegKey);
  EXPECT_EQ(host.executed[1].arguments[0], "C:\\Menu\\Quillo\\*.*");
  EXPECT_EQ(host.executed[2].arguments[0], "C:\\Menu\\Quillo");
  ASSERT_EQ(host.notes.size(), 7u);
  EXPECT_EQ(host.notes[0], "Skipped, the folder is not known: DeleteFile #INSTALLPATH#\\Quillo*.*");
  EXPECT_EQ(host.notes[5], "Skipped, the folder is not known: DeleteFile #NOWHERE#\\*.lcf");
  EXPECT_NE(std::find(progress.statuses.begin(), progress.statuses.end(), "1:" + host.notes[3]),
            progress.statuses.end()) << "the progress page shows it in its detail line";

  // Commands that create fail instead; a path that does not begin with a variable is used as it is.
  host.executed.clear();
  EXPECT_EQ(Run("PhaseBegin 1\r\nCreateDir #CONFIGPATH#\r\nPhaseEnd\r\n", 1), kCreateDirFailed);
  EXPECT_EQ(Run("PhaseBegin 1\r\nCopyFile Quillo.exe, #INSTALLPATH#\r\nPhaseEnd\r\n", 1), kCopyFailed);
  EXPECT_EQ(Run("PhaseBegin 1\r\nCopyUninstall #INSTALLPATH#\\Uninstall.exe\r\nPhaseEnd\r\n", 1), kCopyFailed);
  EXPECT_EQ(Run("PhaseBegin 1\r\nCreateLink x, #CONFIGPATH#\\y\r\nPhaseEnd\r\n", 1), kCreateLinkFailed);
  EXPECT_EQ(Run("PhaseBegin 1\r\nPatchFile a.exe, a.pat, #INSTALLPATH#\r\nPhaseEnd\r\n", 1), kPatchFailed);
  EXPECT_TRUE(host.executed.empty());
  EXPECT_EQ(Run("PhaseBegin 1\r\nCreateDir C:\\#CONFIGPATH#x\r\nCopyFile #CONFIGPATH#a, C:\\b\r\nPhaseEnd\r\n", 1),
            kNoError);
  ASSERT_EQ(host.executed.size(), 2u);
  EXPECT_EQ(host.executed[0].arguments[0], "C:\\x");
}

TEST_F(ScriptTest, ProgressPageAnswersRetryGoOnOrQuit) {
  const std::string script =
      "PhaseBegin 1\r\nStatus 100% done\r\nCopyFile a, b\r\nCreateDir c\r\nPhaseEnd\r\n";
  RecordingProgress progress;
  progress.host = &host;
  host.failOn = Keyword::kCopyFile;
  host.failures = 2;
  progress.answers = {kAnswerRetry, 1};  // Retry, then OK of a message that goes on
  EXPECT_EQ(Run(script, 1, SetupMode::kSetup, &progress), kNoError);
  EXPECT_EQ(progress.errors, (std::vector<int>{kCopyFailed, kCopyFailed}));
  EXPECT_EQ(host.executed.size(), 3u);  // CopyFile twice, CreateDir
  EXPECT_EQ(progress.statuses.at(0), "0:100% done");
  EXPECT_EQ(progress.percents.back(), 100);
  EXPECT_EQ(progress.done, 1);

  host.executed.clear();
  host.failures = 1;
  progress.answers = {2};  // Cancel ends Setup: the worker stops at once
  progress.done = 0;
  Run(script, 1, SetupMode::kSetup, &progress);
  EXPECT_EQ(host.executed.size(), 1u);
  EXPECT_EQ(progress.done, 0);
}

TEST_F(ScriptTest, CancelStopsBeforeTheNextLine) {
  host.cancelled = true;
  EXPECT_EQ(Run("PhaseBegin 1\r\nCreateDir c\r\nPhaseEnd\r\n", 1), kNoError);
  EXPECT_TRUE(host.executed.empty());
}

TEST_F(ScriptTest, MessagesForCodes) {
  EXPECT_EQ(MessageForCode(kCopyFailed).stringId, 1015);
  EXPECT_EQ(MessageForCode(kPatchFailed).buttons, kButtonsRetryCancel | kIconHand);
  EXPECT_EQ(MessageForCode(kCreateLinkFailed).buttons, kButtonsOk | kIconHand);
  EXPECT_EQ(MessageForCode(kTaskSchedulerFailed).stringId, 1002);
  EXPECT_EQ(MessageForCode(kPhaseMissing).stringId, 1001);
  EXPECT_EQ(MessageForCode(kStartupFailed).stringId, 1001);
}

}  // namespace
}  // namespace quillo::setup
