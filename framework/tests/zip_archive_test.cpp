// ZIP archives and the configuration archive: what the writer produces reads back byte for byte,
// and damaged or hostile archives are refused as a whole without a read outside the bytes.
#include <gtest/gtest.h>

#include <string>

#include "core/config_archive.h"
#include "core/zip_archive.h"

namespace lwf {
namespace {

Bytes BytesOf(const std::string& text) { return Bytes(text.begin(), text.end()); }

const int kVersion[3] = {5, 3, 3};

Bytes SampleArchive() {
  ZipWriter writer({0x6000, 0x5B8A});
  const Bytes product = ProductEntryContent("", kVersion);
  const Bytes options(2516, 0x5A);
  Bytes binary;
  for (int i = 0; i < 3000; ++i) binary.push_back(static_cast<std::uint8_t>(i * 7919 >> 3));
  EXPECT_TRUE(writer.Add("Quillo", product.data(), product.size()));
  EXPECT_TRUE(writer.Add("Options.lcf", options.data(), options.size()));
  EXPECT_TRUE(writer.Add("Sub/FAV0.lcf", binary.data(), binary.size()));
  EXPECT_TRUE(writer.Add("empty.lcf", nullptr, 0));
  EXPECT_TRUE(writer.Add("old.gz", binary.data(), 100));
  return writer.Finish();
}

TEST(ZipArchive, WrittenEntriesReadBackByteForByte) {
  const Bytes archive = SampleArchive();
  const auto entries = ReadZipDirectory(archive.data(), archive.size());
  ASSERT_TRUE(entries);
  ASSERT_EQ(entries->size(), 5u);
  EXPECT_EQ((*entries)[1].method, 8) << "deflated";
  EXPECT_LT((*entries)[1].compressedSize, 100u);
  EXPECT_EQ((*entries)[4].method, 0) << "names of compressed file types are stored";
  EXPECT_EQ((*entries)[4].compressedSize, 100u);
  EXPECT_EQ(*ExtractZipEntry(archive.data(), archive.size(), (*entries)[1]), Bytes(2516, 0x5A));
  EXPECT_EQ(ExtractZipEntry(archive.data(), archive.size(), (*entries)[3])->size(), 0u);

  const ConfigArchive config = ReadConfigArchive(archive.data(), archive.size(), "Quillo");
  ASSERT_EQ(config.status, ConfigArchiveStatus::kValid);
  EXPECT_EQ(config.keepPatterns, "");
  ASSERT_EQ(config.files.size(), 4u);
  EXPECT_EQ(config.files[1].name, "Sub/FAV0.lcf");
  EXPECT_EQ(config.files[1].bytes.size(), 3000u);
  EXPECT_EQ(ReadConfigArchive(archive.data(), archive.size(), "quillo").status, ConfigArchiveStatus::kWrongProduct)
      << "the product name is compared with its case";
}

TEST(ZipArchive, ProductEntryHoldsKeepPatternsAndVersion) {
  EXPECT_EQ(ProductEntryContent("", kVersion), BytesOf(std::string("\0" "5.3.3", 6)));
  const Bytes product = ProductEntryContent("*.key;Keep\\*.lcf", kVersion);
  ZipWriter writer({0, 0x21});
  writer.Add("Quillo", product.data(), product.size());
  const Bytes archive = writer.Finish();
  EXPECT_EQ(ReadConfigArchive(archive.data(), archive.size(), "Quillo").keepPatterns, "*.key;Keep\\*.lcf");
  EXPECT_EQ(SplitPatterns(";*.key;;Keep\\*.lcf;"), (std::vector<std::string>{"*.key", "Keep\\*.lcf"}));
  EXPECT_TRUE(SplitPatterns("").empty());
}

TEST(ZipArchive, NamesThatLeaveTheFolderAreUnsafe) {
  for (const char* name : {"Options.lcf", "Sub/FAV0.lcf", "a\\b.lcf", "..x", "x..y"}) {
    EXPECT_TRUE(SafeEntryName(name)) << name;
  }
  for (const char* name : {"", "..\\Options.lcf", "../x", "a/../../x", "/etc/x", "\\x", "C:x", "C:\\x",
                           "a//b", "dir/", ".", "a/./b", "a/.. /b", "...", "x.lcf:stream", "a\tb"}) {
    EXPECT_FALSE(SafeEntryName(name)) << name;
  }
  EXPECT_FALSE(SafeEntryName(std::string(260, 'a')));
  EXPECT_TRUE(IsStoredUncompressed("A.TGZ"));
  EXPECT_TRUE(IsStoredUncompressed("x.Z"));
  EXPECT_FALSE(IsStoredUncompressed("gz"));
}

TEST(ZipArchive, HostileOrDamagedArchivesAreRefusedWhole) {
  // A "..\" name is refused even though the archive itself is sound.
  ZipWriter writer({0, 0x21});
  const Bytes product = ProductEntryContent("", kVersion);
  writer.Add("Quillo", product.data(), product.size());
  writer.Add("Options.lcf", product.data(), product.size());
  writer.Add("..\\evil.lcf", product.data(), product.size());
  const Bytes hostile = writer.Finish();
  EXPECT_TRUE(ReadZipDirectory(hostile.data(), hostile.size()));
  EXPECT_EQ(ReadConfigArchive(hostile.data(), hostile.size(), "Quillo").status, ConfigArchiveStatus::kDamaged);

  const Bytes archive = SampleArchive();
  // A flipped data byte fails the CRC (or the inflate) of its entry.
  Bytes badCrc = archive;
  const auto entries = ReadZipDirectory(archive.data(), archive.size());
  badCrc[(*entries)[4].dataOffset + 10] ^= 0x01;
  EXPECT_FALSE(ExtractZipEntry(badCrc.data(), badCrc.size(), (*entries)[4]));
  EXPECT_EQ(ReadConfigArchive(badCrc.data(), badCrc.size(), "Quillo").status, ConfigArchiveStatus::kDamaged);

  // Every truncation is refused.
  for (std::size_t cut = 0; cut < archive.size(); ++cut) {
    const Bytes part(archive.begin(), archive.begin() + static_cast<std::ptrdiff_t>(cut));
    EXPECT_EQ(ReadConfigArchive(part.data(), part.size(), "Quillo").status, ConfigArchiveStatus::kDamaged) << cut;
  }
  // A declared size smaller than the stream's output, and an entry count beyond the records.
  Bytes shortSize = archive;
  for (std::size_t at = 0; at + 4 <= shortSize.size(); ++at) {
    if (shortSize[at] == 0x50 && shortSize[at + 1] == 0x4B && shortSize[at + 2] == 1 && shortSize[at + 3] == 2) {
      shortSize[at + 24] = 0x10;  // uncompressed size of the first central record: 16 bytes
      shortSize[at + 25] = 0;
      break;
    }
  }
  EXPECT_EQ(ReadConfigArchive(shortSize.data(), shortSize.size(), "Quillo").status, ConfigArchiveStatus::kDamaged);
  Bytes moreEntries = archive;
  moreEntries[moreEntries.size() - 22 + 8] = 6;
  moreEntries[moreEntries.size() - 22 + 10] = 6;
  EXPECT_FALSE(ReadZipDirectory(moreEntries.data(), moreEntries.size()));
  EXPECT_FALSE(ReadZipDirectory(BytesOf("not an archive").data(), 14));
}

TEST(ZipArchive, RandomCorruptionNeverReadsOutside) {
  const Bytes archive = SampleArchive();
  std::uint32_t seed = 4242;
  auto next = [&seed] { return seed = seed * 1103515245u + 12345u; };
  int refused = 0;
  for (int round = 0; round < 3000; ++round) {
    Bytes damaged = archive;
    for (int flips = 1 + next() % 4; flips > 0; --flips) {
      damaged[next() % damaged.size()] = static_cast<std::uint8_t>(next() >> 16);
    }
    // A fresh copy of exactly its size: under AddressSanitizer any read past the end aborts.
    const Bytes exact(damaged.begin(), damaged.end() - static_cast<std::ptrdiff_t>(next() % 3 == 0 ? next() % 32 : 0));
    const ConfigArchive config = ReadConfigArchive(exact.data(), exact.size(), "Quillo");
    if (config.status == ConfigArchiveStatus::kDamaged) ++refused;
    for (const ConfigFile& file : config.files) EXPECT_TRUE(SafeEntryName(file.name));
  }
  EXPECT_GT(refused, 1000) << "most random damage is noticed";
}

}  // namespace
}  // namespace lwf
