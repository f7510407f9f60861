// The framework's DataFile access against the real file system under Wine.
#include "framework_data_file.h"

#include <gtest/gtest.h>

#include <windows.h>

#include <string>

#include "win_test_support.h"

namespace lwf {
namespace {

using quillo::test::FileExists;
using quillo::test::ReadText;
using quillo::test::ScratchFolder;
using quillo::test::WriteText;

TEST(FrameworkDataFile, WriteReplacesThroughATemporaryFileAndCreatesFolders) {
  ScratchFolder scratch("lwfdata");
  const std::string folder = scratch / "a\\b";
  ASSERT_EQ(WriteDataIn(folder.c_str(), "Options", -1, "first", 5), 5u);
  ASSERT_EQ(WriteDataIn(folder.c_str(), "Options", -1, "new", 3), 3u);
  EXPECT_EQ(ReadText(folder + "\\Options.lcf"), "new");
  EXPECT_FALSE(FileExists(folder + "\\Options.lcf_tmp"));
  EXPECT_EQ(WriteDataIn(folder.c_str(), "FAV", 1000, "x", 1), 0u) << "index out of range";
  EXPECT_EQ(WriteDataIn(folder.c_str(), "FAV", 0, nullptr, 1), 0u);
}

TEST(FrameworkDataFile, ReadFillsTheRestWithZerosAndLeavesTheBufferForMissingFiles) {
  ScratchFolder scratch("lwfread");
  WriteText(scratch / "Options.lcf", "abc");
  char buffer[6] = {'x', 'x', 'x', 'x', 'x', 'x'};
  EXPECT_EQ(ReadDataIn(scratch.path().c_str(), "Options", -1, nullptr, 0), 3u);
  EXPECT_EQ(ReadDataIn(scratch.path().c_str(), "Options", -1, buffer, sizeof buffer), 3u);
  EXPECT_EQ(std::string(buffer, 6), std::string("abc\0\0\0", 6));
  char untouched[2] = {'q', 'q'};
  EXPECT_EQ(ReadDataIn(scratch.path().c_str(), "Missing", -1, untouched, 2), 0u);
  EXPECT_EQ(untouched[0], 'q');
  EXPECT_EQ(ReadDataIn(scratch.path().c_str(), "Missing", -1, nullptr, 0), 0u);
}

DWORD WINAPI DisconnectOnceConnected(void* pipe) {
  ConnectNamedPipe(pipe, nullptr);
  DisconnectNamedPipe(pipe);
  return 0;
}

TEST(FrameworkDataFile, AFailedReadLeavesTheBufferAsItWas) {
  // A "data file" that opens but whose read fails: a pipe whose server drops the connection.
  const std::string name = "quillo_readfail_" + std::to_string(GetCurrentProcessId());
  HANDLE pipe = CreateNamedPipeA(("\\\\.\\pipe\\" + name + ".lcf").c_str(), PIPE_ACCESS_OUTBOUND,
                                 PIPE_TYPE_BYTE | PIPE_WAIT, 1, 64, 64, 0, nullptr);
  ASSERT_NE(pipe, INVALID_HANDLE_VALUE);
  HANDLE server = CreateThread(nullptr, 0, DisconnectOnceConnected, pipe, 0, nullptr);
  ASSERT_NE(server, nullptr);
  char defaults[8] = {'d', 'e', 'f', 'a', 'u', 'l', 't', 's'};
  EXPECT_EQ(ReadDataIn("\\\\.\\pipe", name.c_str(), -1, defaults, sizeof defaults), 0u);
  EXPECT_EQ(std::string(defaults, 8), "defaults") << "the caller's defaults stay";
  WaitForSingleObject(server, 5000);
  CloseHandle(server);
  CloseHandle(pipe);
}

TEST(FrameworkDataFile, DeleteAllStopsAtTheFirstGap) {
  ScratchFolder scratch("lwfdelete");
  for (const char* name : {"MRU.lcf", "MRU0.lcf", "MRU1.lcf", "MRU3.lcf"}) WriteText(scratch / name, "x");
  DeleteDataIn(scratch.path().c_str(), "MRU", true);
  EXPECT_FALSE(FileExists(scratch / "MRU.lcf"));
  EXPECT_FALSE(FileExists(scratch / "MRU0.lcf"));
  EXPECT_FALSE(FileExists(scratch / "MRU1.lcf"));
  EXPECT_TRUE(FileExists(scratch / "MRU3.lcf"));
  WriteText(scratch / "Options.lcf", "x");
  WriteText(scratch / "Options0.lcf", "x");
  DeleteDataIn(scratch.path().c_str(), "Options", false);
  EXPECT_FALSE(FileExists(scratch / "Options.lcf"));
  EXPECT_TRUE(FileExists(scratch / "Options0.lcf"));
}

}  // namespace
}  // namespace lwf
