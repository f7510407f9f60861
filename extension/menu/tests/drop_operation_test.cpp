#include "drop_operation.h"

#include <gtest/gtest.h>

#include <cstring>
#include <cwchar>
#include <string>

#include "dropped_names.h"

namespace quillo {
namespace {

// What a path function leaves in a buffer of `size` characters (pre-filled with 'x'); its result
// must say whether it wrote a path.
using PathFunction = bool (*)(std::wstring_view, wchar_t*, std::size_t);
std::wstring Written(PathFunction function, const wchar_t* path, std::size_t size = 261) {
  wchar_t out[300];
  std::wmemset(out, L'x', 300);
  const bool ok = function(path, out, size);
  EXPECT_EQ(ok, out[0] != L'\0') << path;
  return out;
}

std::wstring Parent(const wchar_t* path, std::size_t size = 261) {
  return Written(ParentFolderPath, path, size);
}

TEST(DropOperation, MoveToParentDestination) {
  EXPECT_EQ(Parent(L"C:\\Data\\Inbox"), L"C:\\Data");
  EXPECT_EQ(Parent(L"C:\\Data"), L"C:\\");  // below a drive root: the root with its backslash
  EXPECT_EQ(Parent(L"d:\\Data\\"), L"d:\\");
  EXPECT_EQ(Parent(L"\\\\server\\share\\dir"), L"\\\\server\\share");
  // Roots and paths without a folder have no parent to move into.
  EXPECT_EQ(Parent(L"C:\\"), L"");
  EXPECT_EQ(Parent(L"C:"), L"");
  EXPECT_EQ(Parent(L"\\\\server\\share"), L"");
  EXPECT_EQ(Parent(L"Data"), L"");
  EXPECT_EQ(Parent(L"\\Data"), L"");
  EXPECT_EQ(Parent(L""), L"");
  // A result that does not fit whole is refused rather than cut.
  EXPECT_EQ(Parent(L"C:\\Data\\Inbox", 8), L"C:\\Data");
  EXPECT_EQ(Parent(L"C:\\Data\\Inbox", 7), L"");
}

TEST(DropOperation, DestinationIsAFullPathEndingWithTwoNuls) {
  wchar_t out[8];
  std::wmemset(out, L'x', 8);
  ASSERT_TRUE(DropDestination(L"C:\\Abc", out, 8));
  EXPECT_EQ(std::wmemcmp(out, L"C:\\Abc\0\0", 8), 0);
  EXPECT_TRUE(DropDestination(L"\\\\sv\\s", out, 8));
  EXPECT_FALSE(DropDestination(L"C:\\Abcd", out, 8));  // would not fit whole
  EXPECT_EQ(out[0], L'\0');
  // A name that is not a full path (a virtual folder's display name, "C:" alone) would put the
  // objects into whatever the current folder is.
  EXPECT_FALSE(DropDestination(L"Sub", out, 8));
  EXPECT_FALSE(DropDestination(L"C:Sub", out, 8));
  EXPECT_FALSE(DropDestination(L"\\\\\\x", out, 8));
  EXPECT_FALSE(DropDestination(L"", out, 8));
  EXPECT_FALSE(DropDestination(L"C:\\", out, 1));
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

std::wstring Source(const wchar_t* first) { return Written(EmptiedSourceFolder, first); }

TEST(DropOperation, EmptiedSourceFolderIsNeverARoot) {
  EXPECT_EQ(Source(L"C:\\Data\\a.txt"), L"C:\\Data");
  EXPECT_EQ(Source(L"\\\\server\\share\\dir\\a.txt"), L"\\\\server\\share\\dir");
  // "C:" alone would name the drive's current folder, which may be anything.
  EXPECT_EQ(Source(L"C:\\a.txt"), L"");
  EXPECT_EQ(Source(L"\\\\server\\share\\a.txt"), L"");
  EXPECT_EQ(Source(L"a.txt"), L"");
  EXPECT_EQ(Source(L""), L"");
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
  std::wstring buffer(size, L'x');
  DroppedNamesWriter writer(buffer.data(), buffer.size());
  EXPECT_EQ(buffer[0], L'\0');  // an empty list from the start
  ASSERT_TRUE(writer.Append(L"C:\\a.txt"));
  ASSERT_TRUE(writer.Append(L"C:\\b"));
  EXPECT_EQ(buffer.substr(0, 15), std::wstring(L"C:\\a.txt\0C:\\b\0\0", 15));
  EXPECT_EQ(FirstDroppedName(buffer.data(), buffer.size()), L"C:\\a.txt");
  EXPECT_FALSE(writer.Append(L""));
  EXPECT_FALSE(writer.Append(L"b.txt"));  // relative: taken from the current folder
  EXPECT_FALSE(writer.Append(L"C:b.txt"));
  EXPECT_FALSE(writer.Append(std::wstring_view(L"C:\\a\0b", 6)));
}

TEST(DroppedNames, ALongNameIsRefusedNotCut) {
  std::wstring buffer(DroppedNamesSize(1), L'x');
  DroppedNamesWriter writer(buffer.data(), buffer.size());
  const std::wstring longest = L"C:\\" + std::wstring(kDroppedNameSlot - 4, 'a');
  EXPECT_FALSE(writer.Append(longest + L"b"));
  EXPECT_EQ(buffer[0], L'\0');
  EXPECT_TRUE(writer.Append(longest));
  EXPECT_EQ(buffer[kDroppedNameSlot], L'\0');
  EXPECT_FALSE(writer.Append(L"C:\\c"));  // the one slot is used
  EXPECT_EQ(FirstDroppedName(buffer.data(), buffer.size()), longest);
}

TEST(DroppedNames, SizesAndReadingStayInBounds) {
  EXPECT_EQ(DroppedNamesSize(0), 1u);
  if constexpr (sizeof(std::size_t) == 4) {
    EXPECT_EQ(DroppedNamesSize(0xFFFFFFFFu), 0u);
  }
  DroppedNamesWriter none(nullptr, 10);
  EXPECT_FALSE(none.Append(L"C:\\a"));
  wchar_t tiny[5];
  DroppedNamesWriter writer(tiny, 5);
  EXPECT_FALSE(writer.Append(L"C:\\a"));  // needs 6 characters with both NULs
  const wchar_t unterminated[4] = {L'C', L':', L'\\', L'a'};
  EXPECT_EQ(FirstDroppedName(unterminated, 4), L"");
  EXPECT_EQ(FirstDroppedName(nullptr, 5), L"");
}

}  // namespace
}  // namespace quillo
