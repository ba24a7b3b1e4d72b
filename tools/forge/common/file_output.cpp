#include "common/file_output.h"

#include <bzlib.h>

#include <cstdio>
#include <filesystem>
#include <system_error>

bool make_parent_dirs(const std::string& path) {
  std::filesystem::path parent = std::filesystem::path(path).parent_path();
  if (parent.empty()) return true;
  std::error_code error;
  std::filesystem::create_directories(parent, error);
  return !error;
}

bool write_file_bytes(const std::string& path, const byte_buffer& bytes) {
  if (!make_parent_dirs(path)) return false;
  FILE* file = std::fopen(path.c_str(), "wb");
  if (!file) return false;
  bool ok = bytes.empty() || std::fwrite(bytes.data(), 1, bytes.size(), file) == bytes.size();
  return std::fclose(file) == 0 && ok;
}

bool read_file_bytes(const std::string& path, byte_buffer& bytes) {
  FILE* file = std::fopen(path.c_str(), "rb");
  if (!file) return false;
  bytes.clear();
  uint8_t chunk[65536];
  size_t got;
  while ((got = std::fread(chunk, 1, sizeof chunk, file)) > 0) bytes.insert(bytes.end(), chunk, chunk + got);
  bool ok = !std::ferror(file);
  std::fclose(file);
  return ok;
}

bool bzip2_compress(const byte_buffer& bytes, byte_buffer& out) {
  // bzip2's documented worst case: 1% larger plus 600 bytes.
  unsigned int length = unsigned(bytes.size() + bytes.size() / 100 + 601);
  out.resize(length);
  int result = BZ2_bzBuffToBuffCompress(reinterpret_cast<char*>(out.data()), &length,
                                        const_cast<char*>(reinterpret_cast<const char*>(bytes.data())),
                                        unsigned(bytes.size()), 9, 0, 0);
  if (result != BZ_OK) return false;
  out.resize(length);
  return true;
}

void put_u8(byte_buffer& out, unsigned value) { out.push_back(uint8_t(value)); }

void put_bytes(byte_buffer& out, const char* text) {
  while (*text) out.push_back(uint8_t(*text++));
}
