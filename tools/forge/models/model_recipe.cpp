#include "models/model_recipe.h"

#include <cctype>
#include <cmath>
#include <filesystem>

namespace {

constexpr float coordinate_limit = 64.0f;

struct read_context {
  mat34 transform;  // placement of an included file (sizes scale with it)
  int default_parent = 0;
  int current_part = 0;
  int depth = 0;
};

bool read_vec3(recipe_args& args, const char* name, vec3& out, double lo, double hi) {
  std::vector<double> v;
  if (!args.numbers(name, v, 3, lo, hi)) return false;
  if (!v.empty()) out = {float(v[0]), float(v[1]), float(v[2])};
  return true;
}

int find_name(const std::vector<std::string>& names, const std::string& name) {
  for (size_t i = 0; i < names.size(); ++i)
    if (names[i] == name) return int(i);
  return -1;
}

int find_part(const model_rig& rig, const std::string& name) {
  for (size_t i = 0; i < rig.parts.size(); ++i)
    if (rig.parts[i].name == name) return int(i);
  return -1;
}

// Where a named argument's value (or, for "", the first bare value) starts.
recipe_position value_position(const recipe_entry& entry, const char* name) {
  for (const recipe_argument& a : entry.arguments)
    if (a.name == name) return a.value.at;
  return entry.keyword.at;
}

bool is_top_level_only(const std::string& keyword) {
  return keyword == "model" || keyword == "material" || keyword == "animation" || keyword == "key" ||
         keyword == "preview";
}

// An orthonormal frame whose y axis runs along `axis`, with its -x axis as
// close to the model's front (-x) as the axis allows, so that round solids
// put the middle of their material in front.
mat34 frame_along(vec3 from, vec3 axis) {
  vec3 y = normalized(axis);
  vec3 front = {-1, 0, 0};
  if (std::fabs(dot(front, y)) > 0.99f) front = {0, 1, 0};
  vec3 x = normalized((y * dot(front, y)) - front);  // -x points at the front
  vec3 z = cross(x, y);
  return frame_of(x, y, z, from);
}

class model_reader {
 public:
  explicit model_reader(model_rig& rig) : rig_(rig) {}
  void read(recipe& source, read_context context);
  void check_complete(recipe& source);

 private:
  void header(recipe& source, const recipe_entry& entry);
  void material(recipe& source, const recipe_entry& entry);
  void part(recipe& source, const recipe_entry& entry, read_context& context);
  void solid(recipe& source, const recipe_entry& entry, const read_context& context);
  void include(recipe& source, const recipe_entry& entry, const read_context& context);
  void animation(recipe& source, const recipe_entry& entry);
  void key(recipe& source, const recipe_entry& entry);
  void preview(recipe& source, const recipe_entry& entry);
  int material_index(recipe& source, recipe_args& args, const char* name, int fallback);

