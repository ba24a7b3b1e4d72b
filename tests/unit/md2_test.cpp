#include <gtest/gtest.h>

#include <cmath>
#include <cstring>
#include <memory>
#include <string>
#include <vector>

#include "formats/md2.h"
#include "formats/md2_normals.h"
#include "formats/md2_writer.h"
#include "support/scratch_dir.h"

namespace {

using model_ptr = std::unique_ptr<md2_model_t, decltype(&md2_freeModel)>;

model_ptr load_bytes(const std::vector<uint8_t>& bytes) {
  write_file("m.md2", std::string(bytes.begin(), bytes.end()));
  return model_ptr(md2_readModel("m.md2"), &md2_freeModel);
}

std::vector<uint8_t> encode(const md2_writer_model& m) {
  std::vector<uint8_t> bytes;
  EXPECT_TRUE(md2_encode(m, bytes));
  return bytes;
}

md2_writer_frame frame(const std::string& name, std::vector<md2_writer_vertex> vertices) {
  return md2_writer_frame{name, std::move(vertices)};
}

// Two frames of a quad (two triangles) on a 64 x 32 skin, drawn as two strips.
md2_writer_model quad_model() {
  md2_writer_model m;
  m.skin_width = 64;
  m.skin_height = 32;
  m.skins = {"models/quad.pcx", "models/quad_pain.pcx"};
  m.tex_coords = {{0, 0}, {64, 0}, {64, 32}, {0, 32}};
  m.triangles = {{{0, 1, 2}, {0, 1, 2}}, {{0, 2, 3}, {0, 2, 3}}};
  m.frames = {frame("idle1", {{{0, 0, 0}, 3}, {{255, 0, 0}, 5}, {{255, 255, 0}}, {{0, 255, 255}}}),
              frame("idle2", {{{10, 0, 0}}, {{265, 0, 0}}, {{265, 255, 0}}, {{10, 255, 255}}})};
  m.gl_packets = md2_strips_from_triangles(m);
  return m;
}

void put_i32(std::vector<uint8_t>& bytes, size_t at, int32_t value) {
  for (int i = 0; i < 4; ++i) bytes[at + i] = static_cast<uint8_t>(static_cast<uint32_t>(value) >> (8 * i));
}

int32_t get_i32(const std::vector<uint8_t>& bytes, size_t at) {
  uint32_t v = 0;
  for (int i = 0; i < 4; ++i) v |= static_cast<uint32_t>(bytes[at + i]) << (8 * i);
  return static_cast<int32_t>(v);
}

// Header word offsets.
enum : size_t {
  frame_size_at = 16,
  num_skins_at = 20,
  num_vertices_at = 24,
  num_tex_coords_at = 28,
  num_triangles_at = 32,
  num_gl_commands_at = 36,
  num_frames_at = 40,
  offset_skins_at = 44,
  offset_tex_coords_at = 48,
  offset_triangles_at = 52,
  offset_frames_at = 56,
  offset_gl_commands_at = 60,
};

TEST(Md2Reader, FilePositionIsStoredInGameAxes) {
  scratch_dir dir;
  md2_writer_model m;
  m.frames = {frame("still", {{{10, 20, 30}}})};
  model_ptr model = load_bytes(encode(m));
  ASSERT_TRUE(model);
  const float* p = model->frames[0].vertices[0].position;
  EXPECT_EQ(p[0], 10.0f);
  EXPECT_EQ(p[1], 30.0f);
  EXPECT_EQ(p[2], -20.0f);
}

TEST(Md2Reader, KeepsHeaderBlocksAndCommandsAsWritten) {
  scratch_dir dir;
  const md2_writer_model source = quad_model();
  const std::vector<uint8_t> bytes = encode(source);
  model_ptr model = load_bytes(bytes);
  ASSERT_TRUE(model);

  for (size_t field = 0; field < md2_header_size / 4; ++field)
    EXPECT_EQ((&model->ident)[field], get_i32(bytes, field * 4)) << "header word " << field;
  EXPECT_STREQ(model->skins[1], "models/quad_pain.pcx");
  EXPECT_EQ(model->texCoords[2].s, 64);
  EXPECT_EQ(model->texCoords[2].t, 32);
  EXPECT_EQ(model->triangles[1].vertex[2], 3);
  EXPECT_EQ(model->triangles[1].texCoord[1], 2);
  for (int i = 0; i < model->numGlCommands; ++i)
    EXPECT_EQ(model->glCommands[i], get_i32(bytes, model->offsetGlCommands + 4 * i));

  EXPECT_STREQ(model->frames[1].name, "idle2");
  // Each frame spans 255 on its axes, so bytes decode exactly.
  const md2_vertex_t& v = model->frames[1].vertices[3];
  EXPECT_EQ(v.position[0], 10.0f);
  EXPECT_EQ(v.position[1], 255.0f);
  EXPECT_EQ(v.position[2], -255.0f);
  const md2_vertex_t& n = model->frames[0].vertices[1];
  for (int k = 0; k < 3; ++k) EXPECT_EQ(n.normal[k], avertexnormals[5][k]);
}

TEST(Md2Reader, OddFieldsAreMadeSafeNotRefused) {
  scratch_dir dir;
  std::vector<uint8_t> bytes = encode(quad_model());
  const size_t frames = static_cast<size_t>(get_i32(bytes, offset_frames_at));
  std::memset(&bytes[frames + 24], 'a', md2_frame_name_size);  // no terminator
  bytes[frames + md2_frame_header_size + 3] = 200;                // normal index past the table
  std::memset(&bytes[md2_header_size], 'b', md2_skin_name_size);  // skin without terminator
  model_ptr model = load_bytes(bytes);
  ASSERT_TRUE(model);
  EXPECT_EQ(std::string(model->frames[0].name), std::string(md2_frame_name_size - 1, 'a'));
  EXPECT_EQ(std::strlen(model->skins[0]), size_t(md2_skin_name_size - 1));
  for (int k = 0; k < 3; ++k) EXPECT_EQ(model->frames[0].vertices[0].normal[k], 0.0f);
}

TEST(Md2Reader, EmptyBlocksStayAbsent) {
  scratch_dir dir;
  md2_writer_model empty;
  std::vector<uint8_t> bytes = encode(empty);
  put_i32(bytes, num_gl_commands_at, 0);  // not even the end marker
  model_ptr model = load_bytes(bytes);
  ASSERT_TRUE(model);
  EXPECT_EQ(model->skins, nullptr);
  EXPECT_EQ(model->frames, nullptr);
  EXPECT_EQ(model->glCommands, nullptr);
  float box[6];
  md2_getBoundingBox(model.get(), box);
  EXPECT_EQ(box[0], 999999.0f);
  EXPECT_EQ(box[1], -999999.0f);
  EXPECT_EQ(md2_getAnimationCount(model.get()), 0);
}

TEST(Md2Reader, RefusesWhateverWouldReadOutsideTheFileOrTheBlocks) {
  scratch_dir dir;
  const std::vector<uint8_t> good = encode(quad_model());
  ASSERT_TRUE(load_bytes(good));
  const int32_t tri_at = get_i32(good, offset_triangles_at);
  const int32_t gl_at = get_i32(good, offset_gl_commands_at);
  const int32_t size = static_cast<int32_t>(good.size());

  struct patch {
    const char* what;
    size_t at;
    int32_t value;
    bool half = false;  // a 16-bit field
  };
  const patch patches[] = {
      {"ident", 0, 0x32504449 ^ 0x20},
      {"negative skins", num_skins_at, -1},
      {"negative vertices", num_vertices_at, -4},
      {"negative texture coordinates", num_tex_coords_at, -1},
      {"negative triangles", num_triangles_at, -2},
      {"negative command words", num_gl_commands_at, -1},
      {"negative frames", num_frames_at, -1},
      {"huge frames", num_frames_at, 0x7fffffff},
      {"huge triangles", num_triangles_at, 0x7fffffff},
      {"huge command words", num_gl_commands_at, 0x40000000},
      {"vertices over the cap", num_vertices_at, md2_max_vertices + 1},
      {"frame size over the cap", frame_size_at, md2_max_frame_size + 1},
      {"frame size too small for its vertices", frame_size_at, md2_frame_header_size + 4 * 3},
      {"frame size zero", frame_size_at, 0},
      {"skins past the end", offset_skins_at, size - 64},
      {"texture coordinates at a negative offset", offset_tex_coords_at, -4},
      {"triangles past the end", offset_triangles_at, size},
      {"frames past the end", offset_frames_at, size - 8},
      {"commands past the end", offset_gl_commands_at, size - 4},
      {"triangle vertex beyond the count", static_cast<size_t>(tri_at + 2), 4, true},
      {"negative triangle vertex", static_cast<size_t>(tri_at), -1, true},
      {"triangle texture coordinate beyond the count", static_cast<size_t>(tri_at + 12 + 8), 4, true},
      {"command vertex beyond the count", static_cast<size_t>(gl_at + 4 + 8), 4},
      {"negative command vertex", static_cast<size_t>(gl_at + 4 + 20), -1},
      {"strip longer than the stream", static_cast<size_t>(gl_at), 7},
      {"fan longer than the stream", static_cast<size_t>(gl_at), -7},
      {"most negative packet count", static_cast<size_t>(gl_at), INT32_MIN},
  };
  for (const patch& p : patches) {
    std::vector<uint8_t> bad = good;
    if (p.half) {
      bad[p.at] = static_cast<uint8_t>(p.value);
      bad[p.at + 1] = static_cast<uint8_t>(p.value >> 8);
    } else {
      put_i32(bad, p.at, p.value);
    }
    EXPECT_FALSE(load_bytes(bad)) << p.what;
  }
  for (size_t length = 0; length < good.size(); ++length)
    EXPECT_FALSE(load_bytes(std::vector<uint8_t>(good.begin(), good.begin() + length))) << "cut at " << length;
}

TEST(Md2Reader, MissingFileIsNull) {
  scratch_dir dir;
  EXPECT_EQ(md2_readModel("nothing.md2"), nullptr);
}

TEST(Md2GlCommands, WalkStopsAtEndMarkerOrBlockEnd) {
  scratch_dir dir;
  md2_writer_model m = quad_model();
  m.gl_packets[1].fan = true;
  std::vector<uint8_t> bytes = encode(m);
  auto packets_of = [](const md2_model_t* model) {
    std::vector<int> counts;  // negative for fans
    int position = 0;
    md2_gl_packet packet;
    while (md2_next_gl_packet(model, position, packet)) counts.push_back(packet.fan ? -packet.count : packet.count);
    return counts;
  };
  model_ptr with_marker = load_bytes(bytes);
  ASSERT_TRUE(with_marker);
  EXPECT_EQ(packets_of(with_marker.get()), (std::vector<int>{3, -3}));
  EXPECT_EQ(md2_gl_vertex_index(with_marker->glCommands + 10 + 1 + 3), 2);  // second fan entry
  EXPECT_EQ(md2_gl_s(with_marker->glCommands + 1 + 3), 1.0f);  // 64 / 64
  EXPECT_EQ(md2_gl_t(with_marker->glCommands + 1 + 6), 1.0f);  // 32 / 32

  put_i32(bytes, num_gl_commands_at, get_i32(bytes, num_gl_commands_at) - 1);
  model_ptr without_marker = load_bytes(bytes);
  ASSERT_TRUE(without_marker);
  EXPECT_EQ(packets_of(without_marker.get()), (std::vector<int>{3, -3}));
}

// Stored (game-axis) positions given; the file takes (x, -z, y).
md2_writer_vertex stored_at(float x, float y, float z) { return md2_writer_vertex{{x, -z, y}}; }

TEST(Md2Normals, AreAreaWeightedIdempotentAndZeroWhenUnused) {
  scratch_dir dir;
  md2_writer_model m;
  // Triangle 0 lies flat (area 2, facing up), triangle 1 stands in the x = 0
  // plane (area 1, facing +x); they share vertex 0. Vertex 5 is on neither; it
  // stretches the frame to 255 on every axis so the bytes decode exactly.
  m.frames = {frame("f", {stored_at(0, 0, 0), stored_at(200, 0, 0), stored_at(0, 0, 200), stored_at(0, 200, 0),
                          stored_at(0, 0, 100), stored_at(255, 255, 255)})};
  m.tex_coords = {{0, 0}};
  m.triangles = {{{0, 1, 2}, {0, 0, 0}}, {{0, 4, 3}, {0, 0, 0}}};
  model_ptr model = load_bytes(encode(m));
  ASSERT_TRUE(model);

  const float r5 = 1 / std::sqrt(5.0f);
  const float expected[6][3] = {{r5, 2 * r5, 0}, {0, 1, 0}, {0, 1, 0}, {1, 0, 0}, {1, 0, 0}, {0, 0, 0}};
  for (int pass = 0; pass < 2; ++pass) {
    md2_generateLightNormals(model.get());
    for (int i = 0; i < 6; ++i) {
      float p[3], drawn[3];
      md2_blend_vertex(model.get(), 0, 0, 0.0f, i, p, drawn);
      for (int k = 0; k < 3; ++k)
        EXPECT_NEAR(drawn[k], expected[i][k], 1e-5) << "pass " << pass << " vertex " << i << " axis " << k;
    }
  }
  md2_generateLightNormals(nullptr);
}

TEST(Md2BoundingBox, FindsExtremesWhateverTheVertexOrder) {
  scratch_dir dir;
  md2_writer_model m;
  // x falls from vertex to vertex; each axis spans 255 so bytes decode exactly.
  m.frames = {frame("f", {{{255, 0, 10}}, {{100, 255, 0}}, {{0, 40, 255}}}),
              frame("g", {{{900, 0, 0}}, {{0, 0, 0}}, {{0, 0, 0}}})};
  model_ptr model = load_bytes(encode(m));
  ASSERT_TRUE(model);
  float box[6];
  md2_getBoundingBox(model.get(), box);
  const float expected[6] = {0, 255, 0, 255, -255, 0};
  for (int i = 0; i < 6; ++i) EXPECT_EQ(box[i], expected[i]) << i;
}

md2_writer_model model_with_frames(const std::vector<std::string>& names) {
  md2_writer_model m;
  for (const std::string& name : names) m.frames.push_back(frame(name, {{{0, 0, 0}}}));
  return m;
}

TEST(Md2Animations, RunsOfFrameNamesLessTrailingDigits) {
  scratch_dir dir;
  std::vector<std::string> names;
  for (int i = 1; i <= 10; ++i) names.push_back(i < 10 ? "stand0" + std::to_string(i) : "stand10");
  for (int i = 1; i <= 6; ++i) names.push_back("run" + std::to_string(i));
  names.push_back("pain");
  model_ptr model = load_bytes(encode(model_with_frames(names)));
  ASSERT_TRUE(model);

  EXPECT_EQ(md2_getAnimationCount(model.get()), 3);
  const char* expected_names[3] = {"stand", "run", "pain"};
  const int ranges[3][2] = {{0, 9}, {10, 15}, {16, 16}};
  for (int a = 0; a < 3; ++a) {
    md2_getAnimationName(model.get(), a);
    EXPECT_STREQ(aname, expected_names[a]);
    md2_getAnimationFrames(model.get(), a);
    EXPECT_EQ(astart, ranges[a][0]);
    EXPECT_EQ(aend, ranges[a][1]);
  }
  std::strcpy(aname, "before");
  md2_getAnimationName(model.get(), 3);
  EXPECT_STREQ(aname, "before");
  md2_getAnimationFrames(model.get(), 3);
  EXPECT_EQ(astart, 0);
  EXPECT_EQ(aend, 0);
}

TEST(Md2Animations, DropAtMostTwoDigits) {
  scratch_dir dir;
  model_ptr model = load_bytes(encode(model_with_frames({"attack123", "attack124", "attack2", "run01", "run1", "idle"})));
  ASSERT_TRUE(model);
  EXPECT_EQ(md2_getAnimationCount(model.get()), 4);
  md2_getAnimationName(model.get(), 0);
  EXPECT_STREQ(aname, "attack1");
  md2_getAnimationName(model.get(), 1);
  EXPECT_STREQ(aname, "attack");
  md2_getAnimationFrames(model.get(), 2);
  EXPECT_EQ(astart, 3);
  EXPECT_EQ(aend, 4);
}

TEST(Md2Blend, EndsAreExactlyTheFramesAndTheMiddleIsBetween) {
  scratch_dir dir;
  md2_writer_model m;
  // Spans that do not divide evenly into 255 steps, so positions are not round.
  m.frames = {frame("a", {{{0.3f, -7.1f, 2.9f}, 11}, {{13.7f, 4.4f, -1.3f}, 40}}),
              frame("b", {{{-3.3f, 9.9f, 0.7f}, 90}, {{5.1f, -2.2f, 8.8f}, 161}})};
  model_ptr model = load_bytes(encode(m));
  ASSERT_TRUE(model);
  for (int i = 0; i < 2; ++i) {
    const md2_vertex_t& a = model->frames[0].vertices[i];
    const md2_vertex_t& b = model->frames[1].vertices[i];
    float p[3], n[3];
    md2_blend_vertex(model.get(), 0, 1, 0.0f, i, p, n);
    for (int k = 0; k < 3; ++k) EXPECT_EQ(p[k], a.position[k]);
    EXPECT_EQ(n[0], a.normal[0]);
    EXPECT_EQ(n[1], a.normal[2]);
    EXPECT_EQ(n[2], -a.normal[1]);
    md2_blend_vertex(model.get(), 0, 1, 1.0f, i, p, n);
    for (int k = 0; k < 3; ++k) EXPECT_EQ(p[k], b.position[k]);
    EXPECT_EQ(n[0], b.normal[0]);
    EXPECT_EQ(n[1], b.normal[2]);
    EXPECT_EQ(n[2], -b.normal[1]);
    md2_blend_vertex(model.get(), 0, 1, 0.25f, i, p, n);
    for (int k = 0; k < 3; ++k) EXPECT_NEAR(p[k], 0.75f * a.position[k] + 0.25f * b.position[k], 1e-5);
  }
}

TEST(Md2NormalTable, Holds162EvenlySpreadUnitDirections) {
  int axes_found = 0;
  float closest = 2;
  for (int i = 0; i < md2_normal_count; ++i) {
    const float* n = avertexnormals[i];
    EXPECT_NEAR(n[0] * n[0] + n[1] * n[1] + n[2] * n[2], 1.0f, 1e-6) << i;
    if (std::fabs(n[2]) > 0.999999f || std::fabs(n[1]) > 0.999999f || std::fabs(n[0]) > 0.999999f) ++axes_found;
    bool has_opposite = false;
    for (int j = 0; j < md2_normal_count; ++j) {
      const float* m = avertexnormals[j];
      if (j != i) closest = std::fmin(closest, std::hypot(n[0] - m[0], n[1] - m[1], n[2] - m[2]));
      has_opposite = has_opposite || (std::fabs(n[0] + m[0]) < 1e-6f && std::fabs(n[1] + m[1]) < 1e-6f &&
                                      std::fabs(n[2] + m[2]) < 1e-6f);
    }
    EXPECT_TRUE(has_opposite) << i;
  }
  EXPECT_EQ(axes_found, 6);
  // Neighbours on the subdivided icosahedron are about 16 degrees apart; no
  // two entries coincide and none are crowded.
  EXPECT_GT(closest, 0.25f);
  EXPECT_LT(closest, 0.35f);
}

TEST(Md2Writer, RefusesModelsTheReaderWouldRefuse) {
  std::vector<uint8_t> bytes;
  md2_writer_model m = quad_model();
  m.frames[1].vertices.pop_back();
  EXPECT_FALSE(md2_encode(m, bytes)) << "frames of different sizes";
  m = quad_model();
  m.frames[0].name = "sixteen_chars_xx";
  EXPECT_FALSE(md2_encode(m, bytes)) << "frame name too long";
  m = quad_model();
  m.skins[0] = std::string(64, 's');
  EXPECT_FALSE(md2_encode(m, bytes)) << "skin name too long";
  m = quad_model();
  m.triangles[0].vertex[1] = 4;
  EXPECT_FALSE(md2_encode(m, bytes)) << "triangle vertex";
  m = quad_model();
  m.triangles[0].texCoord[1] = 4;
  EXPECT_FALSE(md2_encode(m, bytes)) << "triangle texture coordinate";
  m = quad_model();
  m.gl_packets[0].vertices[0].index = 4;
  EXPECT_FALSE(md2_encode(m, bytes)) << "command vertex";
  m = quad_model();
  m.gl_packets[0].vertices.clear();
  EXPECT_FALSE(md2_encode(m, bytes)) << "empty packet";
  m = quad_model();
  m.frames[0].vertices[0].normal_index = md2_normal_count;
  EXPECT_FALSE(md2_encode(m, bytes)) << "normal index";
  m = model_with_frames({"big"});
  m.frames[0].vertices.resize(md2_max_vertices + 1);
  EXPECT_FALSE(md2_encode(m, bytes)) << "too many vertices";
  EXPECT_TRUE(bytes.empty());
  m.frames[0].vertices.resize(md2_max_vertices);
  EXPECT_TRUE(md2_encode(m, bytes)) << "exactly the cap";
}

}  // namespace
