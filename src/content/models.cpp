#include "content/models.h"

#include <cstring>

char model_d_list[model_capacity][content_name_capacity];
char model_list[model_capacity][content_name_capacity];
char model_t_list[model_capacity][content_name_capacity];
uint8_t model_shadow[model_capacity];
int model_trigger[model_capacity];
uint8_t model_emitor[model_capacity];
float model_emitor_rgb[model_capacity][3];
int model_light_type[model_capacity];
int model_light_type2[model_capacity];
md2_model_t* model[model_capacity];
int modelu;

trigger_t trigger_prototype[trigger_prototype_capacity];
int trigger_prototypu;
light_t light_type[light_type_capacity];
int light_typu;

trigger_t trigger[trigger_capacity];
int triggeru;
light_t light[light_capacity];
int lightu;

bool trigger_is_locked_door(const trigger_t& t) { return t.kind == trigger_door && t.value[0][2] == 1.0f; }

int find_model_by_mesh(const char* name) {
  for (int m = 0; m < modelu; ++m)
    if (!std::strcmp(model_list[m], name)) return m;
  return -1;
}
