#include "formats/md2.h"

#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <cstring>

#include "base/byte_io.h"
#include "formats/compressed_asset.h"
#include "formats/file_length.h"
#include "formats/md2_normals.h"

char aname[md2_animation_name_capacity];
int astart, aend;

namespace {

float float_from_bits(int32_t bits) {
  float f;
  std::memcpy(&f, &bits, sizeof f);
  return f;
}

// A model file past this is refused unread (the game's largest is well under 1 MiB).
constexpr long md2_file_limit = 64l << 20;

long file_length(FILE* f) { return regular_file_length(f, md2_file_limit); }

// A block of `count` records must lie wholly inside the file. Empty blocks
// are never read, so their offsets do not matter.
bool block_fits(int32_t offset, int32_t count, int64_t record_size, long length) {
  if (count == 0) return true;
  return offset >= 0 && static_cast<int64_t>(offset) + count * record_size <= length;
}

void decode_header(const uint8_t* bytes, md2_model_t& m) {
  int32_t* fields[] = {&m.ident,           &m.version,         &m.skinWidth,     &m.skinHeight,
                       &m.frameSize,       &m.numSkins,        &m.numVertices,   &m.numTexCoords,
                       &m.numTriangles,    &m.numGlCommands,   &m.numFrames,     &m.offsetSkins,
                       &m.offsetTexCoords, &m.offsetTriangles, &m.offsetFrames,  &m.offsetGlCommands,
                       &m.offsetEnd};
  static_assert(sizeof fields / sizeof fields[0] * 4 == md2_header_size, "17 header words");
  byte_reader in(bytes, md2_header_size);
  for (int32_t* field : fields) *field = in.i32();
}

// Everything about the header that later reads depend on: counts within the
// limits, frames big enough for their vertices, every block inside the file.
bool header_is_sane(const md2_model_t& m, long length) {
  if (m.ident != md2_ident) return false;
  if (m.numSkins < 0 || m.numVertices < 0 || m.numTexCoords < 0 || m.numTriangles < 0 ||
      m.numGlCommands < 0 || m.numFrames < 0)
    return false;
  if (m.numVertices > md2_max_vertices || m.frameSize > md2_max_frame_size) return false;
  if (m.numFrames > 0 && m.frameSize < md2_frame_header_size + 4 * m.numVertices) return false;
  return block_fits(m.offsetSkins, m.numSkins, md2_skin_name_size, length) &&
         block_fits(m.offsetTexCoords, m.numTexCoords, md2_tex_coord_size, length) &&
         block_fits(m.offsetTriangles, m.numTriangles, md2_triangle_size, length) &&
         block_fits(m.offsetFrames, m.numFrames, m.frameSize, length) &&
         block_fits(m.offsetGlCommands, m.numGlCommands, 4, length);
}

// Reads `count` records of `size` bytes from `offset`, a chunk at a time, and
// hands each to decode(index, reader over the record). Size is at most
// md2_max_frame_size, and the header check has made every record big enough
// for what its decoder reads.
template <typename Decode>
bool read_records(FILE* f, int32_t offset, int32_t count, int32_t size, Decode decode) {
  if (count == 0) return true;
  if (std::fseek(f, offset, SEEK_SET) != 0) return false;
  static uint8_t chunk[4 * md2_max_frame_size];
  const int32_t per_chunk = static_cast<int32_t>(sizeof chunk) / size;
  for (int32_t first = 0; first < count; first += per_chunk) {
    const int32_t n = count - first < per_chunk ? count - first : per_chunk;
    const size_t bytes = static_cast<size_t>(n) * static_cast<size_t>(size);
    if (std::fread(chunk, 1, bytes, f) != bytes) return false;
    for (int32_t i = 0; i < n; ++i) {
      byte_reader record(chunk + static_cast<size_t>(i) * size, static_cast<size_t>(size));
      decode(first + i, record);
    }
  }
  return true;
}

void decode_vertex(const uint8_t* b, const float scale[3], const float translate[3], md2_vertex_t& v) {
  v.position[0] = b[0] * scale[0] + translate[0];
  v.position[1] = b[2] * scale[2] + translate[2];
  v.position[2] = -(b[1] * scale[1] + translate[1]);
  // An index past the table gives no direction rather than a read past it;
  // the normals are recomputed from the triangles after loading anyway.
  static const float none[3] = {0, 0, 0};
  const float* n = b[3] < md2_normal_count ? avertexnormals[b[3]] : none;
  v.normal[0] = n[0];
  v.normal[1] = n[1];
  v.normal[2] = n[2];
}

bool read_frames(FILE* f, md2_model_t& m) {
  m.frames = static_cast<md2_frame_t*>(std::calloc(m.numFrames, sizeof(md2_frame_t)));
  if (!m.frames) return false;
  for (int32_t i = 0; i < m.numFrames && m.numVertices > 0; ++i) {
    // Every record is written below, so there is nothing to zero.
    m.frames[i].vertices = static_cast<md2_vertex_t*>(std::malloc(sizeof(md2_vertex_t) * m.numVertices));
    if (!m.frames[i].vertices) return false;
  }
  return read_records(f, m.offsetFrames, m.numFrames, m.frameSize, [&m](int32_t i, byte_reader& in) {
    float scale[3], translate[3];
    for (float& s : scale) s = in.f32();
    for (float& t : translate) t = in.f32();
    md2_frame_t& frame = m.frames[i];
    std::memcpy(frame.name, in.take(md2_frame_name_size), md2_frame_name_size - 1);
    frame.name[md2_frame_name_size - 1] = '\0';
    for (int32_t v = 0; v < m.numVertices; ++v) decode_vertex(in.take(4), scale, translate, frame.vertices[v]);
  });
}

bool read_blocks(FILE* f, md2_model_t& m) {
  if (m.numSkins > 0) {
    m.skins = static_cast<char(*)[md2_skin_name_size]>(std::calloc(m.numSkins, md2_skin_name_size));
    if (!m.skins) return false;
    bool ok = read_records(f, m.offsetSkins, m.numSkins, md2_skin_name_size, [&m](int32_t i, byte_reader& in) {
      std::memcpy(m.skins[i], in.take(md2_skin_name_size), md2_skin_name_size - 1);  // the last byte stays 0
    });
    if (!ok) return false;
  }
  if (m.numTexCoords > 0) {
    m.texCoords = static_cast<md2_tex_coord_t*>(std::calloc(m.numTexCoords, sizeof(md2_tex_coord_t)));
    if (!m.texCoords) return false;
    bool ok = read_records(f, m.offsetTexCoords, m.numTexCoords, md2_tex_coord_size, [&m](int32_t i, byte_reader& in) {
      m.texCoords[i].s = in.i16();
      m.texCoords[i].t = in.i16();
    });
    if (!ok) return false;
  }
  if (m.numTriangles > 0) {
    m.triangles = static_cast<md2_triangle_t*>(std::calloc(m.numTriangles, sizeof(md2_triangle_t)));
    if (!m.triangles) return false;
    bool ok = read_records(f, m.offsetTriangles, m.numTriangles, md2_triangle_size, [&m](int32_t i, byte_reader& in) {
      for (int16_t& v : m.triangles[i].vertex) v = in.i16();
      for (int16_t& t : m.triangles[i].texCoord) t = in.i16();
    });
    if (!ok) return false;
  }
  if (m.numFrames > 0 && !read_frames(f, m)) return false;
  if (m.numGlCommands > 0) {
    m.glCommands = static_cast<int32_t*>(std::calloc(m.numGlCommands, sizeof(int32_t)));
    if (!m.glCommands) return false;
    bool ok = read_records(f, m.offsetGlCommands, m.numGlCommands, 4,
                           [&m](int32_t i, byte_reader& in) { m.glCommands[i] = in.i32(); });
    if (!ok) return false;
  }
  return true;
}

bool triangles_are_sane(const md2_model_t& m) {
  for (int32_t i = 0; i < m.numTriangles; ++i)
    for (int k = 0; k < 3; ++k) {
      const md2_triangle_t& tri = m.triangles[i];
      if (tri.vertex[k] < 0 || tri.vertex[k] >= m.numVertices) return false;
      if (tri.texCoord[k] < 0 || tri.texCoord[k] >= m.numTexCoords) return false;
    }
  return true;
}

// Drawing walks the stream with md2_next_gl_packet, which never leaves the
// block; here every packet must fit and name only existing vertices.
bool gl_commands_are_sane(const md2_model_t& m) {
  int position = 0;
  md2_gl_packet packet;
  while (md2_next_gl_packet(&m, position, packet))
    for (int i = 0; i < packet.count; ++i) {
      int index = md2_gl_vertex_index(packet.words + md2_gl_vertex_words * i);
      if (index < 0 || index >= m.numVertices) return false;
    }
  // The walk stopped at the end marker, at the end of the block, or at a packet
  // that runs past the block.
  return position >= m.numGlCommands || m.glCommands[position] == 0;
}

md2_model_t* read_model(FILE* f) {
  const long length = file_length(f);
  uint8_t header[md2_header_size];
  if (length < md2_header_size || std::fread(header, 1, sizeof header, f) != sizeof header) return nullptr;
  md2_model_t* m = static_cast<md2_model_t*>(std::calloc(1, sizeof(md2_model_t)));
  if (!m) return nullptr;
  decode_header(header, *m);
  if (!header_is_sane(*m, length) || !read_blocks(f, *m) || !triangles_are_sane(*m) || !gl_commands_are_sane(*m)) {
    md2_freeModel(m);
    return nullptr;
  }
  return m;
}

}  // namespace

