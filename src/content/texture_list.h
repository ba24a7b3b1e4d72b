// The texture list: data/tex.list names every texture, and its order gives the
// texture indices stored in the map grid and looked up by name elsewhere.
#pragma once

constexpr int texture_capacity = 256;
// List names hold at most 63 characters and a terminator.
constexpr int content_name_capacity = 64;

extern char textura_list[texture_capacity][content_name_capacity];
extern int textur;

// Reads data/tex.list; 0 on success, 1 when the file cannot be opened.
int load_textura_list();

// Index of the first entry equal to `name`, or -1.
int find_texture(const char* name);
