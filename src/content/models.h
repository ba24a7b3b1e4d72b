// The model table: one row per placeable model, with its mesh and skin, its
// shadow, and optionally a trigger (door or pick-up item), a fire emitter and
// up to two light sources; the trigger prototypes and light types the rows
// name; and the level's trigger instances and lights built from them.
#pragma once
#include <cstdint>

#include "content/texture_list.h"

struct md2_model_t;

constexpr int model_capacity = 200;
constexpr int trigger_prototype_capacity = 200;
constexpr int light_type_capacity = 200;
constexpr int trigger_capacity = 512;
constexpr int light_capacity = 1024;

constexpr int trigger_text_slots = 16;
constexpr int trigger_text_capacity = 256;
constexpr int trigger_value_rows = 16;
constexpr int trigger_value_columns = 16;
// text[] slots with a meaning.
constexpr int trigger_text_name = 0;      // key of a locked door, weapon name, key name
constexpr int trigger_text_message = 14;  // shown when the player reaches the trigger
constexpr int trigger_text_sound = 15;    // played on use

constexpr const char* no_mesh_model = "!void!";
constexpr const char* no_trigger_message = "NOMESSAGE_TRIGGER";

// Trigger kinds.
constexpr int32_t trigger_door = 0;  // plain or locked
constexpr int32_t trigger_weapon = 2;
constexpr int32_t trigger_medikit = 3;
constexpr int32_t trigger_ammo = 4;
constexpr int32_t trigger_key = 5;

// Savegames store this record field by field in this order.
struct trigger_t {
  int32_t kind;
  char text[trigger_text_slots][trigger_text_capacity];
  // value[0][0]: door opening time in seconds, health or cartridges added;
  // value[0][1]: door open fraction (run time), medikit health ceiling;
  // value[0][2]: 1 for a locked door.
  float value[trigger_value_rows][trigger_value_columns];
  uint8_t pickable;
  uint8_t open_request;
  uint8_t is_door;
};

// A door that opens only once the player holds its key (text[trigger_text_name]).
// Unlocking clears the mark, so a door unlocked in play answers false.
bool trigger_is_locked_door(const trigger_t& t);

// A light type (offsets from the model cell's corner, y above the floor) and,
// with absolute positions, a light placed in the level.
struct light_t {
  float x, y, z;
  float r, g, b;
  float radius;
};

// Model table, in data/model.list order.
extern char model_d_list[model_capacity][content_name_capacity];  // definition path = name in maps
extern char model_list[model_capacity][content_name_capacity];    // MD2 path or "!void!"
extern char model_t_list[model_capacity][content_name_capacity];  // texture name
extern uint8_t model_shadow[model_capacity];
extern int model_trigger[model_capacity];
extern uint8_t model_emitor[model_capacity];
extern float model_emitor_rgb[model_capacity][3];
extern int model_light_type[model_capacity];
extern int model_light_type2[model_capacity];
extern md2_model_t* model[model_capacity];
extern int modelu;

extern trigger_t trigger_prototype[trigger_prototype_capacity];
extern int trigger_prototypu;
extern light_t light_type[light_type_capacity];
extern int light_typu;

// The level's trigger instances and placed lights, rebuilt by every level build.
extern trigger_t trigger[trigger_capacity];
extern int triggeru;
extern light_t light[light_capacity];
extern int lightu;


// Index of the first model whose MD2 path (`model_list`) equals `name`, or -1:
// how the player, weapon and enemy definitions name their models.
int find_model_by_mesh(const char* name);