  model_rig& rig_;
  bool has_header_ = false;
  std::vector<recipe_position> preview_frames_;
};

void model_reader::header(recipe& source, const recipe_entry& entry) {
  recipe_args args(source, entry);
  args.require("skin");
  args.word("skin", rig_.skin);
  args.finish();
  if (rig_.skin.size() >= 64) source.error(value_position(entry, "skin"), "a skin name holds at most 63 characters");
  has_header_ = true;
}

void model_reader::material(recipe& source, const recipe_entry& entry) {
  recipe_args args(source, entry);
  std::string name = args.bare(0, "a material name");
  std::vector<double> v;
  args.require("region");
  args.numbers("region", v, 4, 0, 4096);
  args.finish();
  if (name.empty() || v.size() != 4) return;
  if (find_name(rig_.material_names, name) >= 0) {
    source.error(entry.arguments[0].value.at, "material '" + name + "' is defined twice");
    return;
  }
  if (int(rig_.materials.size()) >= model_material_capacity) {
    source.error(entry.keyword.at, "a model holds at most " + std::to_string(model_material_capacity) + " materials");
    return;
  }
  if (v[2] <= 0 || v[3] <= 0) source.error(value_position(entry, "region"), "a region needs a width and a height");
  rig_.material_names.push_back(name);
  rig_.materials.push_back({float(v[0]), float(v[1]), float(v[2]), float(v[3]), value_position(entry, "region")});
}

void model_reader::part(recipe& source, const recipe_entry& entry, read_context& context) {
  recipe_args args(source, entry);
  std::string name = args.bare(0, "a part name");
  std::string parent_name;
  vec3 pivot;
  args.word("parent", parent_name);
  read_vec3(args, "pivot", pivot, -coordinate_limit, coordinate_limit);
  args.finish();
  if (name.empty()) return;
  int parent = context.default_parent;
  if (!parent_name.empty() && (parent = find_part(rig_, parent_name)) < 0) {
    source.error(value_position(entry, "parent"), "no part '" + parent_name + "' is defined before this one");
    return;
  }
  if (find_part(rig_, name) >= 0) {
    source.error(entry.arguments[0].value.at, "part '" + name + "' is defined twice");
    return;
  }
  if (int(rig_.parts.size()) >= model_part_capacity) {
    source.error(entry.keyword.at, "a model holds at most " + std::to_string(model_part_capacity) + " parts");
    return;
  }
  rig_.parts.push_back({name, parent, transform_point(context.transform, pivot)});
  context.current_part = int(rig_.parts.size()) - 1;
}

int model_reader::material_index(recipe& source, recipe_args& args, const char* name, int fallback) {
  std::string material;
  args.word(name, material);
  if (material.empty()) return fallback;
  int index = find_name(rig_.material_names, material);
  if (index < 0) {
    source.error(value_position(args.entry(), name), "no material '" + material + "' (define it with material)");
    return 0;
  }
  return index;
}

void model_reader::solid(recipe& source, const recipe_entry& entry, const read_context& context) {
  recipe_args args(source, entry);
  model_solid s;
  s.part = context.current_part;
  const std::string& kind = entry.keyword.text;
  s.shape = kind == "box" ? solid_shape::box
            : kind == "cylinder" ? solid_shape::cylinder
            : kind == "capsule" ? solid_shape::capsule
                                : solid_shape::sphere;
  args.require("material");
  int material = material_index(source, args, "material", 0);
  for (int& m : s.material) m = material;
  if (s.shape != solid_shape::box) {
    s.rings = s.shape == solid_shape::capsule ? 3 : 6;
    args.integer("sides", s.sides, 3, 64);
    args.integer("rings", s.rings, 2, 32);
    args.number("wrap", s.wrap, 10.0f, 360.0f);
  }
  vec3 center, rotate;
  float radius = 0.1f;
  if (s.shape == solid_shape::box || s.shape == solid_shape::sphere) {
    args.require("center");
    read_vec3(args, "center", center, -coordinate_limit, coordinate_limit);
    read_vec3(args, "rotate", rotate, -720, 720);
    s.place = context.transform * translation(center) * rotation_xyz(rotate);
  }
  if (s.shape == solid_shape::box) {
    args.require("size");
    read_vec3(args, "size", s.size, 0.001, coordinate_limit);
    static const char* faces[box_face_count] = {"front", "back", "left", "right", "top", "bottom"};
    for (int f = 0; f < box_face_count; ++f) s.material[f] = material_index(source, args, faces[f], material);
  } else if (s.shape == solid_shape::sphere) {
    vec3 scale{1, 1, 1};
    args.require("radius");
    args.number("radius", radius, 0.001f, coordinate_limit);
    read_vec3(args, "scale", scale, 0.01, 100);
    s.size = scale * radius;
  } else {
    vec3 from, to;
    args.require("from");
    args.require("to");
    args.require("radius");
    read_vec3(args, "from", from, -coordinate_limit, coordinate_limit);
    read_vec3(args, "to", to, -coordinate_limit, coordinate_limit);
    args.number("radius", radius, 0.001f, coordinate_limit);
    float radius_to = radius;
    if (s.shape == solid_shape::cylinder) {
      args.number("radius_to", radius_to, 0.0f, coordinate_limit);
      args.flag("caps", s.caps);
    }
    float along = length(to - from);
    if (along <= 0) source.error(value_position(entry, "to"), "from= and to= must differ");
    s.size = {radius, along, radius_to};
    s.place = context.transform * frame_along(from, to - from);
  }
  args.finish();
  if (int(rig_.solids.size()) >= model_solid_capacity) {
    source.error(entry.keyword.at, "a model holds at most " + std::to_string(model_solid_capacity) + " solids");
    return;
  }
  rig_.solids.push_back(s);
}

void model_reader::include(recipe& source, const recipe_entry& entry, const read_context& context) {
  recipe_args args(source, entry);
  std::string name = args.bare(0, "a recipe path in quotes");
  vec3 at, rotate;
  float scale = 1;
  std::string parent_name;
  read_vec3(args, "at", at, -coordinate_limit, coordinate_limit);
  read_vec3(args, "rotate", rotate, -720, 720);
  args.number("scale", scale, 0.01f, 100.0f);
  args.word("parent", parent_name);
  args.finish();
  if (name.empty()) return;
  if (context.depth >= model_include_depth_limit) {
    source.error(entry.keyword.at, "includes nest deeper than " + std::to_string(model_include_depth_limit));
    return;
  }
  read_context inner = context;
  inner.depth = context.depth + 1;
  inner.transform = context.transform * translation(at) * rotation_xyz(rotate) * scaling({scale, scale, scale});
  if (!parent_name.empty()) {
    int parent = find_part(rig_, parent_name);
    if (parent < 0) {
      source.error(value_position(entry, "parent"), "no part '" + parent_name + "' is defined before this include");
      return;
    }
    inner.current_part = parent;
  }
  inner.default_parent = inner.current_part;
  std::filesystem::path path = std::filesystem::path(source.path()).parent_path() / name;
  std::error_code error;
  if (!std::filesystem::is_regular_file(path, error)) {
    source.error(entry.arguments[0].value.at, "no recipe file '" + path.generic_string() + "' to include");
    return;
  }
  recipe included(path.lexically_normal().generic_string(), source.sink());
  if (!included.load()) return;
  read(included, inner);
}

void model_reader::animation(recipe& source, const recipe_entry& entry) {
  recipe_args args(source, entry);
  model_animation a;
  a.name = args.bare(0, "an animation name");
  args.require("frames");
  args.integer("frames", a.frames, 1, model_animation_frame_limit);
  args.flag("loop", a.loop);
  args.finish();
  if (a.name.empty()) return;
  recipe_position at = entry.arguments[0].value.at;
  bool letters = true;
  for (char c : a.name) letters = letters && (std::isalpha(static_cast<unsigned char>(c)) || c == '_');
  if (!letters || a.name.size() > model_animation_name_limit) {
    source.error(at, "an animation name is 1 to " + std::to_string(model_animation_name_limit) +
                         " letters or underscores (frame names add two digits)");
    return;
  }
  for (const model_animation& other : rig_.animations)
    if (other.name == a.name) {
      source.error(at, "animation '" + a.name + "' is defined twice");
      return;
    }
  if (int(rig_.animations.size()) >= model_animation_capacity) {
    source.error(entry.keyword.at, "a model holds at most " + std::to_string(model_animation_capacity) + " animations");
    return;
  }
  rig_.animations.push_back(a);
}

void model_reader::key(recipe& source, const recipe_entry& entry) {
  recipe_args args(source, entry);
  double frame = 0;
  bool has_frame = args.bare_number(0, "a frame number", frame, 1, model_animation_frame_limit);
  std::string part_name = args.bare(1, "a part name");
  if (rig_.animations.empty()) {
    args.error("a key belongs to an animation; start one first");
    return;
  }
  model_animation& a = rig_.animations.back();
  int part = part_name.empty() ? -1 : find_part(rig_, part_name);
  if (!part_name.empty() && part < 0) source.error(entry.arguments[1].value.at, "no part '" + part_name + "'");
  if (has_frame && (frame != std::floor(frame) || frame > a.frames)) {
    source.error(entry.arguments[0].value.at,
                 "frame must be a whole number from 1 to " + std::to_string(a.frames) + " (the animation's frames)");
    has_frame = false;
  }
  static const struct {
    const char* name;
    key_channel channel;
    double lo, hi;
  } channels[] = {{"rotate", key_channel::rotate, -720, 720},
                  {"move", key_channel::move, -coordinate_limit, coordinate_limit},
                  {"scale", key_channel::scale, 0, 100}};
  bool any = false;
  for (const auto& c : channels) {
    if (!args.has(c.name)) continue;
    any = true;
    vec3 value;
    if (read_vec3(args, c.name, value, c.lo, c.hi) && has_frame && part >= 0)
      a.keys.push_back({part, c.channel, int(frame) - 1, value});
  }
  if (!any) args.error("a key sets rotate=, move= or scale=");
  args.finish();
}

void model_reader::preview(recipe& source, const recipe_entry& entry) {
  recipe_args args(source, entry);
  model_preview p;
  args.word("frame", p.frame);
  args.number("turn", p.turn, -360.0f, 360.0f);
  args.word("with", p.with);
  args.finish();
  rig_.previews.push_back(p);
  preview_frames_.push_back(value_position(entry, "frame"));
}

void model_reader::read(recipe& source, read_context context) {
  for (const recipe_entry& entry : source.entries()) {
    const std::string& keyword = entry.keyword.text;
    bool top_level = context.depth == 0;
    if (top_level && !has_header_ && keyword != "model") {
      source.error(entry.keyword.at, "a model recipe starts with 'model skin=...'");
      return;
    }
    if (!top_level && is_top_level_only(keyword)) {
      source.error(entry.keyword.at, "'" + keyword + "' belongs in the model's own recipe, not in an include");
      continue;
    }
    if (keyword == "model") {
      if (has_header_)
        source.error(entry.keyword.at, "a recipe holds one 'model' entry");
      else
        header(source, entry);
    } else if (keyword == "material") {
      material(source, entry);
    } else if (keyword == "part") {
      part(source, entry, context);
    } else if (keyword == "box" || keyword == "cylinder" || keyword == "capsule" || keyword == "sphere") {
      solid(source, entry, context);
    } else if (keyword == "include") {
      include(source, entry, context);
    } else if (keyword == "animation") {
      animation(source, entry);
    } else if (keyword == "key") {
      key(source, entry);
    } else if (keyword == "preview") {
      preview(source, entry);
    } else {
      source.error(entry.keyword.at, "unknown entry '" + keyword +
                                         "' (material, part, box, cylinder, capsule, sphere, include, animation, "
                                         "key, preview)");
    }
  }
}

void model_reader::check_complete(recipe& source) {
  if (!has_header_) {
    source.sink().report(source.path(), "is empty: a model recipe starts with 'model skin=...'");
    return;
  }
  if (rig_.solids.empty()) source.sink().report(source.path(), "has no solids");
  std::vector<std::string> frames = model_frame_names(rig_);
  for (size_t i = 0; i < rig_.previews.size(); ++i) {
    const std::string& frame = rig_.previews[i].frame;
    if (!frame.empty() && find_name(frames, frame) < 0)
      source.error(preview_frames_[i], "no frame '" + frame + "' in this model");
  }
}

}  // namespace

std::string model_frame_name(const std::string& animation, int frame) {
  std::string digits = std::to_string(frame);
  return animation + (digits.size() < 2 ? "0" : "") + digits;
}

std::vector<std::string> model_frame_names(const model_rig& rig) {
  std::vector<std::string> names;
  for (const model_animation& a : rig.animations)
    for (int f = 1; f <= a.frames; ++f) names.push_back(model_frame_name(a.name, f));
  if (names.empty()) names.push_back(model_frame_name("rest", 1));
  return names;
}

bool read_model_recipe(recipe& source, model_rig& rig) {
  int errors_before = source.sink().count();
  rig = model_rig{};
  rig.parts.push_back({"root", -1, {}});
  model_reader reader(rig);
  reader.read(source, read_context{});
  reader.check_complete(source);
  return source.sink().count() == errors_before;
}
