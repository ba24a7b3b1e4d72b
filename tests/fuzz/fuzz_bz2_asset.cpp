// Any bytes as the ".bz2" copy of an asset, read both ways: streamed, and
// copied through the scratch file. Neither may crash; what the stream
// delivers must be the start of what the copy holds; the scratch file must be
// empty once the load is over; and the MD2 reader must cope with whatever
// the copy leaves.
#include <sys/stat.h>

#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>

#include "formats/compressed_asset.h"
#include "formats/md2.h"

static std::string stream_all() {
  std::string out;
  asset_stream s;
  if (!asset_open("asset", s)) std::abort();  // the copy exists
  char chunk[4096];
  size_t got;
  while (out.size() <= static_cast<size_t>(scratch_copy_limit) && (got = asset_read(s, chunk, sizeof chunk)) > 0)
    out.append(chunk, got);
  asset_close(s);
  return out;
}

static bool scratch_is_empty() {
  struct stat st;
  return stat(scratch_file_path, &st) != 0 || st.st_size == 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  mkdir("data", 0755);
  FILE* f = std::fopen("asset.bz2", "wb");
  if (!f) return 0;
  std::fwrite(data, 1, size, f);
  std::fclose(f);

  const std::string streamed = stream_all();

  bool used_scratch = false;
  if (FILE* copy = asset_open_seekable("asset", used_scratch)) {
    std::string copied;
    char chunk[4096];
    size_t got;
    while ((got = std::fread(chunk, 1, sizeof chunk, copy)) > 0) copied.append(chunk, got);
    std::fclose(copy);
    if (!used_scratch || copied.compare(0, streamed.size(), streamed) != 0) std::abort();
    scratch_empty();
  }
  if (!scratch_is_empty()) std::abort();

  md2_freeModel(md2_readModel("asset"));
  if (!scratch_is_empty()) std::abort();
  return 0;
}
