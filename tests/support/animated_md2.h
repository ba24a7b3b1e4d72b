// A one-triangle MD2 whose frames carry the given names, for tests of the
// definition files that look animations up by name.
#pragma once
#include <string>
#include <vector>

// False when the model cannot be encoded.
bool write_animated_md2(const std::string& path, const std::vector<std::string>& frame_names);
