// Small vector and rigid-transform arithmetic for building models: points in
// the game's axes (y up), transforms as 3 x 4 matrices (rotation, scale and
// translation; no projection).
#pragma once

struct vec3 {
  float x = 0, y = 0, z = 0;
};

inline vec3 operator+(vec3 a, vec3 b) { return {a.x + b.x, a.y + b.y, a.z + b.z}; }
inline vec3 operator-(vec3 a, vec3 b) { return {a.x - b.x, a.y - b.y, a.z - b.z}; }
inline vec3 operator*(vec3 a, float s) { return {a.x * s, a.y * s, a.z * s}; }
inline float dot(vec3 a, vec3 b) { return a.x * b.x + a.y * b.y + a.z * b.z; }
inline vec3 cross(vec3 a, vec3 b) {
  return {a.y * b.z - a.z * b.y, a.z * b.x - a.x * b.z, a.x * b.y - a.y * b.x};
}
float length(vec3 a);
// The unit vector along a; a itself when its length is 0.
vec3 normalized(vec3 a);
vec3 lerp(vec3 a, vec3 b, float t);

struct mat34 {
  // Row r maps a point p to m[r][0] p.x + m[r][1] p.y + m[r][2] p.z + m[r][3].
  float m[3][4] = {{1, 0, 0, 0}, {0, 1, 0, 0}, {0, 0, 1, 0}};
};

mat34 translation(vec3 offset);
mat34 scaling(vec3 factors);
// Turns about x, then y, then z, by the given degrees (right-handed).
mat34 rotation_xyz(vec3 degrees);
// The frame whose columns are the three axes and whose origin is `origin`.
mat34 frame_of(vec3 x_axis, vec3 y_axis, vec3 z_axis, vec3 origin);
mat34 operator*(const mat34& a, const mat34& b);  // a after b
vec3 transform_point(const mat34& m, vec3 p);
vec3 transform_direction(const mat34& m, vec3 d);
