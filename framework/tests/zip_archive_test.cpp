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

std::uint32_t Get32At(const Bytes& bytes, std::size_t at) {
  return bytes[at] | bytes[at + 1] << 8 | bytes[at + 2] << 16 | static_cast<std::uint32_t>(bytes[at + 3]) << 24;
}

void Put32At(Bytes& bytes, std::size_t at, std::uint32_t value) {
  for (int i = 0; i < 4; ++i) bytes[at + i] = static_cast<std::uint8_t>(value >> 8 * i);
}

// Offsets of the central directory records of an archive the writer made (no comments).
std::vector<std::size_t> CentralRecords(const Bytes& archive) {
  std::vector<std::size_t> records;
  std::size_t at = Get32At(archive, archive.size() - 22 + 16);
  while (Get32At(archive, at) == 0x02014B50) {
    records.push_back(at);
    at += 46 + (archive[at + 28] | archive[at + 29] << 8);
  }
  return records;
}

TEST(ZipArchive, ArchivesThatWouldInflateBeyondTheBoundAreRefused) {
  // Entries whose declared sizes add up to more than the bound, each within the entry bound: refused
  // from the directory alone, before anything is inflated.
  ZipWriter writer({0, 0x21});
  const std::uint8_t byte = 'x';
  const char* names[] = {"Quillo", "a.lcf", "b.lcf", "c.lcf", "d.lcf"};
  for (const char* name : names) writer.Add(name, &byte, 1);
  Bytes archive = writer.Finish();
  const std::vector<std::size_t> records = CentralRecords(archive);
  ASSERT_EQ(records.size(), 5u);
  for (std::size_t i = 1; i < records.size(); ++i) Put32At(archive, records[i] + 24, kMaxZipEntrySize);
  EXPECT_FALSE(ReadZipDirectory(archive.data(), archive.size())) << "4 x 16 MiB + 1 byte";
  Put32At(archive, records[4] + 24, kMaxZipEntrySize - 1);
  EXPECT_TRUE(ReadZipDirectory(archive.data(), archive.size())) << "exactly the bound";

  // Many directory records pointing at one entry's compressed bytes (a few KB of records would
  // ask for gigabytes), and a record whose header lies inside another entry's data.
  ZipWriter one({0, 0x21});
  const Bytes zeros(1000, 0);
  one.Add("Options.lcf", zeros.data(), zeros.size());
  const Bytes single = one.Finish();
  const std::size_t directory = Get32At(single, single.size() - 22 + 16);
  const Bytes record(single.begin() + static_cast<std::ptrdiff_t>(directory), single.end() - 22);
  Bytes repeated(single.begin(), single.begin() + static_cast<std::ptrdiff_t>(directory));
  for (int i = 0; i < 3; ++i) repeated.insert(repeated.end(), record.begin(), record.end());
  repeated.insert(repeated.end(), single.end() - 22, single.end());
  repeated[repeated.size() - 22 + 8] = repeated[repeated.size() - 22 + 10] = 3;
  Put32At(repeated, repeated.size() - 22 + 12, static_cast<std::uint32_t>(3 * record.size()));
  EXPECT_TRUE(ReadZipDirectory(single.data(), single.size()));
  EXPECT_FALSE(ReadZipDirectory(repeated.data(), repeated.size())) << "three records, one stream";
  EXPECT_EQ(ReadConfigArchive(repeated.data(), repeated.size(), "Options.lcf").status, ConfigArchiveStatus::kDamaged);

  // The "empty.lcf" record pointed at a copy of its local header and data placed inside the
  // data of "Sub/FAV0.lcf": every byte checks out, but two entries share them.
  Bytes nested = SampleArchive();
  const std::vector<std::size_t> sample = CentralRecords(nested);
  const auto entries = ReadZipDirectory(nested.data(), nested.size());
  const std::size_t header = Get32At(nested, sample[3] + 42);
  const std::size_t headerEnd = (*entries)[3].dataOffset + (*entries)[3].compressedSize;
  const std::size_t inside = (*entries)[2].dataOffset + 100;
  ASSERT_LT(inside + headerEnd - header, (*entries)[2].dataOffset + (*entries)[2].compressedSize);
  std::copy(nested.begin() + static_cast<std::ptrdiff_t>(header), nested.begin() + static_cast<std::ptrdiff_t>(headerEnd),
            nested.begin() + static_cast<std::ptrdiff_t>(inside));
  Put32At(nested, sample[3] + 42, static_cast<std::uint32_t>(inside));
  EXPECT_FALSE(ReadZipDirectory(nested.data(), nested.size()));
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
