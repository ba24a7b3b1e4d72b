// The word readers every definition loader shares: names that must fit their
// field, and the loading-log line for a definition that went wrong.
#pragma once
#include <cstddef>

class tagged_reader;

// The next word into `out` if it fits (capacity - 1 characters). A longer word
// is consumed and refused: `out` keeps its value and the result is false, as
// it is at end of file. Cutting would make a different name, which could open
// another file or match another entry.
bool read_name(tagged_reader& reader, char* out, size_t capacity);
template <size_t N>
bool read_name(tagged_reader& reader, char (&out)[N]) { return read_name(reader, out, N); }

// Shows "path: problem" (or only the path) on the loading log, marked failed.
void log_content_failure(const char* path, const char* problem = nullptr);
