#include "model_forge.h"

#include <algorithm>
#include <filesystem>
#include <map>
#include <memory>

#include "checks/definitions_check.h"
#include "checks/definitions_text.h"
#include "common/file_output.h"
#include "menus/model_menu.h"
#include "models/model_build.h"
#include "models/model_raster.h"
#include "pictures/picture_recipe.h"

namespace fs = std::filesystem;

namespace {

constexpr int preview_side = 128;

// One forged model, kept for the definition checks and the previews.
struct forged_model {
  std::string source;     // recipe path
  std::string data_path;  // data/models/....md2
  std::string skin;       // texture data path
  const forge_image* skin_image = nullptr;
  model_mesh mesh;
  std::vector<posed_frame> frames;
  std::vector<model_preview> previews;
  mesh_facts facts;
};

std::vector<std::string> files_below(const fs::path& dir, const char* extension) {
  std::vector<std::string> found;
  std::error_code error;
  if (!fs::is_directory(dir, error)) return found;
  for (fs::recursive_directory_iterator it(dir, error), end; !error && it != end; it.increment(error))
    if (it->is_regular_file() && it->path().extension() == extension)
      found.push_back(fs::relative(it->path(), dir).generic_string());
  std::sort(found.begin(), found.end());
  return found;
}

std::set<std::string> list_words(const std::string& path) {
  std::set<std::string> words;
  byte_buffer bytes;
  if (!read_file_bytes(path, bytes)) return words;
  diagnostics ignored;
  definition_text text(path, std::string(bytes.begin(), bytes.end()), ignored);
  std::string word;
  recipe_position at;
  while (text.word(word, at)) words.insert(word);
  return words;
}

class model_run {
 public:
  model_run(const forge_options& options, diagnostics& sink, forge_result& result)
      : options_(options), sink_(sink), result_(result), fonts_(options.font_dir) {}

  void models();
  void definitions();
  void previews();

 private:
  // The painted picture of a recipe, painted once; null when it has errors.
  const forge_image* painted(const std::string& recipe_path);
  // The painted skin a texture data path comes from; null, and reported
  // against `source`, when there is no such picture recipe.
  const forge_image* picture_of(const std::string& data_path, const std::string& source, recipe_position at);
  bool forge_rig(recipe& source, forged_model& out);
  bool forge_menu(recipe& source, forged_model& out);
  void write(const std::string& data_path, const byte_buffer& bytes, const std::string& source);
  raster_model raster_of(const forged_model& m, const std::string& frame, float turn);

