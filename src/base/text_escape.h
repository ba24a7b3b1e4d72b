// Texts with spaces travel through whitespace-separated files with their
// spaces turned into underscores, and back.
#pragma once
#include <cstddef>

// Spaces to underscores, in place; returns the length.
size_t strmake_(char* text);
// Underscores to spaces, in place; returns the length.
size_t strunmake_(char* text);
