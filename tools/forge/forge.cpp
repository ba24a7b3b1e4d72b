#include "forge.h"

#include <algorithm>
#include <cstdio>
#include <filesystem>
#include <set>

#include "checks/content_lists.h"
#include "common/bmp_writer.h"
#include "common/file_output.h"
#include "common/jpeg_writer.h"
#include "common/text_render.h"
#include "common/wav_writer.h"
#include "formats/tga.h"
#include "level_forge.h"
#include "model_forge.h"
#include "pictures/picture_recipe.h"
#include "pictures/setup_pictures.h"
#include "sounds/sound_recipe.h"

namespace fs = std::filesystem;

namespace {

constexpr int preview_side = 128;

// Recipe files below `dir` with the extension .txt, in a fixed (sorted) order.
std::vector<std::string> recipes_below(const fs::path& dir) {
  std::vector<std::string> found;
  std::error_code error;
  if (!fs::is_directory(dir, error)) return found;
  for (fs::recursive_directory_iterator it(dir, error), end; !error && it != end; it.increment(error))
    if (it->is_regular_file() && it->path().extension() == ".txt")
      found.push_back(fs::relative(it->path(), dir).generic_string());
  std::sort(found.begin(), found.end());
  return found;
}

std::string without_extension(const std::string& path) { return path.substr(0, path.size() - 4); }

class forge_run {
 public:
  forge_run(const forge_options& options, diagnostics& sink, forge_result& result)
      : options_(options), sink_(sink), result_(result), fonts_(options.font_dir) {}

  void pictures();
  void sounds();
  void setup();
  void definition_files();

 private:
  void keep_preview(const std::string& name, const forge_image& image, bool alpha);
  bool write(const std::string& data_path, const byte_buffer& bytes, const std::string& source);
  void write_tga(const std::string& data_path, const picture& p, const std::string& source);
  std::string out_path(const std::string& data_path) const {
    return (fs::path(options_.data_dir) / fs::path(data_path).lexically_relative("data")).string();
  }

  const forge_options& options_;
  diagnostics& sink_;
  forge_result& result_;
  font_library fonts_;
  std::set<std::string> textures_, sounds_;
};

void forge_run::keep_preview(const std::string& name, const forge_image& image, bool alpha) {
  if (!options_.keep_previews) return;
  int w = preview_side, h = preview_side;
  if (image.width > image.height) h = std::max(1, preview_side * image.height / image.width);
  if (image.height > image.width) w = std::max(1, preview_side * image.width / image.height);
  result_.previews.push_back({name, image.scaled_to(w, h), alpha});
}

bool forge_run::write(const std::string& data_path, const byte_buffer& bytes, const std::string& source) {
  if (options_.data_dir.empty()) return true;
  std::string path = out_path(data_path);
  if (!write_file_bytes(path, bytes)) {
    sink_.report(source, "cannot write " + path);
    return false;
  }
  result_.outputs.push_back(data_path);
  return true;
}

// TGA through the engine's own writer; a bz2-only texture is written plain,
// compressed, and the plain file removed again.
void forge_run::write_tga(const std::string& data_path, const picture& p, const std::string& source) {
  if (options_.data_dir.empty()) return;
  std::string path = out_path(data_path);
  int bits = p.alpha ? 32 : 24;
  byte_buffer pixels = p.image.to_bytes(bits / 8, true);
  if (!make_parent_dirs(path) || !SaveTGA(pixels.data(), unsigned(p.image.width), unsigned(p.image.height),
                                           unsigned(bits), path.c_str())) {
    sink_.report(source, "cannot write " + path);
    return;
  }
  if (p.store == picture_store::plain) {
    result_.outputs.push_back(data_path);
    return;
  }
  byte_buffer plain, packed;
  bool ok = read_file_bytes(path, plain) && bzip2_compress(plain, packed);
  std::remove(path.c_str());
  if (!ok) {
    sink_.report(source, "cannot compress " + path);
    return;
  }
  write(data_path + ".bz2", packed, source);
}

void forge_run::pictures() {
  fs::path dir = fs::path(options_.demo_dir) / "textures";
  for (const std::string& relative : recipes_below(dir)) {
    recipe source((dir / relative).string(), sink_);
    if (!source.load()) continue;
    picture p;
    if (!paint_picture(source, fonts_, p)) continue;
    std::string data_path = "data/textures/" + without_extension(relative) + picture_extension(p.kind);
    textures_.insert(data_path);
    keep_preview(data_path, p.image, p.alpha);
    if (p.kind == picture_kind::texture) {
      write_tga(data_path, p, source.path());
      continue;
    }
    byte_buffer jpeg;
    if (!encode_jpeg(p.image, p.quality, jpeg))
      sink_.report(source.path(), "JPEG encoding failed");
    else
      write(data_path, jpeg, source.path());
  }
}

void forge_run::sounds() {
  fs::path dir = fs::path(options_.demo_dir) / "sounds";
  for (const std::string& relative : recipes_below(dir)) {
    recipe source((dir / relative).string(), sink_);
    if (!source.load()) continue;
    synthesized_sound sound;
    if (!synthesize_sound(source, sound)) continue;
    std::string data_path = "data/sound/" + without_extension(relative) + ".wav";
    sounds_.insert(data_path);
    write(data_path, encode_wav(sound.samples, sound.rate), source.path());
  }
}

void forge_run::setup() {
  fs::path path = fs::path(options_.demo_dir) / "setup" / "setup.txt";
  recipe source(path.string(), sink_);
  if (!source.load()) return;
  setup_pictures pictures;
  if (!paint_setup_pictures(source, fonts_, pictures)) return;
  keep_preview("data/setup_base.bmp", pictures.base, false);
  keep_preview("data/setup_select.bmp", pictures.select, false);
  write("data/setup_base.bmp", encode_bmp(pictures.base), source.path());
  write("data/setup_select.bmp", encode_bmp(pictures.select), source.path());
}

// Every plain file at the top of demo/ is a definition file the engine reads
// from data/ under the same name.
void forge_run::definition_files() {
  std::vector<std::string> names;
  std::error_code error;
  for (fs::directory_iterator it(options_.demo_dir, error), end; !error && it != end; it.increment(error))
    if (it->is_regular_file()) names.push_back(it->path().filename().string());
  std::sort(names.begin(), names.end());
  for (const std::string& name : names) {
    std::string source = (fs::path(options_.demo_dir) / name).string();
    byte_buffer bytes;
    if (!read_file_bytes(source, bytes)) {
      sink_.report(source, "cannot be read");
      continue;
    }
    std::string text(bytes.begin(), bytes.end());
    if (name == "tex.list") check_content_list(source, text, texture_list_rules, textures_, sink_);
    if (name == "sound.list") check_content_list(source, text, sound_list_rules, sounds_, sink_);
    write("data/" + name, bytes, source);
  }
  for (const char* required : {"tex.list", "sound.list"})
    if (std::find(names.begin(), names.end(), required) == names.end())
      sink_.report((fs::path(options_.demo_dir) / required).string(), "is missing");
}

}  // namespace

bool run_forge(const forge_options& options, diagnostics& sink, forge_result& result) {
  int errors_before = sink.count();
  forge_run run(options, sink, result);
  run.pictures();
  run.sounds();
  run.setup();
  run.definition_files();
  forge_models(options, sink, result);
  forge_levels({options.demo_dir, options.data_dir, options.level_preview_dir, options.font_dir, {}}, sink, result.outputs);
  std::sort(result.outputs.begin(), result.outputs.end());
  return sink.count() == errors_before;
}
