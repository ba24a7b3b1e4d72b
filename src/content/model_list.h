// The model list: data/model.list names one definition file per placeable
// model; loading it fills the model table (content/models.h).
#pragma once

// Reads data/model.list, every definition file it names and every mesh. Meshes
// of an earlier call are released first.
void load_models();
