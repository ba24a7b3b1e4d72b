// Writing forged files: whole byte buffers, bzip2 copies, and the bytes and
// tags of the formats the forge writes itself (their little-endian numbers go
// through base/byte_io).
#pragma once
#include <cstdint>
#include <string>
#include <vector>

using byte_buffer = std::vector<uint8_t>;

// Creates the parent folders and writes the bytes; false when it cannot.
bool write_file_bytes(const std::string& path, const byte_buffer& bytes);
bool read_file_bytes(const std::string& path, byte_buffer& bytes);
// Creates missing folders on the way to `path`'s parent.
bool make_parent_dirs(const std::string& path);

// bzip2 (block size 9) of `bytes`; deterministic for the same input.
bool bzip2_compress(const byte_buffer& bytes, byte_buffer& out);

void put_u8(byte_buffer& out, unsigned value);
void put_bytes(byte_buffer& out, const char* text);  // without the terminator
