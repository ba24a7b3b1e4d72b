#include "formats/file_length.h"

#include <sys/stat.h>  // fstat: the length and kind of an open file

long regular_file_length(FILE* file, long limit) {
  struct stat info;
  if (!file || fstat(fileno(file), &info) != 0 || !S_ISREG(info.st_mode)) return -1;
  if (info.st_size < 0 || info.st_size > limit) return -1;
  return static_cast<long>(info.st_size);
}
