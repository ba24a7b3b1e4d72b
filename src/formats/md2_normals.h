// The format's fixed set of 162 unit normals: a vertex stores one byte that
// indexes this table.
//
// The set is the icosahedron with every face cut into 16 flat triangles
// (frequency 4) and each point pushed out to the unit sphere:
// 12 corners + 30 edges x 3 + 20 faces x 3 = 162 directions, evenly spread.
// The table is built at compile time from that construction.
#pragma once

constexpr int md2_normal_count = 162;

// x, y, z in the file's axes (z up).
extern const float (&avertexnormals)[md2_normal_count][3];
