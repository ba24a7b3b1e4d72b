// Picture recipes: demo/textures/**.txt. The first entry says what the
// picture is and how it is stored; the rest paint it:
//
//   texture size=256 alpha=no seed=12 store=plain     -> TGA (store=bz2: only
//                                                         the .bz2 copy ships)
//   backdrop size=1024 seed=3 quality=90              -> baseline JPEG
//   layer KIND ...                                    -> see pictures/layers.h
//   text "words" at=x,y size=px face=FILE color=#.. align=left|center|right
//   include "base.txt"                                -> the other recipe's layers
//   menu ... / menu_item "label"                      -> see menus/menu_layout.h
//
// Files ending in .inc hold shared layers for include and are not forged
// themselves. The output path is the recipe's path below demo/ with .txt replaced by .tga
// or .jpg, under data/ (demo/textures/walls/stone.txt -> data/textures/walls/stone.tga).
#pragma once
#include <cstdint>
#include <string>

#include "common/image.h"
#include "common/recipe.h"
#include "common/text_render.h"

enum class picture_kind { texture, backdrop };
enum class picture_store { plain, bz2 };

struct picture {
  picture_kind kind = picture_kind::texture;
  picture_store store = picture_store::plain;
  bool alpha = false;
  int quality = 90;
  forge_image image;
};

// Paints the picture a recipe describes; false when the recipe has errors.
bool paint_picture(recipe& source, font_library& fonts, picture& out);

// Paints a `layer`, `text` or `include "other.txt"` entry (include paints
// another texture recipe's entries, path relative to this recipe); false when
// the entry is none of these. `depth` counts nested includes.
bool paint_entry(recipe& source, const recipe_entry& entry, font_library& fonts, forge_image& image,
                 uint32_t seed, int depth = 0);

// The file extension a picture is written with (".tga" or ".jpg").
const char* picture_extension(picture_kind kind);