  const forge_options& options_;
  diagnostics& sink_;
  forge_result& result_;
  font_library fonts_;
  std::map<std::string, std::unique_ptr<forge_image>> pictures_;  // by recipe path
  std::vector<forged_model> forged_;
  definition_catalogue catalogue_;
};

const forge_image* model_run::painted(const std::string& recipe_path) {
  auto cached = pictures_.find(recipe_path);
  if (cached != pictures_.end()) return cached->second.get();
  // The picture step reports the picture's own mistakes.
  diagnostics quiet;
  recipe source(recipe_path, quiet);
  picture p;
  if (!source.load() || !paint_picture(source, fonts_, p)) return nullptr;
  return pictures_.emplace(recipe_path, std::make_unique<forge_image>(std::move(p.image))).first->second.get();
}

const forge_image* model_run::picture_of(const std::string& data_path, const std::string& source, recipe_position at) {
  std::string recipe_path = demo_source_of(options_.demo_dir, data_path);
  if (!recipe_path.empty()) recipe_path = fs::path(recipe_path).replace_extension(".txt").generic_string();
  std::error_code error;
  if (recipe_path.empty() || !fs::is_regular_file(recipe_path, error)) {
    sink_.report(source, at, "'" + data_path + "' is not a picture the forge makes (demo/textures/**.txt)");
    return nullptr;
  }
  return painted(recipe_path);
}

bool model_run::forge_rig(recipe& source, forged_model& out) {
  model_rig rig;
  if (!read_model_recipe(source, rig)) return false;
  const forge_image* skin = picture_of(rig.skin, source.path(), source.entries()[0].keyword.at);
  if (!skin) return false;
  bool regions_fit = true;
  for (size_t i = 0; i < rig.materials.size(); ++i) {
    const skin_region& r = rig.materials[i];
    if (r.x + r.w > float(skin->width) || r.y + r.h > float(skin->height)) {
      source.error(r.at, "region reaches outside the " + std::to_string(skin->width) + " x " +
                             std::to_string(skin->height) + " skin");
      regions_fit = false;
    }
  }
  if (!regions_fit) return false;
  out.skin = rig.skin;
  out.skin_image = skin;
  out.mesh = build_rest_mesh(rig, skin->width, skin->height);
  std::string problem;
  if (!mesh_fits_md2(out.mesh, problem)) {
    sink_.report(source.path(), problem);
    return false;
  }
  out.frames = pose_all_frames(rig, out.mesh);
  out.previews = rig.previews;
  int first = 0;
  for (const model_animation& a : rig.animations) {
    out.facts.animations.push_back({a.name, first, first + a.frames - 1});
    first += a.frames;
  }
  if (rig.animations.empty()) out.facts.animations.push_back({"rest", 0, 0});
  return true;
}

bool model_run::forge_menu(recipe& source, forged_model& out) {
  menu_highlight menu;
  if (!read_menu_highlight(source, menu)) return false;
  out.skin_image = picture_of(menu.skin, source.path(), source.entries()[0].keyword.at);
  if (!out.skin_image) return false;
  out.skin = menu.skin;
  out.mesh = std::move(menu.mesh);
  out.frames = std::move(menu.frames);
  out.facts.animations.push_back({"item", 0, int(out.frames.size()) - 1});
  out.facts.backdrop = menu.backdrop;
  out.previews.push_back({out.frames.size() > 1 ? out.frames[1].name : out.frames[0].name, 0, ""});
  return true;
}

void model_run::write(const std::string& data_path, const byte_buffer& bytes, const std::string& source) {
  if (options_.data_dir.empty()) return;
  std::string path = (fs::path(options_.data_dir) / fs::path(data_path).lexically_relative("data")).string();
  if (!write_file_bytes(path, bytes)) {
    sink_.report(source, "cannot write " + path);
    return;
  }
  result_.outputs.push_back(data_path);
}

void model_run::models() {
  fs::path dir = fs::path(options_.demo_dir) / "models";
  for (const std::string& relative : files_below(dir, ".txt")) {
    recipe source((dir / relative).generic_string(), sink_);
    if (!source.load()) continue;
    forged_model m;
    m.source = source.path();
    m.data_path = "data/models/" + fs::path(relative).replace_extension(".md2").generic_string();
    if (source.entries().empty()) {
      sink_.report(source.path(), "is empty");
      continue;
    }
    if (!(is_menu_highlight_recipe(source) ? forge_menu(source, m) : forge_rig(source, m))) continue;
    const forge_image* skin = m.skin_image;
    md2_writer_model md2;
    std::string problem;
    byte_buffer bytes;
    if (!encode_frames(m.mesh, m.frames, m.skin, skin->width, skin->height, md2, problem)) {
      sink_.report(source.path(), problem);
      continue;
    }
    if (!md2_encode(md2, bytes)) {
      sink_.report(source.path(), "breaks the MD2 writer's limits");
      continue;
    }
    write(m.data_path, bytes, source.path());
    m.facts.frames = int(m.frames.size());
    catalogue_.meshes[m.data_path] = m.facts;
    forged_.push_back(std::move(m));
  }
}

void model_run::definitions() {
  fs::path dir = fs::path(options_.demo_dir) / "models";
  for (const std::string& relative : files_below(dir, ".def")) {
    std::string source = (dir / relative).generic_string(), data_path = "data/models/" + relative;
    byte_buffer bytes;
    if (!read_file_bytes(source, bytes)) {
      sink_.report(source, "cannot be read");
      continue;
    }
    catalogue_.definitions.insert(data_path);
    write(data_path, bytes, source);
  }
  catalogue_.textures = list_words((fs::path(options_.demo_dir) / "tex.list").string());
  catalogue_.sounds = list_words((fs::path(options_.demo_dir) / "sound.list").string());
  check_definitions(options_.demo_dir, catalogue_, sink_);
}

raster_model model_run::raster_of(const forged_model& m, const std::string& frame, float turn) {
  size_t index = 0;
  for (size_t i = 0; i < m.frames.size(); ++i)
    if (m.frames[i].name == frame) index = i;
  raster_model r;
  r.mesh = &m.mesh;
  r.skin = m.skin_image;
  mat34 spin = rotation_xyz({0, turn, 0});
  for (const vec3& p : m.frames[index].positions) r.positions.push_back(transform_point(spin, p));
  return r;
}

void model_run::previews() {
  for (const forged_model& m : forged_) {
    std::vector<model_preview> wanted = m.previews;
    if (wanted.empty()) wanted.push_back({});
    std::string name = "data/" + fs::path(m.data_path).lexically_relative("data/models").replace_extension().generic_string();
    for (const model_preview& p : wanted) {
      std::string frame = p.frame.empty() ? m.frames[0].name : p.frame;
      forge_image image;
      if (!m.facts.backdrop.empty()) {
        // A menu model is seen through the menu camera, over its backdrop.
        const forge_image* backdrop = painted(m.facts.backdrop);
        if (!backdrop) continue;
        image = render_menu_view(raster_of(m, frame, 0), *backdrop, preview_side);
      } else {
        std::vector<raster_model> scene{raster_of(m, frame, p.turn)};
        for (const forged_model& other : forged_)
          if (!p.with.empty() && other.data_path == p.with) scene.push_back(raster_of(other, "", p.turn));
        if (!p.with.empty() && scene.size() == 1) {
          sink_.report(m.source, "preview with=" + p.with + " names no forged model");
          continue;
        }
        image = render_game_view(scene, preview_side);
      }
      result_.previews.push_back({name + " " + frame, std::move(image), false});
    }
  }
}

}  // namespace

bool forge_models(const forge_options& options, diagnostics& sink, forge_result& result) {
  int errors_before = sink.count();
  model_run run(options, sink, result);
  run.models();
  run.definitions();
  if (options.keep_previews) run.previews();
  return sink.count() == errors_before;
}
