// Model geometry from recipes: solids face outward as the engine lights
// them, skins map inside their materials the right way up, keys pose the
// parts, and what the engine reads back has the recipe's shape and animations.
#include <gtest/gtest.h>

#include <cmath>
#include <string>
#include <vector>

#include "formats/md2.h"
#include "formats/md2_writer.h"
#include "models/model_build.h"
#include "models/model_mesh.h"
#include "models/model_pose.h"
#include "models/model_recipe.h"
#include "support/scratch_dir.h"

namespace {

constexpr int skin_side = 64;

model_rig rig_of(const std::string& body) {
  diagnostics sink;
  recipe r("m.txt", sink);
  r.parse("model skin=data/textures/s.tga\nmaterial a region=0,0,32,16\nmaterial b region=32,16,16,32\n" + body);
  model_rig rig;
  EXPECT_TRUE(read_model_recipe(r, rig)) << (sink.messages().empty() ? "" : sink.messages()[0]);
  return rig;
}

// The recipe as the engine sees it: encoded, read back, lit.
md2_model_t* engine_model_of(const model_rig& rig) {
  model_mesh mesh = build_rest_mesh(rig, skin_side, skin_side);
  md2_writer_model md2;
  std::string problem;
  std::vector<uint8_t> bytes;
  if (!encode_frames(mesh, pose_all_frames(rig, mesh), rig.skin, skin_side, skin_side, md2, problem) ||
      !md2_encode(md2, bytes))
    return nullptr;
  write_file("m.md2", std::string(bytes.begin(), bytes.end()));
  md2_model_t* m = md2_readModel("m.md2");
  md2_generateLightNormals(m);
  return m;
}

TEST(ForgeModelMesh, EverySolidFacesOutwardAsTheEngineLightsIt) {
  scratch_dir dir;
  struct solid_case {
    const char* recipe;
    vec3 centre;
  } cases[] = {
      {"box center=1,2,3 size=0.5,1,2 rotate=10,20,30 material=a", {1, 2, 3}},
      {"sphere center=0,1,0 radius=0.5 scale=1,2,0.5 material=a", {0, 1, 0}},
      {"cylinder from=0,0,0 to=1,1,0 radius=0.3 radius_to=0.1 material=a", {0.5f, 0.5f, 0}},
      {"cylinder from=0,0,0 to=0,-1,0 radius=0.2 radius_to=0 material=a", {0, -0.5f, 0}},
      {"capsule from=0,0,0 to=0,0,1 radius=0.25 material=a", {0, 0, 0.5f}},
  };
  for (const solid_case& c : cases) {
    SCOPED_TRACE(c.recipe);
    md2_model_t* m = engine_model_of(rig_of(std::string(c.recipe) + "\n"));
    ASSERT_NE(m, nullptr);
    for (int v = 0; v < m->numVertices; ++v) {
      const md2_vertex_t& vertex = m->frames[0].vertices[v];
      // Drawn as (nx, nz, -ny) in the game's axes.
      vec3 normal = {vertex.normal[0], vertex.normal[2], -vertex.normal[1]};
      vec3 out = vec3{vertex.position[0], vertex.position[1], vertex.position[2]} - c.centre;
      ASSERT_GT(length(normal), 0.5f) << v;
      EXPECT_GT(dot(normal, out), 0.0f) << v;
    }
    md2_freeModel(m);
  }
}

bool inside(const mesh_corner& c, const skin_region& r) {
  float x = c.s * skin_side, y = c.t * skin_side;
  return x >= r.x && x <= r.x + r.w && y >= r.y && y <= r.y + r.h;
}

TEST(ForgeModelMesh, BoxFacesShowTheirMaterialUprightFromOutside) {
  model_rig rig = rig_of("box center=0,0,0 size=1,1,1 material=a top=b\n");
  model_mesh mesh = build_rest_mesh(rig, skin_side, skin_side);
  ASSERT_EQ(mesh.polygons.size(), 6u);
  for (int f = 0; f < box_face_count; ++f)
    for (int k = 0; k < 4; ++k)
      EXPECT_TRUE(inside(mesh.polygons[size_t(f)].corner[k], rig.materials[f == face_top ? 1 : 0])) << f;
  // Front (-x): the material's top row up, its left column towards -z, as a
  // viewer in front of it sees it.
  for (const mesh_corner& c : mesh.polygons[face_front].corner) {
    vec3 p = mesh.vertices[size_t(c.vertex)].position;
    EXPECT_EQ(c.t < 0.15f, p.y > 0) << p.y;
    EXPECT_EQ(c.s < 0.25f, p.z < 0) << p.z;
  }
  // Top: the front edge (-x) at the material's top row.
  for (const mesh_corner& c : mesh.polygons[face_top].corner) {
    vec3 p = mesh.vertices[size_t(c.vertex)].position;
    EXPECT_EQ(c.t < 0.5f, p.x < 0) << p.x;
  }
}

TEST(ForgeModelMesh, RoundSolidsKeepTheirSkinInsideTheMaterialAndCentredInFront) {
  for (const char* solid : {"sphere center=0,0,0 radius=1 material=b wrap=180",
                            "capsule from=0,1,0 to=0,0,0 radius=0.3 material=b",
                            "cylinder from=0,1,0 to=0,0,0 radius=0.3 material=b"}) {
    SCOPED_TRACE(solid);
    model_rig rig = rig_of(std::string(solid) + "\n");
    model_mesh mesh = build_rest_mesh(rig, skin_side, skin_side);
    const skin_region& b = rig.materials[1];
    for (const mesh_polygon& p : mesh.polygons)
      for (int k = 0; k < p.count; ++k) {
        EXPECT_TRUE(inside(p.corner[k], b));
        vec3 at = mesh.vertices[size_t(p.corner[k].vertex)].position;
        // The material's middle column faces the front (-x).
        if (at.x < -0.25f && std::fabs(at.z) < 1e-4f) {
          EXPECT_NEAR(p.corner[k].s * skin_side, b.x + b.w / 2, 0.6f);
        }
      }
  }
}

TEST(ForgeModelMesh, KeysBlendHoldAndLoop) {
  const char* parts =
      "part arm pivot=0,0,0\nbox center=1,0,0 size=0.1,0.1,0.1 material=a\n"
      "part hand parent=arm pivot=1,0,0\nbox center=2,0,0 size=0.1,0.1,0.1 material=a\n";
  model_rig once = rig_of(std::string(parts) + "animation a frames=8\nkey 1 arm move=0,0,0\nkey 5 arm move=4,0,0\n");
  EXPECT_NEAR(transform_point(pose_parts(once, 0, 2)[1], {}).x, 2, 1e-5);  // halfway
  EXPECT_NEAR(transform_point(pose_parts(once, 0, 7)[1], {}).x, 4, 1e-5);  // held after the last key
  model_rig looped =
      rig_of(std::string(parts) + "animation a frames=8 loop=yes\nkey 1 arm move=0,0,0\nkey 5 arm move=4,0,0\n");
  EXPECT_NEAR(transform_point(pose_parts(looped, 0, 6)[1], {}).x, 2, 1e-5);  // back towards the first key

  // A child follows its parent's turn about the parent's pivot, then its own.
  model_rig bent = rig_of(std::string(parts) + "animation a frames=1\nkey 1 arm rotate=0,0,90\nkey 1 hand rotate=0,0,90\n");
  std::vector<mat34> pose = pose_parts(bent, 0, 0);
  vec3 elbow = transform_point(pose[2], {1, 0, 0}), fingertip = transform_point(pose[2], {2, 0, 0});
  EXPECT_NEAR(elbow.x, 0, 1e-5);
  EXPECT_NEAR(elbow.y, 1, 1e-5);
  EXPECT_NEAR(fingertip.x, -1, 1e-5);
  EXPECT_NEAR(fingertip.y, 1, 1e-5);
}

TEST(ForgeModelMesh, TheEngineReadsTheRecipesAnimationsAndPoses) {
  scratch_dir dir;
  model_rig rig = rig_of(
      "part lid pivot=0,1,0\nbox center=0,1,0 size=1,0.2,1 material=a\n"
      "animation closed frames=1\nanimation opening frames=10\nkey 10 lid move=0,2,0\nanimation open frames=1\n"
      "key 1 lid move=0,2,0\n");
  md2_model_t* m = engine_model_of(rig);
  ASSERT_NE(m, nullptr);
  ASSERT_EQ(m->numFrames, 12);
  ASSERT_EQ(md2_getAnimationCount(m), 3);
  const char* names[] = {"closed", "opening", "open"};
  const int ranges[][2] = {{0, 0}, {1, 10}, {11, 11}};
  for (int a = 0; a < 3; ++a) {
    md2_getAnimationName(m, a);
    md2_getAnimationFrames(m, a);
    EXPECT_STREQ(aname, names[a]);
    EXPECT_EQ(astart, ranges[a][0]);
    EXPECT_EQ(aend, ranges[a][1]);
  }
  // Positions come back in the game's axes, posed, within the byte quantising.
  float closed[6];
  md2_getBoundingBox(m, closed);
  EXPECT_NEAR(closed[2], 0.9f, 0.01f);
  EXPECT_NEAR(closed[3], 1.1f, 0.01f);
  EXPECT_NEAR(closed[4], -0.5f, 0.01f);
  float top = -1e9f;
  for (int v = 0; v < m->numVertices; ++v) top = std::max(top, m->frames[11].vertices[v].position[1]);
  EXPECT_NEAR(top, 3.1f, 0.01f);
  md2_freeModel(m);
}

TEST(ForgeModelMesh, TooManyVerticesForAnMd2FrameAreRefused) {
  model_rig rig = rig_of("sphere center=0,0,0 radius=1 material=a sides=64 rings=32\n"
                         "sphere center=3,0,0 radius=1 material=a sides=64 rings=32\n");
  model_mesh mesh = build_rest_mesh(rig, skin_side, skin_side);
  md2_writer_model md2;
  std::string problem;
  EXPECT_FALSE(encode_frames(mesh, pose_all_frames(rig, mesh), rig.skin, skin_side, skin_side, md2, problem));
  EXPECT_NE(problem.find("an MD2 frame holds at most 2048"), std::string::npos) << problem;
}

}  // namespace
