// Checks of the demo's definition files before they are copied into data/:
// demo/model.list with the model definitions it names, and demo/weapons,
// demo/player, demo/enemy and demo/menu. Every tag must be one the engine
// reads for that file, with the values it expects; every texture, sound,
// mesh, animation, weapon, key and menu named must exist; and menus must
// line up with their backdrops (items, highlight model, slot labels). The
// engine's readers would skip a mistake silently; the forge reports it as
// file:line:column instead.
#pragma once
#include <map>
#include <set>
#include <string>
#include <vector>

#include "common/recipe.h"

struct mesh_animation {
  std::string name;
  int first = 0, last = 0;
};

struct mesh_facts {
  int frames = 0;
  std::vector<mesh_animation> animations;
  std::string backdrop;  // menu highlight models: the backdrop recipe they outline
};

struct definition_catalogue {
  std::set<std::string> textures;                // words of demo/tex.list
  std::set<std::string> sounds;                  // words of demo/sound.list
  std::map<std::string, mesh_facts> meshes;      // forged MD2 data paths
  std::set<std::string> definitions;             // forged model definition data paths
};

// Reports every problem to `sink`; false when there were any.
bool check_definitions(const std::string& demo_dir, const definition_catalogue& catalogue, diagnostics& sink);

// demo/<path> for a data path "data/<path>"; empty when it is no data path.
std::string demo_source_of(const std::string& demo_dir, const std::string& data_path);
