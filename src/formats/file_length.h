// The length of an open file, asked of the file system rather than of the
// stream: seeking to the end of a directory or a device reports nonsense
// (a directory on some file systems says it is 2^63 - 1 bytes long).
#pragma once
#include <cstdio>

// Bytes in `file` when it is a regular file of at most `limit` bytes; -1 for
// anything else (a directory, a device, a pipe, a file past the limit).
long regular_file_length(FILE* file, long limit);
