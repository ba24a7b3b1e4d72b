#include "setup/setup_message.h"

#include <spawn.h>
#include <sys/wait.h>

#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <cstring>

extern char** environ;

void show_error_box(const char* text) {
  size_t length = std::strlen(text);
  std::fprintf(stderr, "Error: %s%s", text, length && text[length - 1] == '\n' ? "" : "\n");
  if (!std::getenv("DISPLAY")) return;
  const char* argv[] = {"xmessage", "-center", "-title", "Error", "-buttons", "OK", "-default", "OK", text, nullptr};
  pid_t child;
  if (posix_spawnp(&child, "xmessage", nullptr, nullptr, const_cast<char* const*>(argv), environ) != 0) return;
  int status;
  while (waitpid(child, &status, 0) < 0 && errno == EINTR) {
  }
}
