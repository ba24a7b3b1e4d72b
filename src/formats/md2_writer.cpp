#include "formats/md2_writer.h"

#include <cmath>
#include <cstdio>
#include <limits>

#include "base/byte_io.h"
#include "formats/md2_normals.h"

namespace {

constexpr int32_t md2_version = 8;

// The name and zero padding up to `size` bytes.
void put_name(std::vector<uint8_t>& out, const std::string& name, size_t size) {
  out.insert(out.end(), name.begin(), name.end());
  out.insert(out.end(), size - name.size(), 0);
}

bool in_range(int index, size_t count) { return index >= 0 && static_cast<size_t>(index) < count; }

bool model_is_writable(const md2_writer_model& m) {
  const size_t vertices = m.frames.empty() ? 0 : m.frames[0].vertices.size();
  if (vertices > static_cast<size_t>(md2_max_vertices)) return false;
  for (const std::string& skin : m.skins)
    if (skin.size() >= static_cast<size_t>(md2_skin_name_size)) return false;
  for (const md2_writer_frame& frame : m.frames) {
    if (frame.name.size() >= static_cast<size_t>(md2_frame_name_size) || frame.vertices.size() != vertices)
      return false;
    for (const md2_writer_vertex& v : frame.vertices)
      if (v.normal_index >= md2_normal_count) return false;
  }
  for (const md2_triangle_t& tri : m.triangles)
    for (int k = 0; k < 3; ++k)
      if (!in_range(tri.vertex[k], vertices) || !in_range(tri.texCoord[k], m.tex_coords.size())) return false;
  for (const md2_writer_packet& packet : m.gl_packets) {
    if (packet.vertices.empty()) return false;  // a count of 0 would end the stream
    for (const md2_writer_gl_vertex& v : packet.vertices)
      if (!in_range(v.index, vertices)) return false;
  }
  return true;
}

int64_t gl_command_words(const md2_writer_model& m) {
  int64_t words = 1;  // the end marker
  for (const md2_writer_packet& packet : m.gl_packets)
    words += 1 + md2_gl_vertex_words * static_cast<int64_t>(packet.vertices.size());
  return words;
}

void put_frame(std::vector<uint8_t>& out, const md2_writer_frame& frame) {
  float lo[3] = {0, 0, 0}, hi[3] = {0, 0, 0};
  for (size_t i = 0; i < frame.vertices.size(); ++i)
    for (int k = 0; k < 3; ++k) {
      const float p = frame.vertices[i].position[k];
      if (i == 0 || p < lo[k]) lo[k] = p;
      if (i == 0 || p > hi[k]) hi[k] = p;
    }
  float scale[3];
  for (int k = 0; k < 3; ++k) {
    scale[k] = (hi[k] - lo[k]) / 255.0f;
    if (!(scale[k] > 0)) scale[k] = 1;  // a flat axis: every byte is 0
  }
  for (float s : scale) append_f32(out, s);
  for (float t : lo) append_f32(out, t);
  put_name(out, frame.name, md2_frame_name_size);
  for (const md2_writer_vertex& v : frame.vertices) {
    for (int k = 0; k < 3; ++k) {
      const long q = std::lround((v.position[k] - lo[k]) / scale[k]);
      out.push_back(static_cast<uint8_t>(q < 0 ? 0 : q > 255 ? 255 : q));
    }
    out.push_back(v.normal_index);
  }
}

}  // namespace

std::vector<md2_writer_packet> md2_strips_from_triangles(const md2_writer_model& model) {
  const float width = model.skin_width > 0 ? static_cast<float>(model.skin_width) : 1.0f;
  const float height = model.skin_height > 0 ? static_cast<float>(model.skin_height) : 1.0f;
  std::vector<md2_writer_packet> packets;
  for (const md2_triangle_t& tri : model.triangles) {
    md2_writer_packet strip;
    for (int k = 0; k < 3; ++k) {
      md2_tex_coord_t st = {0, 0};
      if (in_range(tri.texCoord[k], model.tex_coords.size())) st = model.tex_coords[tri.texCoord[k]];
      strip.vertices.push_back({st.s / width, st.t / height, tri.vertex[k]});
    }
    packets.push_back(strip);
  }
  return packets;
}

bool md2_encode(const md2_writer_model& m, std::vector<uint8_t>& out) {
  out.clear();
  if (!model_is_writable(m)) return false;
  const int64_t vertices = m.frames.empty() ? 0 : static_cast<int64_t>(m.frames[0].vertices.size());
  const int64_t frame_size = md2_frame_header_size + 4 * vertices;
  const int64_t gl_words = gl_command_words(m);
  const int64_t offset_skins = md2_header_size;
  const int64_t offset_tex_coords = offset_skins + md2_skin_name_size * static_cast<int64_t>(m.skins.size());
  const int64_t offset_triangles = offset_tex_coords + md2_tex_coord_size * static_cast<int64_t>(m.tex_coords.size());
  const int64_t offset_frames = offset_triangles + md2_triangle_size * static_cast<int64_t>(m.triangles.size());
  const int64_t offset_gl = offset_frames + frame_size * static_cast<int64_t>(m.frames.size());
  const int64_t offset_end = offset_gl + 4 * gl_words;
  // Offsets are int32 in the file.
  if (offset_end > std::numeric_limits<int32_t>::max()) return false;

  out.reserve(static_cast<size_t>(offset_end));
  const int64_t header[] = {md2_ident,
                            md2_version,
                            m.skin_width,
                            m.skin_height,
                            frame_size,
                            static_cast<int64_t>(m.skins.size()),
                            vertices,
                            static_cast<int64_t>(m.tex_coords.size()),
                            static_cast<int64_t>(m.triangles.size()),
                            gl_words,
                            static_cast<int64_t>(m.frames.size()),
                            offset_skins,
                            offset_tex_coords,
                            offset_triangles,
                            offset_frames,
                            offset_gl,
                            offset_end};
  for (int64_t field : header) append_i32(out, static_cast<int32_t>(field));
  for (const std::string& skin : m.skins) put_name(out, skin, md2_skin_name_size);
  for (const md2_tex_coord_t& st : m.tex_coords) {
    append_i16(out, st.s);
    append_i16(out, st.t);
  }
  for (const md2_triangle_t& tri : m.triangles) {
    for (int16_t v : tri.vertex) append_i16(out, v);
    for (int16_t t : tri.texCoord) append_i16(out, t);
  }
  for (const md2_writer_frame& frame : m.frames) put_frame(out, frame);
  for (const md2_writer_packet& packet : m.gl_packets) {
    const int32_t count = static_cast<int32_t>(packet.vertices.size());
    append_i32(out, packet.fan ? -count : count);
    for (const md2_writer_gl_vertex& v : packet.vertices) {
      append_f32(out, v.s);
      append_f32(out, v.t);
      append_i32(out, v.index);
    }
  }
  append_i32(out, 0);
  return true;
}

bool md2_write_file(const md2_writer_model& model, const char* path) {
  std::vector<uint8_t> bytes;
  if (!md2_encode(model, bytes)) return false;
  FILE* f = std::fopen(path, "wb");
  if (!f) return false;
  const bool written = std::fwrite(bytes.data(), 1, bytes.size(), f) == bytes.size();
  return std::fclose(f) == 0 && written;
}
