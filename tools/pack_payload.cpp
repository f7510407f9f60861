// pack_payload <setup.exe> <output.exe> <file>...
// Writes a copy of the Setup program with the payload appended: each file under its base name,
// in the order given.
#include <cstdio>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

#include "setup_payload.h"

namespace {

bool ReadWhole(const std::string& path, std::vector<std::uint8_t>& bytes) {
  std::ifstream in(path, std::ios::binary);
  if (!in) return false;
  bytes.assign(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
  return !in.bad();
}

std::string BaseName(const std::string& path) {
  const std::size_t slash = path.find_last_of("/\\");
  return slash == std::string::npos ? path : path.substr(slash + 1);
}

}  // namespace

int main(int argc, char** argv) {
  if (argc < 4) {
    std::fprintf(stderr, "usage: %s <setup.exe> <output.exe> <file>...\n", argv[0]);
    return 2;
  }
  std::vector<std::uint8_t> image;
  if (!ReadWhole(argv[1], image)) {
    std::fprintf(stderr, "pack_payload: cannot read %s\n", argv[1]);
    return 1;
  }
  std::vector<quillo::setup::PayloadFile> files;
  for (int i = 3; i < argc; ++i) {
    quillo::setup::PayloadFile file{BaseName(argv[i]), {}};
    if (!ReadWhole(argv[i], file.bytes)) {
      std::fprintf(stderr, "pack_payload: cannot read %s\n", argv[i]);
      return 1;
    }
    files.push_back(std::move(file));
  }
  if (!quillo::setup::AppendPayload(image, files)) {
    std::fprintf(stderr, "pack_payload: a file name or size cannot be stored\n");
    return 1;
  }
  std::ofstream out(argv[2], std::ios::binary | std::ios::trunc);
  out.write(reinterpret_cast<const char*>(image.data()), static_cast<std::streamsize>(image.size()));
  if (!out.flush()) {
    std::fprintf(stderr, "pack_payload: cannot write %s\n", argv[2]);
    return 1;
  }
  return 0;
}
