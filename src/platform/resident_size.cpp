#include "platform/resident_size.h"

#include <unistd.h>  // sysconf: the page size

#include <cstdio>

long long resident_bytes() {
  // statm: total pages, then resident pages.
  FILE* statm = std::fopen("/proc/self/statm", "r");
  if (!statm) return -1;
  long long total = 0, resident = 0;
  const bool read = std::fscanf(statm, "%lld %lld", &total, &resident) == 2;
  std::fclose(statm);
  const long page = sysconf(_SC_PAGESIZE);
  return read && page > 0 ? resident * page : -1;
}
