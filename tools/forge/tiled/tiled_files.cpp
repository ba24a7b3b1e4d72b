#include "tiled/tiled_files.h"

#include <filesystem>

#include "common/file_output.h"
#include "common/png_writer.h"
#include "tiled/kel_tileset.h"
#include "tiled/kel_tileset_picture.h"
#include "tiled/level_file.h"
#include "tiled/tiled_export.h"
#include "tiled/tiled_xml.h"

namespace fs = std::filesystem;

namespace {

constexpr const char* picture_file = "kel.png";

// Unchanged files keep their time, so a watching Tiled or build sees nothing new.
bool write_if_changed(const std::string& path, const byte_buffer& bytes) {
  byte_buffer old;
  if (read_file_bytes(path, old) && old == bytes) return true;
  return write_file_bytes(path, bytes);
}

bool make_tileset(const std::string& dir, kel_tileset& out) {
  tiled_tileset previous;
  std::string path = (fs::path(dir) / kel_tileset_file).string();
  std::error_code error;
  if (fs::exists(path, error)) {
    // A damaged earlier tileset is simply made again in content order.
    diagnostics ignored;
    recipe owner((fs::path(dir) / "any.tmx").string(), ignored);
    if (!read_tsx_file(owner, kel_tileset_file, {1, 1}, previous)) previous = tiled_tileset{};
  }
  out = make_kel_tileset(previous);
  return true;
}

}  // namespace

bool write_kel_tileset(const std::string& dir, const std::string& data_dir, const std::string& font_dir,
                       diagnostics& sink) {
  kel_tileset tileset;
  make_tileset(dir, tileset);
  std::string text = kel_tileset_tsx(tileset, picture_file);
  font_library fonts(font_dir);
  byte_buffer png;
  std::string tsx_path = (fs::path(dir) / kel_tileset_file).string();
  std::string png_path = (fs::path(dir) / picture_file).string();
  if (!write_if_changed(tsx_path, byte_buffer(text.begin(), text.end()))) {
    sink.report(tsx_path, "cannot be written");
    return false;
  }
  if (!encode_png(draw_kel_tileset(tileset, data_dir, fonts), png) || !write_if_changed(png_path, png)) {
    sink.report(png_path, "cannot be written");
    return false;
  }
  return true;
}

bool export_level_to_tiled(const std::string& level_path, const std::string& out_dir, const std::string& data_dir,
                           const std::string& font_dir, diagnostics& sink) {
  byte_buffer bytes;
  if (!read_file_bytes(level_path, bytes)) {
    sink.report(level_path, "cannot be read");
    return false;
  }
  recipe source(level_path, sink);
  level_source level;
  if (!read_level_file(source, std::string(bytes.begin(), bytes.end()), level)) return false;
  if (!write_kel_tileset(out_dir, data_dir, font_dir, sink)) return false;
  kel_tileset tileset;
  make_tileset(out_dir, tileset);
  std::string tmx, error;
  if (!level_to_tmx(level, tileset, kel_tileset_file, tmx, error)) {
    sink.report(level_path, "cannot be painted with the tileset: " + error);
    return false;
  }
  std::string path = (fs::path(out_dir) / (fs::path(level_path).stem().string() + ".tmx")).string();
  if (!write_file_bytes(path, byte_buffer(tmx.begin(), tmx.end()))) {
    sink.report(path, "cannot be written");
    return false;
  }
  return true;
}