md2_model_t* md2_readModel(const char* path) {
  bool used_scratch = false;
  FILE* f = asset_open_seekable(path, used_scratch);
  if (!f) return nullptr;
  md2_model_t* model = read_model(f);
  std::fclose(f);
  // Empty it whether or not the parse succeeded: nothing decompressed outlives a load.
  if (used_scratch) scratch_empty();
  return model;
}

void md2_freeModel(md2_model_t* model) {
  if (!model) return;
  if (model->frames)
    for (int32_t i = 0; i < model->numFrames; ++i) std::free(model->frames[i].vertices);
  std::free(model->frames);
  std::free(model->skins);
  std::free(model->texCoords);
  std::free(model->triangles);
  std::free(model->glCommands);
  std::free(model);
}

void md2_generateLightNormals(md2_model_t* model) {
  if (!model || !model->frames) return;
  for (int32_t f = 0; f < model->numFrames; ++f) {
    md2_vertex_t* v = model->frames[f].vertices;
    if (!v) continue;
    for (int32_t i = 0; i < model->numVertices; ++i) v[i].normal[0] = v[i].normal[1] = v[i].normal[2] = 0;
    for (int32_t t = 0; t < model->numTriangles; ++t) {
      const int16_t* idx = model->triangles[t].vertex;
      const float* p0 = v[idx[0]].position;
      const float* p1 = v[idx[1]].position;
      const float* p2 = v[idx[2]].position;
      const float e1[3] = {p1[0] - p0[0], p1[1] - p0[1], p1[2] - p0[2]};
      const float e2[3] = {p2[0] - p0[0], p2[1] - p0[1], p2[2] - p0[2]};
      // Not normalised: a larger face pulls harder on its corners.
      const float face[3] = {e1[1] * e2[2] - e1[2] * e2[1], e1[2] * e2[0] - e1[0] * e2[2],
                             e1[0] * e2[1] - e1[1] * e2[0]};
      // Stored in the file's axis order, so drawing turns it back into -face.
      for (int k = 0; k < 3; ++k) {
        float* n = v[idx[k]].normal;
        n[0] -= face[0];
        n[1] += face[2];
        n[2] -= face[1];
      }
    }
    for (int32_t i = 0; i < model->numVertices; ++i) {
      float* n = v[i].normal;
      const float length = std::sqrt(n[0] * n[0] + n[1] * n[1] + n[2] * n[2]);
      if (length != 0)
        for (int k = 0; k < 3; ++k) n[k] /= length;
    }
  }
}

