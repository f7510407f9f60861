#include "item_id_list.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <vector>

#include "id_list_array.h"

namespace quillo {
namespace {

// Counts blocks so that every test also proves it frees what it allocates.
class CountingAllocator : public IdListAllocator {
 public:
  ~CountingAllocator() { EXPECT_EQ(live, 0); }
  void* Allocate(std::size_t size) override {
    if (failNext) return nullptr;
    ++live;
    return std::malloc(size);
  }
  void Free(void* block) override {
    --live;
    std::free(block);
  }
  int live = 0;
  bool failNext = false;
};

// A list with one item per given payload byte count, the payload bytes numbered from seed.
std::vector<std::uint8_t> MakeList(std::initializer_list<int> payloads, std::uint8_t seed = 1) {
  std::vector<std::uint8_t> bytes;
  for (int payload : payloads) {
    bytes.push_back(static_cast<std::uint8_t>((payload + 2) & 0xFF));
    bytes.push_back(static_cast<std::uint8_t>((payload + 2) >> 8));
    for (int i = 0; i < payload; ++i) bytes.push_back(seed++);
  }
  bytes.push_back(0);
  bytes.push_back(0);
  return bytes;
}

std::vector<std::uint8_t> Bytes(const OwnedIdList& list) {
  const auto* at = static_cast<const std::uint8_t*>(list.get());
  return {at, at + IdListSize(at)};
}

TEST(ItemIdList, SizeCountsTheTerminatorAndNullIsZero) {
  EXPECT_EQ(IdListSize(nullptr), 0u);
  EXPECT_EQ(IdListSize(MakeList({}).data()), 2u);
  EXPECT_EQ(IdListSize(MakeList({3, 300}).data()), 5u + 302u + 2u);
}

TEST(ItemIdList, CopyAndJoin) {
  CountingAllocator allocator;
  const auto a = MakeList({3, 1}, 10), b = MakeList({2}, 50);
  EXPECT_EQ(CopyIdList(allocator, nullptr), nullptr);
  OwnedIdList copy(allocator, CopyIdList(allocator, a.data()));
  EXPECT_EQ(Bytes(copy), a);

  OwnedIdList joined(allocator, JoinIdLists(allocator, a.data(), b.data()));
  std::vector<std::uint8_t> expected(a.begin(), a.end() - 2);
  expected.insert(expected.end(), b.begin(), b.end());
  EXPECT_EQ(Bytes(joined), expected);

  OwnedIdList withNull(allocator, JoinIdLists(allocator, nullptr, b.data()));
  EXPECT_EQ(Bytes(withNull), b);
  OwnedIdList nullWith(allocator, JoinIdLists(allocator, a.data(), nullptr));
  EXPECT_EQ(Bytes(nullWith), a);
  EXPECT_EQ(JoinIdLists(allocator, nullptr, nullptr), nullptr);

  allocator.failNext = true;
  EXPECT_EQ(JoinIdLists(allocator, a.data(), b.data()), nullptr);
}

TEST(ItemIdList, ParentRemovesTheLastItemAndRefusesEmptyLists) {
  auto list = MakeList({4, 2, 7});
  EXPECT_TRUE(ParentIdList(list.data()));
  EXPECT_EQ(IdListSize(list.data()), 6u + 4u + 2u);
  EXPECT_TRUE(ParentIdList(list.data()));
  EXPECT_TRUE(ParentIdList(list.data()));
  EXPECT_TRUE(IsEmptyIdList(list.data()));
  EXPECT_FALSE(ParentIdList(list.data()));
  EXPECT_EQ(IdListSize(list.data()), 2u);
  EXPECT_FALSE(ParentIdList(nullptr));
  EXPECT_FALSE(IsEmptyIdList(nullptr));  // no list is not the desktop
}

TEST(ItemIdList, SplitOffLast) {
  CountingAllocator allocator;
  EXPECT_EQ(SplitOffLastId(allocator, nullptr), nullptr);

  auto list = MakeList({1, 3}, 20);
  OwnedIdList last(allocator, SplitOffLastId(allocator, list.data()));
  EXPECT_EQ(Bytes(last), MakeList({3}, 21));
  EXPECT_EQ(IdListSize(list.data()), 3u + 2u);

  // A one-item list leaves the empty list behind; splitting that gives an empty copy.
  OwnedIdList only(allocator, SplitOffLastId(allocator, list.data()));
  EXPECT_EQ(Bytes(only), MakeList({1}, 20));
  EXPECT_TRUE(IsEmptyIdList(list.data()));
  OwnedIdList empty(allocator, SplitOffLastId(allocator, list.data()));
  EXPECT_EQ(Bytes(empty), MakeList({}));

  // A failed allocation leaves the list whole.
  auto whole = MakeList({2, 2});
  allocator.failNext = true;
  EXPECT_EQ(SplitOffLastId(allocator, whole.data()), nullptr);
  EXPECT_EQ(IdListSize(whole.data()), 10u);
}

// count, parent offset, item offsets, then the lists.
std::vector<std::uint8_t> MakeArray(const std::vector<std::vector<std::uint8_t>>& lists) {
  std::vector<std::uint8_t> block;
  auto put32 = [&block](std::uint32_t v) {
    for (int i = 0; i < 4; ++i) block.push_back(static_cast<std::uint8_t>(v >> (8 * i)));
  };
  put32(static_cast<std::uint32_t>(lists.size() - 1));
  std::uint32_t offset = static_cast<std::uint32_t>(4 + 4 * lists.size());
  for (const auto& list : lists) {
    put32(offset);
    offset += static_cast<std::uint32_t>(list.size());
  }
  for (const auto& list : lists) block.insert(block.end(), list.begin(), list.end());
  return block;
}

TEST(IdListArray, ReadsParentAndItems) {
  const auto parent = MakeList({4}), first = MakeList({2}, 9), second = MakeList({1, 1}, 30);
  const auto block = MakeArray({parent, first, second});
  IdListArrayView view(block.data(), block.size());
  ASSERT_TRUE(view.Valid());
  EXPECT_EQ(view.Count(), 2u);
  EXPECT_EQ(IdListSize(view.Parent()), parent.size());
  EXPECT_EQ(IdListSize(view.Item(1)), second.size());
  EXPECT_EQ(view.Item(2), nullptr);
}

TEST(IdListArray, RejectsBlocksThatPointOrRunOutside) {
  const auto good = MakeArray({MakeList({}), MakeList({5})});
  for (std::size_t cut = 0; cut < good.size(); ++cut) {
    EXPECT_FALSE(IdListArrayView(good.data(), cut).Valid()) << "cut at " << cut;
  }
  auto badOffset = good;
  badOffset[8] = 0xF0;  // the item's offset points past the end
  EXPECT_FALSE(IdListArrayView(badOffset.data(), badOffset.size()).Valid());
  auto hugeCount = good;
  hugeCount[3] = 0x40;  // a count whose offset table cannot fit
  EXPECT_FALSE(IdListArrayView(hugeCount.data(), hugeCount.size()).Valid());
  auto zeroLengthItem = MakeArray({MakeList({}), {1, 0, 0, 0}});
  EXPECT_FALSE(IdListArrayView(zeroLengthItem.data(), zeroLengthItem.size()).Valid());
  EXPECT_FALSE(IdListArrayView(nullptr, 100).Valid());
}

}  // namespace
}  // namespace quillo
