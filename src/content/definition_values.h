// Values the definition loaders resolve against the content lists: texture
// and model names, and animation ranges of a model's mesh.
#pragma once
#include <cstddef>
#include <cstdint>

class tagged_reader;

// The next word looked up in the texture list / model table (by MD2 path);
// `index` is unchanged when nothing matches.
void read_texture_index(tagged_reader& reader, int32_t& index);
void read_model_index(tagged_reader& reader, int32_t& index);

enum class animation_forms { names_and_frames, names_only };

// An animation value: "byframes" and two frame numbers, or the name of an
// animation of model `model_index`. A name the model lacks (or a model without
// a mesh) leaves `range` unchanged.
void read_animation(tagged_reader& reader, int32_t model_index, int32_t range[2],
                    animation_forms forms = animation_forms::names_and_frames);