void md2_getBoundingBox(const md2_model_t* model, float out[6]) {
  float lo[3] = {999999, 999999, 999999}, hi[3] = {-999999, -999999, -999999};
  const md2_vertex_t* v = model && model->frames && model->numFrames > 0 ? model->frames[0].vertices : nullptr;
  for (int32_t i = 0; v && i < model->numVertices; ++i)
    for (int k = 0; k < 3; ++k) {
      if (v[i].position[k] < lo[k]) lo[k] = v[i].position[k];
      if (v[i].position[k] > hi[k]) hi[k] = v[i].position[k];
    }
  for (int k = 0; k < 3; ++k) {
    out[2 * k] = lo[k];
    out[2 * k + 1] = hi[k];
  }
}

bool md2_next_gl_packet(const md2_model_t* model, int& position, md2_gl_packet& packet) {
  if (!model || !model->glCommands || position < 0 || position >= model->numGlCommands) return false;
  const int32_t n = model->glCommands[position];
  if (n == 0) return false;
  const int64_t count = n > 0 ? n : -static_cast<int64_t>(n);
  const int64_t room = (static_cast<int64_t>(model->numGlCommands) - position - 1) / md2_gl_vertex_words;
  if (count > room) return false;
  packet.fan = n < 0;
  packet.count = static_cast<int>(count);
  packet.words = model->glCommands + position + 1;
  position += 1 + md2_gl_vertex_words * packet.count;
  return true;
}

