// Writes MD2 files from plain lists. The content forge builds the demo game's
// models with it; tests build their fixtures with it.
//
// Positions are given in the file's axes (z up); each frame is quantised to
// bytes over its own bounding box.
#pragma once
#include <cstdint>
#include <string>
#include <vector>

#include "formats/md2.h"

struct md2_writer_vertex {
  float position[3];
  uint8_t normal_index = 0;  // into avertexnormals
};

struct md2_writer_frame {
  std::string name;  // at most 15 characters
  std::vector<md2_writer_vertex> vertices;
};

struct md2_writer_gl_vertex {
  float s, t;
  int32_t index;
};

struct md2_writer_packet {
  bool fan = false;
  std::vector<md2_writer_gl_vertex> vertices;
};

struct md2_writer_model {
  int32_t skin_width = 0, skin_height = 0;
  std::vector<std::string> skins;  // at most 63 characters each
  std::vector<md2_tex_coord_t> tex_coords;
  std::vector<md2_triangle_t> triangles;
  std::vector<md2_writer_frame> frames;  // all with the same number of vertices
  std::vector<md2_writer_packet> gl_packets;
};

// Each triangle as a strip of its own three vertices, texture coordinates
// divided by the skin size: enough for models that need no fancy stripping.
std::vector<md2_writer_packet> md2_strips_from_triangles(const md2_writer_model& model);

// Encodes the model. False, with `out` left empty, when the model breaks the
// reader's limits or refers to vertices, texture coordinates or normals it lacks.
bool md2_encode(const md2_writer_model& model, std::vector<uint8_t>& out);
bool md2_write_file(const md2_writer_model& model, const char* path);
