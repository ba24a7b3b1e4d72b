// Assets read by path may ship as the plain file or as a bzip2 copy at
// "<path>.bz2". The plain file always wins.
//
// Two ways to consume the compressed copy:
//  - streaming, for readers that go strictly front to back (TGA);
//  - through the one scratch file "data/tmp", for readers that seek or need the
//    length (MD2, lightmaps). The scratch file is emptied after each use and at
//    shutdown, so no decompressed asset outlives a load.
#pragma once
#include <bzlib.h>

#include <cstddef>
#include <cstdio>

constexpr const char* scratch_file_path = "data/tmp";
// The largest asset is a 2048 x 2048 RGB lightmap (12 MiB). A compressed copy
// that inflates past this is refused rather than allowed to fill the disk.
constexpr long scratch_copy_limit = 64l << 20;

// A plain file or a bzip2 stream, whichever opened.
struct asset_stream {
  FILE* plain = nullptr;
  BZFILE* packed = nullptr;
  bool packed_ended = false;  // the stream reported its end or an error
};

// Opens the plain file, or else its ".bz2" copy. False when neither opens.
bool asset_open(const char* path, asset_stream& stream);
// Reads up to n bytes; returns how many arrived (fewer at end or on error).
size_t asset_read(asset_stream& stream, void* buffer, size_t n);
void asset_close(asset_stream& stream);

// Opens the asset for random access: the plain file, or else the ".bz2" copy
// decompressed into the scratch file and opened "rb". `used_scratch` says which;
// when set, the caller calls scratch_empty() after closing the file.
// A truncated copy leaves everything before the cut in the scratch file, and
// the reader judges it by its own checks.
// Returns nullptr when the asset is missing, the scratch file cannot be made,
// the copy is corrupt, or it inflates past scratch_copy_limit.
FILE* asset_open_seekable(const char* path, bool& used_scratch);

// Truncates "data/tmp" to zero length (only when it exists: a load that never
// used it must not create it).
void scratch_empty();
