// Value readers shared by the definition loaders: names that must fit their
// field, names resolved against the content lists, and animation ranges.
#pragma once
#include <cstddef>
#include <cstdint>

class tagged_reader;

// The next word into `out` if it fits (capacity - 1 characters). A longer word
// is consumed and refused: `out` keeps its value and the result is false, as
// it is at end of file. Cutting would make a different name, which could open
// another file or match another entry.
bool read_name(tagged_reader& reader, char* out, size_t capacity);
template <size_t N>
bool read_name(tagged_reader& reader, char (&out)[N]) { return read_name(reader, out, N); }

// The next word looked up in the texture list / model table (by MD2 path);
// `index` is unchanged when nothing matches.
void read_texture_index(tagged_reader& reader, int32_t& index);
void read_model_index(tagged_reader& reader, int32_t& index);

// Shows "path: problem" (or only the path) on the loading log, marked failed.
void log_content_failure(const char* path, const char* problem = nullptr);

enum class animation_forms { names_and_frames, names_only };

// An animation value: "byframes" and two frame numbers, or the name of an
// animation of model `model_index`. A name the model lacks (or a model without
// a mesh) leaves `range` unchanged.
void read_animation(tagged_reader& reader, int32_t model_index, int32_t range[2],
                    animation_forms forms = animation_forms::names_and_frames);
