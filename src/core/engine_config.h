// The engine configuration file "data/opengl": display settings and two
// gameplay switches, read once before the window exists.
#pragma once

class tagged_reader;

constexpr const char* engine_config_path = "data/opengl";

// Reads "data/opengl" into the globals. When the file is missing it runs the
// setup program and tries again; if it is still missing it shows
// "Nelze nacist: data/opengl" and ends the process with status 1.
void load_initGL();

// Applies the tags of one configuration stream to the globals.
void read_engine_config(tagged_reader& reader);
