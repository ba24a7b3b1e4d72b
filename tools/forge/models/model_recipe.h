// Model recipes: demo/models/**.txt, one MD2 model each, built from simple
// solids. Coordinates are the game's (y up, one unit per grid cell); level
// models fill the cell from (0, 0) to (1, 1) in x and z, and characters and
// held weapons stand at the origin facing -x, which is where the engine's
// turns (uhel - 90 for the player, uhel + 90 for enemies) point them.
//
//   model skin=data/textures/characters/player.tga   first entry: the skin
//   material armour region=0,0,128,128                a skin rectangle, pixels
//   part arm_r parent=torso pivot=0,1.04,-0.2         a rigid part and its joint
//   box center=x,y,z size=x,y,z rotate=a,b,c material=armour [front=face ...]
//   cylinder from=x,y,z to=x,y,z radius=r [radius_to=r] [sides=10] [caps=yes]
//   capsule from=x,y,z to=x,y,z radius=r [sides=10] [rings=3]
//   sphere center=x,y,z radius=r [scale=x,y,z] [rotate=a,b,c] [sides=10] [rings=6]
//   (round solids also take wrap=DEGREES: how far round the front their
//   material reaches; beyond it the material's edge columns carry on)
//   include "pistol.inc" at=x,y,z rotate=a,b,c scale=s parent=hand
//   animation run frames=8 loop=yes                   frames run01 .. run08
//   key 3 leg_l rotate=0,0,-30 move=x,y,z scale=x,y,z pose of a part at a frame
//   preview frame=run03 turn=200 with=data/models/characters/player.md2
//
// Solids belong to the part declared last (the implicit part "root" before
// any); parts hang from "root" unless parent= says otherwise, and pivots and
// solids are written where they stand in the rest pose. A box's faces are
// front (-x), back (+x), left (+z), right (-z), top (+y) and bottom (-y); each
// maps its whole material rectangle as seen from outside, upright. Round
// solids wrap their material around them with its centre column in front and
// its top row at from= (spheres: at the top).
// Keys set one channel of one part at one frame (1 = the first); frames
// between keys blend linearly, frames outside them hold the nearest key, and
// a looping animation blends its last keys back into its first. Rotations
// turn about x, then y, then z, in degrees, around the part's pivot.
// Include files (.inc) hold parts and solids only; the including model
// defines the materials they name. A model without animations has one frame,
// rest01.
#pragma once
#include <string>
#include <vector>

#include "common/recipe.h"
#include "models/model_geometry.h"

constexpr int model_part_capacity = 64;
constexpr int model_material_capacity = 64;
constexpr int model_solid_capacity = 256;
constexpr int model_animation_capacity = 32;
// Frame names are the animation name and two digits within 15 characters, so
// the engine's rule (drop up to two trailing digits) finds the name again.
constexpr int model_animation_frame_limit = 99;
constexpr size_t model_animation_name_limit = 13;
constexpr int model_include_depth_limit = 4;

struct skin_region {
  float x = 0, y = 0, w = 0, h = 0;  // pixels of the skin picture
  recipe_position at;
};

enum class solid_shape { box, cylinder, capsule, sphere };

enum box_face { face_front, face_back, face_left, face_right, face_top, face_bottom, box_face_count };

struct model_solid {
  solid_shape shape = solid_shape::box;
  int part = 0;
  // From the solid's own space to the rest pose. Boxes and spheres are centred
  // on their origin; cylinders and capsules run from their origin along +y.
  mat34 place;
  vec3 size;  // box: edge lengths; sphere: radii; cylinder and capsule: x radius, y length, z end radius
  int sides = 10, rings = 6;
  bool caps = true;
  float wrap = 360;  // degrees of the round surface the material's width covers
  int material[box_face_count] = {};  // round solids use [0]
};

struct model_part {
  std::string name;
  int parent = -1;  // -1 only for the root
  vec3 pivot;
};

enum class key_channel { rotate, move, scale };

struct model_key {
  int part = 0;
  key_channel channel = key_channel::rotate;
  int frame = 0;  // 0-based within the animation
  vec3 value;
};

struct model_animation {
  std::string name;
  int frames = 1;
  bool loop = false;
  std::vector<model_key> keys;
};

struct model_preview {
  std::string frame;  // a frame name; empty: the first frame
  float turn = 0;     // degrees about y
  std::string with;   // another model drawn with it at its first frame (a held weapon's body)
};

struct model_rig {
  std::string skin;  // texture data path
  std::vector<std::string> material_names;
  std::vector<skin_region> materials;
  std::vector<model_part> parts;  // parts[0] is "root"
  std::vector<model_solid> solids;
  std::vector<model_animation> animations;
  std::vector<model_preview> previews;
};

// Reads a model recipe (and its includes); false when it has errors, which
// go to the recipe's diagnostics.
bool read_model_recipe(recipe& source, model_rig& rig);

// "run" and 3 give "run03".
std::string model_frame_name(const std::string& animation, int frame);
// Every frame name in order.
std::vector<std::string> model_frame_names(const model_rig& rig);
