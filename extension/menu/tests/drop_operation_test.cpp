#include "drop_operation.h"

#include <gtest/gtest.h>

#include <cstring>
#include <string>

#include "dropped_names.h"

namespace quillo {
namespace {

// What a path function leaves in a buffer of `size` bytes (pre-filled with 'x'); its result
// must say whether it wrote a path.
using PathFunction = bool (*)(std::string_view, char*, std::size_t);
std::string Written(PathFunction function, const char* path, std::size_t size = 261) {
  char out[300];
  std::memset(out, 'x', sizeof out);
  const bool ok = function(path, out, size);
  EXPECT_EQ(ok, out[0] != '\0') << path;
  return out;
}

std::string Parent(const char* path, std::size_t size = 261) {
  return Written(ParentFolderPath, path, size);
}

TEST(DropOperation, MoveToParentDestination) {
  EXPECT_EQ(Parent("C:\\Data\\Inbox"), "C:\\Data");
  EXPECT_EQ(Parent("C:\\Data"), "C:\\");  // below a drive root: the root with its backslash
  EXPECT_EQ(Parent("d:\\Data\\"), "d:\\");
  EXPECT_EQ(Parent("\\\\server\\share\\dir"), "\\\\server\\share");
  // Roots and paths without a folder have no parent to move into.
  EXPECT_EQ(Parent("C:\\"), "");
  EXPECT_EQ(Parent("C:"), "");
  EXPECT_EQ(Parent("\\\\server\\share"), "");
  EXPECT_EQ(Parent("Data"), "");
  EXPECT_EQ(Parent("\\Data"), "");
  EXPECT_EQ(Parent(""), "");
  // A result that does not fit whole is refused rather than cut.
  EXPECT_EQ(Parent("C:\\Data\\Inbox", 8), "C:\\Data");
  EXPECT_EQ(Parent("C:\\Data\\Inbox", 7), "");
}

TEST(DropOperation, DestinationIsAFullPathEndingWithTwoNuls) {
  char out[8];
  std::memset(out, 'x', sizeof out);
  ASSERT_TRUE(DropDestination("C:\\Abc", out, sizeof out));
  EXPECT_EQ(std::memcmp(out, "C:\\Abc\0\0", 8), 0);
  EXPECT_TRUE(DropDestination("\\\\sv\\s", out, sizeof out));
  EXPECT_FALSE(DropDestination("C:\\Abcd", out, sizeof out));  // would not fit whole
  EXPECT_EQ(out[0], '\0');
  // A name that is not a full path (a virtual folder's display name, "C:" alone) would put the
  // objects into whatever the current folder is.
  EXPECT_FALSE(DropDestination("Sub", out, sizeof out));
  EXPECT_FALSE(DropDestination("C:Sub", out, sizeof out));
  EXPECT_FALSE(DropDestination("\\\\\\x", out, sizeof out));
  EXPECT_FALSE(DropDestination("", out, sizeof out));
  EXPECT_FALSE(DropDestination("C:\\", out, 1));
}

TEST(DropOperation, OperationAndEmptiedSourceRule) {
  EXPECT_EQ(FileOperationFor(kCopyToFolderMode), DropFileOperation::kCopy);
  EXPECT_EQ(FileOperationFor(kMoveToFolderMode), DropFileOperation::kMove);
  EXPECT_EQ(FileOperationFor(kMoveToParentMode), DropFileOperation::kMove);
  EXPECT_TRUE(RemovesEmptiedSource(kMoveToFolderMode, true, false));
  EXPECT_TRUE(RemovesEmptiedSource(kMoveToParentMode, true, false));
  EXPECT_FALSE(RemovesEmptiedSource(kMoveToFolderMode, true, true));  // Ctrl held
  EXPECT_FALSE(RemovesEmptiedSource(kMoveToFolderMode, false, false));
  EXPECT_FALSE(RemovesEmptiedSource(kCopyToFolderMode, true, false));  // a copy empties nothing
}

std::string Source(const char* first) { return Written(EmptiedSourceFolder, first); }

TEST(DropOperation, EmptiedSourceFolderIsNeverARoot) {
  EXPECT_EQ(Source("C:\\Data\\a.txt"), "C:\\Data");
  EXPECT_EQ(Source("\\\\server\\share\\dir\\a.txt"), "\\\\server\\share\\dir");
  // "C:" alone would name the drive's current folder, which may be anything.
  EXPECT_EQ(Source("C:\\a.txt"), "");
  EXPECT_EQ(Source("\\\\server\\share\\a.txt"), "");
  EXPECT_EQ(Source("a.txt"), "");
  EXPECT_EQ(Source(""), "");
}

TEST(DropOperation, OnlyFileSystemFoldersTakeTheDrop) {
  EXPECT_EQ(ChooseDropTarget({true, false, true, true}), DropTargetChoice::kOwnPath);
  EXPECT_EQ(ChooseDropTarget({true, true, true, true}), DropTargetChoice::kShortcutTarget);
  EXPECT_EQ(ChooseDropTarget({true, false, false, true}), DropTargetChoice::kRefuse);  // virtual
  EXPECT_EQ(ChooseDropTarget({true, false, true, false}), DropTargetChoice::kRefuse);
  EXPECT_EQ(ChooseDropTarget({false, false, true, true}), DropTargetChoice::kRefuse);  // a file
}

TEST(DroppedNames, ListStaysCompleteInsideItsBuffer) {
  const std::size_t size = DroppedNamesSize(2);
  ASSERT_EQ(size, 2 * kDroppedNameSlot + 1);
  std::string buffer(size, 'x');
  DroppedNamesWriter writer(buffer.data(), buffer.size());
  EXPECT_EQ(buffer[0], '\0');  // an empty list from the start
  ASSERT_TRUE(writer.Append("C:\\a.txt"));
  ASSERT_TRUE(writer.Append("C:\\b"));
  EXPECT_EQ(buffer.substr(0, 15), std::string("C:\\a.txt\0C:\\b\0\0", 15));
  EXPECT_EQ(FirstDroppedName(buffer.data(), buffer.size()), "C:\\a.txt");
  EXPECT_FALSE(writer.Append(""));
  EXPECT_FALSE(writer.Append("b.txt"));  // relative: taken from the current folder
  EXPECT_FALSE(writer.Append("C:b.txt"));
  EXPECT_FALSE(writer.Append(std::string_view("C:\\a\0b", 6)));
}

TEST(DroppedNames, ALongNameIsRefusedNotCut) {
  std::string buffer(DroppedNamesSize(1), 'x');
  DroppedNamesWriter writer(buffer.data(), buffer.size());
  const std::string longest = "C:\\" + std::string(kDroppedNameSlot - 4, 'a');
  EXPECT_FALSE(writer.Append(longest + "b"));
  EXPECT_EQ(buffer[0], '\0');
  EXPECT_TRUE(writer.Append(longest));
  EXPECT_EQ(buffer[kDroppedNameSlot], '\0');
  EXPECT_FALSE(writer.Append("C:\\c"));  // the one slot is used
  EXPECT_EQ(FirstDroppedName(buffer.data(), buffer.size()), longest);
}

TEST(DroppedNames, SizesAndReadingStayInBounds) {
  EXPECT_EQ(DroppedNamesSize(0), 1u);
  if constexpr (sizeof(std::size_t) == 4) {
    EXPECT_EQ(DroppedNamesSize(0xFFFFFFFFu), 0u);
  }
  DroppedNamesWriter none(nullptr, 10);
  EXPECT_FALSE(none.Append("C:\\a"));
  char tiny[5];
  DroppedNamesWriter writer(tiny, sizeof tiny);
  EXPECT_FALSE(writer.Append("C:\\a"));  // needs 6 bytes with both NULs
  const char unterminated[4] = {'C', ':', '\\', 'a'};
  EXPECT_EQ(FirstDroppedName(unterminated, sizeof unterminated), "");
  EXPECT_EQ(FirstDroppedName(nullptr, 5), "");
}

}  // namespace
}  // namespace quillo
