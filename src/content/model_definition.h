// One model definition file: mesh and skin names, shadow, trigger prototype,
// fire emitter and light types of model row `m`.
#pragma once

// Gives row `m` its defaults before its definition is read.
void reset_model_row(int m);

// Reads the definition file into row `m`; false when it cannot be opened.
bool read_model_definition(const char* path, int m);
