// seed_corpus <source dir> <output dir>
// Writes the generated seed corpus of every fuzz target into <output dir>/<target>/: the shipped
// files (both setup scripts, both registration scripts), a real backup archive and a real
// payload made by the product's own writers, and records as the programs write them.
#include <cstdio>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

#include "core/app_state.h"
#include "core/config_archive.h"
#include "core/update_check_state.h"
#include "core/zip_archive.h"
#include "options_record.h"
#include "setup_info_record.h"
#include "setup_payload.h"

namespace {

namespace fs = std::filesystem;
using Bytes = std::vector<std::uint8_t>;

fs::path g_source;
fs::path g_output;

Bytes ReadFile(const fs::path& path) {
  std::ifstream in(path, std::ios::binary);
  if (!in) {
    std::fprintf(stderr, "seed_corpus: cannot read %s\n", path.c_str());
    std::exit(1);
  }
  return Bytes(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

void Write(const std::string& target, const std::string& name, const void* data, std::size_t size) {
  const fs::path folder = g_output / target;
  fs::create_directories(folder);
  std::ofstream out(folder / name, std::ios::binary | std::ios::trunc);
  out.write(static_cast<const char*>(data), static_cast<std::streamsize>(size));
  if (!out) {
    std::fprintf(stderr, "seed_corpus: cannot write %s\n", (folder / name).c_str());
    std::exit(1);
  }
}

void Write(const std::string& target, const std::string& name, const Bytes& bytes) {
  Write(target, name, bytes.data(), bytes.size());
}

void WriteText(const std::string& target, const std::string& name, const std::string& text) {
  Write(target, name, text.data(), text.size());
}

template <typename Record>
void WriteRecord(const std::string& target, const std::string& name, const Record& record) {
  Write(target, name, &record, sizeof record);
}

// An item ID list of items with the given payload sizes.
Bytes IdList(std::initializer_list<std::uint16_t> itemSizes) {
  Bytes list;
  std::uint8_t fill = 0x31;
  for (std::uint16_t size : itemSizes) {
    const std::uint16_t count = static_cast<std::uint16_t>(size + 2);
    list.push_back(static_cast<std::uint8_t>(count));
    list.push_back(static_cast<std::uint8_t>(count >> 8));
    list.insert(list.end(), size, fill++);
  }
  list.push_back(0);
  list.push_back(0);
  return list;
}

void Put32(Bytes& out, std::uint32_t value) {
  for (int i = 0; i < 4; ++i) out.push_back(static_cast<std::uint8_t>(value >> (8 * i)));
}

quillo::OptionsRecord DefaultOptions() {
  quillo::OptionsRecord options{};
  quillo::InitOptions(options, {0xF0F0F0, 0xD77800, 0x000000, 0xFFFFFF, 0x696969});
  return options;
}

void ShippedScripts() {
  for (const char* name : {"appid.rgs", "quillo_ext.rgs"}) {
    Write("registry_script", name, ReadFile(g_source / "extension" / name));
  }
  for (const auto& [name, mode] : {std::pair{"Setup.lis", 0}, std::pair{"Uninstall.lis", 1}}) {
    Bytes script{static_cast<std::uint8_t>(mode)};
    const Bytes text = ReadFile(g_source / "setup" / "scripts" / name);
    script.insert(script.end(), text.begin(), text.end());
    Write("setup_script", name, script);
  }
}

void RealPayload() {
  Bytes image{'M', 'Z'};
  image.resize(512, 0);
  std::vector<quillo::setup::PayloadFile> files;
  for (const char* name : {"Setup.lis", "Uninstall.lis"}) {
    files.push_back({name, ReadFile(g_source / "setup" / "scripts" / name)});
  }
  files.push_back({"license.txt", ReadFile(g_source / "setup" / "license.txt")});
  quillo::setup::AppendPayload(image, files);
  Write("setup_payload", "payload", image);
  // The uninstaller's copy: no trailer, the payload ends with the file.
  image.resize(image.size() - quillo::setup::kPayloadTrailerSize);
  Write("setup_payload", "uninstaller_payload", image);
}

void RealBackupArchive() {
  const int version[3] = {5, 3, 3};
  const quillo::OptionsRecord options = DefaultOptions();
  const lwf::AppState app = lwf::DefaultAppState();
  const Bytes favourite = IdList({20, 14});
  const Bytes product = lwf::ProductEntryContent("MRU*.lcf;(LWF)Win*.lcf", version);
  lwf::ZipWriter writer({0x6000, 0x5B8A});
  writer.Add("Quillo", product.data(), product.size());
  writer.Add("Options.lcf", reinterpret_cast<const std::uint8_t*>(&options), sizeof options);
  writer.Add("FAV0.lcf", favourite.data(), favourite.size());
  writer.Add("(LWF)App.lcf", reinterpret_cast<const std::uint8_t*>(&app), sizeof app);
  writer.Add("Init/old.gz", favourite.data(), favourite.size());
  const Bytes archive = writer.Finish();
  Write("config_archive", "backup.LarkwellConfig", archive);
  Write("zip_archive", "backup.LarkwellConfig", archive);
}

void ExtensionRecords() {
  const Bytes parent = IdList({20, 30}), first = IdList({24}), second = IdList({12, 6});
  Bytes block;
  Put32(block, 2);
  const std::uint32_t header = 16;
  Put32(block, header);
  Put32(block, header + static_cast<std::uint32_t>(parent.size()));
  Put32(block, header + static_cast<std::uint32_t>(parent.size() + first.size()));
  for (const Bytes* list : {&parent, &first, &second}) block.insert(block.end(), list->begin(), list->end());
  Write("id_list_array", "two_items", block);
  Bytes desktop;
  Put32(desktop, 1);
  Put32(desktop, 12);
  Put32(desktop, 14);
  desktop.insert(desktop.end(), {0, 0});
  desktop.insert(desktop.end(), first.begin(), first.end());
  Write("id_list_array", "desktop_item", desktop);

  Write("stored_id_list", "list", IdList({20, 14, 30}));
  Write("stored_id_list", "separator", Bytes{0xFF, 0xFF, 0xFF, 0xFF});

  quillo::OptionsRecord options = DefaultOptions();
  WriteRecord("options_record", "defaults", options);
  std::memcpy(options.includeExtensions, "txt\0doc\0*\0", 11);
  std::memcpy(options.excludeExtensions, "tmp\0bak\0", 9);
  std::memcpy(options.excludeObjects, "desktop.ini\0Thumbs.db\0", 23);
  options.sizeUnits = 2;
  options.itemHeightAdd = 4;
  WriteRecord("options_record", "lists", options);
  Write("options_record", "short", &options, 0x300);

  quillo::SetupInfoRecord info{};
  info.recordMarker = 1;
  info.versionMajor = 5;
  info.versionMinor = 3;
  info.installScope = 1;
  std::strcpy(info.installFolder, "C:\\Program Files\\Larkwell\\Quillo");
  std::strcpy(info.versionCheckUrl, "http://www.larkwell.example/PAD/QL_VER.TXT");
  std::strcpy(info.downloadUrl, "https://www.larkwell.example/download");
  WriteRecord("setup_info", "profile", info);
  info.customDataFolder = 1;
  info.perUserDataFolder = 1;
  std::strcpy(info.customDataPath, "D:\\Shared\\Quillo data");
  WriteRecord("setup_info", "custom_per_user", info);
}

void FrameworkInputs() {
  WriteRecord("framework_data_files", "app", lwf::DefaultAppState());
  lwf::UpdateCheckState state{};
  std::strcpy(state.versionText, "5.3.4\n");
  state.lastCheck = 1780000000;
  WriteRecord("framework_data_files", "update_check", state);

  WriteText("command_line", "switches", "-WAITFORDATAPATH -AUTOSTART \"C:\\Program Files\\x\" arg -MINIMIZE");
  WriteText("command_line", "restart", "\"C:\\Program Files\\Larkwell\\Quillo\\Quillo.exe\" -RESTARTASADMIN");

  WriteText("version_file", "plain", "5.3.4\r\n");
  WriteText("version_file", "blanks", " 5. 3. 12 beta");

  const std::string head("\x00\x11\x22\x33\x44", 5);
  const std::string separator("\0NEXT\0", 6);
  WriteText("http_get", "length", head + "HTTP/1.0 200 OK\r\nContent-Length: 6\r\n\r\n5.3.4\n");
  WriteText("http_get", "until_close", head + "HTTP/1.1 200 OK\r\nServer: x\r\n\r\n5.3.3 beta");
  WriteText("http_get", "redirect", head + "HTTP/1.0 302 Found\r\nLocation: http://mirror.example:8080/v.txt\r\n\r\n" +
                                        separator + "HTTP/1.0 200 OK\r\n\r\n5.3.4");
  WriteText("http_get", "not_found", head + "HTTP/1.0 404 Not Found\r\n\r\n");
}

void OptionsInputs() {
  WriteText("option_text", "list", "txt, doc  *.exe,,htm");
  WriteText("option_text", "number", "  -17 lines");
  WriteText("edit_list", "commands", std::string(64, '\x5A') + "Documents" + std::string(16, '\x03'));
  WriteText("string_table", "rows", std::string("\x05\x00\x10\x03\x00\x20\x01\x00\xF0\x02", 10) + std::string(32, '\x07'));
}

void SetupInputs() {
  WriteText("setup_command_line", "silent",
            "\"C:\\Temp\\Setup.exe\" -WORKDIR \"C:\\Temp\\work\" C:\\Program Files\\Quillo, Options.lcf");
  WriteText("setup_command_line", "init_files", "Setup.exe \"FAV0.lcf\" ^quoted^, last.lcf");
  Bytes patch;
  Put32(patch, 0x40);
  Put32(patch, 4);
  patch.insert(patch.end(), {1, 2, 3, 4});
  Put32(patch, 0x1000);
  Put32(patch, 0);
  Write("patch_records", "two", patch);
  WriteText("variable_expansion", "names", std::string("\x03\x08") + "#INSTALLPATH#\x10" "C:\\Program Files\\new" +
                                               "#INSTALLPATH#\\n#X#" + std::string(20, '\x41'));
  WriteText("older_version", "facts", "5.2 Please uninstall first" + std::string(8, '\x01'));
}

}  // namespace

int main(int argc, char** argv) {
  if (argc != 3) {
    std::fprintf(stderr, "usage: %s <source dir> <output dir>\n", argv[0]);
    return 2;
  }
  g_source = argv[1];
  g_output = argv[2];
  ShippedScripts();
  RealPayload();
  RealBackupArchive();
  ExtensionRecords();
  FrameworkInputs();
  OptionsInputs();
  SetupInputs();
  return 0;
}
