#include "models/model_pose.h"

#include <algorithm>

namespace {

vec3 rest_value(key_channel channel) { return channel == key_channel::scale ? vec3{1, 1, 1} : vec3{0, 0, 0}; }

// The channel's value at `frame`: keys blend linearly; outside them the
// nearest key holds, except that a looping animation blends from its last key
// round to its first.
vec3 channel_value(const model_animation& a, int part, key_channel channel, int frame) {
  std::vector<const model_key*> keys;
  for (const model_key& k : a.keys)
    if (k.part == part && k.channel == channel) keys.push_back(&k);
  if (keys.empty()) return rest_value(channel);
  std::stable_sort(keys.begin(), keys.end(), [](const model_key* x, const model_key* y) { return x->frame < y->frame; });
  // A later key for the same frame replaces the earlier one.
  for (size_t i = keys.size(); i-- > 1;)
    if (keys[i - 1]->frame == keys[i]->frame) keys.erase(keys.begin() + long(i) - 1);
  const model_key* before = nullptr;
  const model_key* after = nullptr;
  for (const model_key* k : keys) {
    if (k->frame <= frame) before = k;
    if (k->frame >= frame && !after) after = k;
  }
  if (before && before->frame == frame) return before->value;
  float span_start = 0, span_end = 0;
  if (before && after) {
    span_start = float(before->frame);
    span_end = float(after->frame);
  } else if (a.loop) {
    before = keys.back();
    after = keys.front();
    span_start = float(before->frame) - (before->frame > frame ? float(a.frames) : 0.0f);
    span_end = float(after->frame) + (after->frame < frame ? float(a.frames) : 0.0f);
  } else {
    return (before ? before : after)->value;
  }
  if (span_end <= span_start) return before->value;
  return lerp(before->value, after->value, (float(frame) - span_start) / (span_end - span_start));
}

}  // namespace

std::vector<mat34> pose_parts(const model_rig& rig, int animation, int frame) {
  std::vector<mat34> world(rig.parts.size());
  for (size_t p = 0; p < rig.parts.size(); ++p) {
    mat34 local;
    if (animation >= 0 && animation < int(rig.animations.size())) {
      const model_animation& a = rig.animations[size_t(animation)];
      vec3 pivot = rig.parts[p].pivot;
      local = translation(pivot + channel_value(a, int(p), key_channel::move, frame)) *
              rotation_xyz(channel_value(a, int(p), key_channel::rotate, frame)) *
              scaling(channel_value(a, int(p), key_channel::scale, frame)) * translation(pivot * -1.0f);
    }
    int parent = rig.parts[p].parent;
    // Parents are always defined before their children.
    world[p] = parent >= 0 ? world[size_t(parent)] * local : local;
  }
  return world;
}

std::vector<vec3> posed_positions(const model_rig& rig, const model_mesh& mesh, int index) {
  int animation = -1, frame = 0;
  for (size_t a = 0; a < rig.animations.size(); ++a) {
    if (index < rig.animations[a].frames) {
      animation = int(a);
      frame = index;
      break;
    }
    index -= rig.animations[a].frames;
  }
  std::vector<mat34> parts = pose_parts(rig, animation, frame);
  std::vector<vec3> positions;
  positions.reserve(mesh.vertices.size());
  for (const mesh_vertex& v : mesh.vertices) positions.push_back(transform_point(parts[size_t(v.part)], v.position));
  return positions;
}
