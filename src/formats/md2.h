// MD2 vertex-animated models: reading into memory, lighting normals, frame
// blending, the walk through the file's strips and fans, bounding box and
// named animations. Drawing them is render/md2_draw's.
//
// Stored positions are in the game's axes (y up): a file point (X, Y, Z) with
// Z up is kept as (X, Z, -Y). Normals are kept in the file's order and turned
// only when sent to GL, as (nx, nz, -ny).
#pragma once
#include <cstdint>

// The reader's limits. Frames hold at most md2_max_vertices vertices, so a
// frame record is at most 40 header bytes + 4 per vertex, plus the slack the
// format has always allowed.
constexpr int md2_max_vertices = 2048;
constexpr int md2_max_frame_size = md2_max_vertices * 4 + 128;
constexpr int md2_header_size = 68;
constexpr int md2_skin_name_size = 64;
constexpr int md2_frame_name_size = 16;
constexpr int md2_frame_header_size = 40;  // scale, translate, name
constexpr int md2_triangle_size = 12;
constexpr int md2_tex_coord_size = 4;
constexpr int md2_gl_vertex_words = 3;  // s, t, vertex index
// "IDP2" read as a little-endian int32.
constexpr int32_t md2_ident = 'I' | ('D' << 8) | ('P' << 16) | ('2' << 24);

struct md2_tex_coord_t {
  int16_t s, t;
};

struct md2_triangle_t {
  int16_t vertex[3];
  int16_t texCoord[3];
};

struct md2_vertex_t {
  float position[3];  // game axes
  float normal[3];    // file axes
};

struct md2_frame_t {
  char name[md2_frame_name_size];
  md2_vertex_t* vertices;  // numVertices records
};

// One heap block per model; the blocks below exist only when their count is
// above 0. The header fields are the file's, in file order.
struct md2_model_t {
  int32_t ident, version, skinWidth, skinHeight, frameSize;
  int32_t numSkins, numVertices, numTexCoords, numTriangles, numGlCommands, numFrames;
  int32_t offsetSkins, offsetTexCoords, offsetTriangles, offsetFrames, offsetGlCommands, offsetEnd;

  char (*skins)[md2_skin_name_size];
  md2_tex_coord_t* texCoords;
  md2_triangle_t* triangles;
  md2_frame_t* frames;
  int32_t* glCommands;  // the words exactly as in the file
};

// Animation lookups answer through these.
constexpr int md2_animation_name_capacity = 256;
extern char aname[md2_animation_name_capacity];
extern int astart, aend;

// Reads the file, or its ".bz2" copy through the scratch file. Null when the
// asset is missing or the file is malformed in any way that could make a later
// call read outside the model's blocks.
md2_model_t* md2_readModel(const char* path);
void md2_freeModel(md2_model_t* model);

// Recomputes every frame's normals from the triangles, weighting each face by
// its area. Vertices on no triangle get (0, 0, 0).
void md2_generateLightNormals(md2_model_t* model);

// min x, max x, min y, max y, min z, max z of frame 0's stored positions.
void md2_getBoundingBox(const md2_model_t* model, float out[6]);

// One packet of the GL command stream: a strip or fan of `count` vertices whose
// entries start at `words` (s, t as float bits, vertex index).
struct md2_gl_packet {
  bool fan;
  int count;
  const int32_t* words;
};
// Steps through the stream from `position` (start at 0). False at the end
// marker, at the end of the block, or at a packet that does not fit in it.
bool md2_next_gl_packet(const md2_model_t* model, int& position, md2_gl_packet& packet);
float md2_gl_s(const int32_t* entry);
float md2_gl_t(const int32_t* entry);
int md2_gl_vertex_index(const int32_t* entry);

// Vertex `index` blended from frame A (weight 1 - t) to frame B (weight t):
// position in game axes, normal turned into game axes as sent to GL.
// t = 0 gives frame A and t = 1 frame B exactly. Both frames and the vertex
// must exist: drawing checks the frames, and the reader has checked every
// index in the GL commands.
void md2_blend_vertex(const md2_model_t* model, int frameA, int frameB, float t, int index,
                      float position[3], float normal[3]);

// Animations are runs of consecutive frames whose names agree once up to two
// trailing digits are dropped (run01 and run1 both belong to "run").
int md2_getAnimationCount(const md2_model_t* model);
// Copies the name of animation a into aname; leaves aname alone when there is no such run.
void md2_getAnimationName(const md2_model_t* model, int a);
// Sets astart and aend to animation a's first and last frame, or both to 0.
void md2_getAnimationFrames(const md2_model_t* model, int a);