float md2_gl_s(const int32_t* entry) { return float_from_bits(entry[0]); }
float md2_gl_t(const int32_t* entry) { return float_from_bits(entry[1]); }
int md2_gl_vertex_index(const int32_t* entry) { return entry[2]; }

void md2_blend_vertex(const md2_model_t* model, int frameA, int frameB, float t, int index, float position[3],
                      float normal[3]) {
  const md2_vertex_t& a = model->frames[frameA].vertices[index];
  const md2_vertex_t& b = model->frames[frameB].vertices[index];
  // Weighted sum rather than a + t (b - a): exact at both ends.
  const float s = 1.0f - t;
  float n[3];
  for (int k = 0; k < 3; ++k) {
    position[k] = s * a.position[k] + t * b.position[k];
    n[k] = s * a.normal[k] + t * b.normal[k];
  }
  normal[0] = n[0];
  normal[1] = n[2];
  normal[2] = -n[1];
}

namespace {

// A frame's animation name: its name less up to two trailing digits.
void animation_name(const char* frame_name, char out[md2_frame_name_size]) {
  std::strncpy(out, frame_name, md2_frame_name_size - 1);
  out[md2_frame_name_size - 1] = '\0';
  size_t length = std::strlen(out);
  for (int dropped = 0; dropped < 2 && length > 0 && out[length - 1] >= '0' && out[length - 1] <= '9'; ++dropped)
    out[--length] = '\0';
}

// Calls visit(run, name, first, last) for each run of frames with one animation
// name, in order, until visit returns false. Past the last frame stands a frame
// with the empty name, which ends the last run.
template <typename Visit>
void walk_animations(const md2_model_t* model, Visit visit) {
  if (!model || !model->frames || model->numFrames <= 0) return;
  char current[md2_frame_name_size], next[md2_frame_name_size];
  animation_name(model->frames[0].name, current);
  int run = 0, first = 0;
  for (int32_t i = 1; i <= model->numFrames; ++i) {
    if (i < model->numFrames)
      animation_name(model->frames[i].name, next);
    else
      next[0] = '\0';
    if (std::strcmp(current, next) == 0) continue;
    if (!visit(run, current, first, i - 1)) return;
    ++run;
    first = i;
    std::strcpy(current, next);
  }
}

}  // namespace

int md2_getAnimationCount(const md2_model_t* model) {
  int count = 0;
  walk_animations(model, [&count](int, const char*, int, int) {
    ++count;
    return true;
  });
  return count;
}

void md2_getAnimationName(const md2_model_t* model, int a) {
  walk_animations(model, [a](int run, const char* name, int, int) {
    if (run != a) return true;
    std::strcpy(aname, name);
    return false;
  });
}

void md2_getAnimationFrames(const md2_model_t* model, int a) {
  astart = aend = 0;
  walk_animations(model, [a](int run, const char*, int first, int last) {
    if (run != a) return true;
    astart = first;
    aend = last;
    return false;
  });
}
