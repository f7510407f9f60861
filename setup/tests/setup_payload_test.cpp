#include "setup_payload.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace quillo::setup {
namespace {

using Bytes = std::vector<std::uint8_t>;

Bytes BytesOf(const std::string& s) { return Bytes(s.begin(), s.end()); }

std::string EntryText(const Bytes& file, const char* name) {
  auto start = FindPayloadStart(file.data(), file.size());
  if (!start) return "<no payload>";
  auto entry = FindPayloadEntry(file.data(), file.size(), *start, name);
  if (!entry) return "<not found>";
  return std::string(file.begin() + entry->dataOffset, file.begin() + entry->end());
}

// An "executable" that holds the header text in its own data, as Setup.exe's code may.
Bytes ImageWithHeaderInside() {
  Bytes image = BytesOf("MZ....code....");
  const std::string header = PayloadHeaderText();
  image.insert(image.end(), header.begin(), header.end());
  const std::string more = "....more code, then a fake entry name";
  image.insert(image.end(), more.begin(), more.end());
  return image;
}

Bytes Packed(const Bytes& image, const std::vector<PayloadFile>& files) {
  Bytes out = image;
  EXPECT_TRUE(AppendPayload(out, files));
  return out;
}

const std::vector<PayloadFile> kShipped = {
    {"Uninstall.lis", BytesOf("uninstall script")},
    {"Quillo.chm", BytesOf("")},
    {"Setup.lis", BytesOf("setup script")},
    {"Quillo.exe", Bytes(1000, 0x5A)},
};

TEST(SetupPayload, PackerAndReaderAgree) {
  const Bytes file = Packed(ImageWithHeaderInside(), kShipped);
  EXPECT_EQ(EntryText(file, "Uninstall.lis"), "uninstall script");
  EXPECT_EQ(EntryText(file, "setup.LIS"), "setup script");  // case ignored
  EXPECT_EQ(EntryText(file, "Quillo.chm"), "");              // empty entry exists
  EXPECT_EQ(EntryText(file, "Quillo.exe"), std::string(1000, 'Z'));
  EXPECT_EQ(EntryText(file, "Quillo64.dll"), "<not found>");
  EXPECT_EQ(EntryText(file, "Setup.li"), "<not found>");  // no prefix matches
  const std::string trailer = PayloadTrailerText();
  EXPECT_EQ(std::string(file.end() - trailer.size(), file.end()), trailer);
}

TEST(SetupPayload, HeaderInsideExecutableIsNotAPayload) {
  const Bytes image = ImageWithHeaderInside();
  // The search finds the copy inside the image, but nothing there parses as an entry...
  EXPECT_EQ(EntryText(image, "Setup.lis"), "<not found>");
  // ...and with a payload appended the appended header is the one found.
  const Bytes file = Packed(image, kShipped);
  auto start = FindPayloadStart(file.data(), file.size());
  ASSERT_TRUE(start);
  EXPECT_GT(*start, image.size());
}

TEST(SetupPayload, UninstallerPayloadWithoutTrailer) {
  // The uninstaller: image, header and the first entry only, ending with the file.
  const Bytes full = Packed(BytesOf("MZ"), kShipped);
  auto start = FindPayloadStart(full.data(), full.size());
  auto first = FindPayloadEntry(full.data(), full.size(), *start, "Uninstall.lis");
  ASSERT_TRUE(first);
  const Bytes uninstaller(full.begin(), full.begin() + first->end());
  EXPECT_EQ(EntryText(uninstaller, "Uninstall.lis"), "uninstall script");
  EXPECT_EQ(EntryText(uninstaller, "Setup.lis"), "<not found>");
}

TEST(SetupPayload, TruncatedAndCorruptPayloadsAreSurvived) {
  const Bytes file = Packed(BytesOf("MZ"), kShipped);
  // Every truncation: never a read outside, and an entry is found only if wholly present.
  for (std::size_t cut = 0; cut <= file.size(); ++cut) {
    const Bytes part(file.begin(), file.begin() + cut);
    const std::string text = EntryText(part, "Quillo.exe");
    EXPECT_TRUE(text == "<no payload>" || text == "<not found>" || text == std::string(1000, 'Z'))
        << cut;
  }
  // A size running past the end of the file means "not found".
  Bytes bad = Packed(BytesOf("MZ"), {{"A.txt", BytesOf("abc")}, {"B.txt", BytesOf("x")}});
  const std::size_t sizeAt = 2 + kPayloadHeaderSize + 6;  // after "A.txt\0"
  bad[sizeAt + 3] = 0x7F;
  EXPECT_EQ(EntryText(bad, "A.txt"), "<not found>");
  EXPECT_EQ(EntryText(bad, "B.txt"), "<not found>");
  // A name without terminator before the end of the file.
  Bytes noNul = BytesOf("MZ");
  const std::string header = PayloadHeaderText();
  noNul.insert(noNul.end(), header.begin(), header.end());
  noNul.insert(noNul.end(), {'A', 'B', 'C'});
  EXPECT_EQ(EntryText(noNul, "ABC"), "<not found>");
}

TEST(SetupPayload, RandomCorruptionNeverReadsOutside) {
  const Bytes file = Packed(BytesOf("MZ"), kShipped);
  std::uint32_t seed = 12345;
  auto next = [&seed] { return seed = seed * 1103515245u + 12345u; };
  for (int round = 0; round < 2000; ++round) {
    Bytes damaged = file;
    for (int flips = 1 + next() % 4; flips > 0; --flips) {
      damaged[next() % damaged.size()] = static_cast<std::uint8_t>(next() >> 16);
    }
    // A fresh copy has exactly its size as capacity: under AddressSanitizer any read past the end
    // aborts the test.
    const Bytes exact(damaged.begin(), damaged.end() - next() % 64);
    for (const char* name : {"Uninstall.lis", "Quillo.exe", "missing"}) EntryText(exact, name);
  }
}

TEST(SetupPayload, PackerRefusesNamesThatCannotBeStored) {
  Bytes image = BytesOf("MZ");
  EXPECT_FALSE(AppendPayload(image, {{"dir\\file.txt", {}}}));
  EXPECT_FALSE(AppendPayload(image, {{"", {}}}));
  EXPECT_FALSE(AppendPayload(image, {{std::string("a\0b", 3), {}}}));
  EXPECT_EQ(image, BytesOf("MZ"));
}

}  // namespace
}  // namespace quillo::setup
