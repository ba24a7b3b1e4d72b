#include "menus/model_menu.h"

#include <filesystem>

#include "menus/menu_layout.h"

namespace {

// Layout units: how far the outline stands off the plaque and how thick it is,
// and the arrows either side pointing at the plaque.
constexpr float outline_gap = 3, outline_width = 6;
constexpr float arrow_gap = 10, arrow_length = 22, arrow_half_height = 13;

// A shape of the highlight in layout units, with where its corners sit on
// the highlight skin (0..1).
struct flat_polygon {
  int count;
  float x[4], y[4], s[4], t[4];
};

std::vector<flat_polygon> highlight_shapes(const layout_box& b) {
  float l = b.x - outline_gap, r = b.x + b.w + outline_gap;
  float top = b.y - outline_gap, bottom = b.y + b.h + outline_gap;
  float o = outline_width, cy = b.y + b.h / 2;
  auto bar = [](float x0, float y0, float x1, float y1) {
    return flat_polygon{4, {x0, x1, x1, x0}, {y1, y1, y0, y0}, {0, 1, 1, 0}, {0.7f, 0.7f, 0.3f, 0.3f}};
  };
  float la = l - o - arrow_gap, ra = r + o + arrow_gap;
  return {bar(l - o, top - o, r + o, top),
          bar(l - o, bottom, r + o, bottom + o),
          bar(l - o, top, l, bottom),
          bar(r, top, r + o, bottom),
          {3, {la - arrow_length, la, la - arrow_length}, {cy + arrow_half_height, cy, cy - arrow_half_height},
           {0.1f, 0.5f, 0.9f}, {0.9f, 0.1f, 0.9f}},
          {3, {ra + arrow_length, ra + arrow_length, ra}, {cy + arrow_half_height, cy - arrow_half_height, cy},
           {0.1f, 0.9f, 0.5f}, {0.9f, 0.9f, 0.1f}}};
}

}  // namespace

bool is_menu_highlight_recipe(const recipe& source) {
  return !source.entries().empty() && source.entries()[0].keyword.text == "menu_highlight";
}

bool read_menu_highlight(recipe& source, menu_highlight& out) {
  int errors_before = source.sink().count();
  out = menu_highlight{};
  const recipe_entry& header = source.entries()[0];
  recipe_args args(source, header);
  std::string backdrop_name;
  args.require("backdrop");
  args.require("skin");
  args.word("backdrop", backdrop_name);
  args.word("skin", out.skin);
  args.finish();
  for (size_t i = 1; i < source.entries().size(); ++i)
    source.error(source.entries()[i].keyword.at, "a menu_highlight recipe is its one entry");
  if (backdrop_name.empty() || out.skin.empty()) return false;

  out.backdrop = (std::filesystem::path(source.path()).parent_path() / backdrop_name).lexically_normal().generic_string();
  recipe backdrop(out.backdrop, source.sink());
  if (!backdrop.load()) return false;
  menu_layout layout;
  if (!read_menu_layout(backdrop, layout) || layout.items.empty()) {
    args.error("backdrop " + out.backdrop + " has no menu items");
    return false;
  }
  // Frame names carry two digits.
  if (layout.items.size() > size_t(model_animation_frame_limit)) {
    args.error("a menu model highlights at most " + std::to_string(model_animation_frame_limit) + " items");
    return false;
  }
  // The same shapes in every frame, placed around a different item.
  for (size_t item = 0; item < layout.items.size(); ++item) {
    posed_frame frame;
    frame.name = model_frame_name("item", int(item) + 1);
    for (const flat_polygon& shape : highlight_shapes(menu_item_box(layout, int(item)))) {
      mesh_polygon polygon;
      polygon.count = shape.count;
      for (int k = 0; k < shape.count; ++k) {
        menu_plane_point p = layout_to_menu_plane(shape.x[k], shape.y[k]);
        polygon.corner[k] = {int(frame.positions.size()), shape.s[k], shape.t[k]};
        frame.positions.push_back({p.model_x, p.y, p.model_z});
      }
      if (item == 0) out.mesh.polygons.push_back(polygon);
    }
    out.frames.push_back(std::move(frame));
  }
  for (const vec3& p : out.frames[0].positions) out.mesh.vertices.push_back({p, 0});
  return source.sink().count() == errors_before;
}
