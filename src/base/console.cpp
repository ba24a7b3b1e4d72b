#include "base/console.h"

#include <cstdio>
#include <cstring>

#include "base/frame_clock.h"
#include "base/text_escape.h"

C_Console Console;

namespace {

struct registered_command {
  char name[command_text_capacity];
  size_t length;
  bool prefix;
  command_handler handler;
};

void show_message(const char* rest) { Console.add_message(rest); }

registered_command table[command_name_capacity] = {{"message:", 8, true, show_message}};
int table_count = 1;

// The queue: entries 0 .. queue_count - 1, the newest last. Fixed storage, so
// queuing never allocates.
char queue[command_capacity][command_text_capacity];
int queue_count = 0;

bool matches(const registered_command& c, const char* text) {
  return c.prefix ? std::strncmp(text, c.name, c.length) == 0 : std::strcmp(text, c.name) == 0;
}

void execute(const char* text) {
  for (int i = 0; i < table_count; ++i) {
    if (!matches(table[i], text)) continue;
    table[i].handler(text + (table[i].prefix ? table[i].length : std::strlen(text)));
    return;
  }
}

}  // namespace

bool C_Console::register_command(const char* name, command_handler handler) {
  size_t length = std::strlen(name);
  if (length == 0 || length >= command_text_capacity || !handler) return false;
  for (int i = 0; i < table_count; ++i) {
    if (std::strcmp(table[i].name, name) != 0) continue;
    table[i].handler = handler;
    return true;
  }
  if (table_count >= command_name_capacity) return false;
  registered_command& c = table[table_count++];
  std::memcpy(c.name, name, length + 1);
  c.length = length;
  c.prefix = name[length - 1] == ':';
  c.handler = handler;
  return true;
}

void command_argument(const char* rest, char (&word)[command_text_capacity]) {
  const char* p = rest;
  while (*p == ' ' || *p == '\t' || *p == '\n' || *p == '\r') ++p;
  size_t n = 0;
  while (p[n] && p[n] != ' ' && p[n] != '\t' && p[n] != '\n' && p[n] != '\r' && n + 1 < sizeof word) {
    word[n] = p[n];
    ++n;
  }
  word[n] = '\0';
}

void C_Console::add_command(const char* text) {
  if (queue_count >= command_capacity) return;
  std::snprintf(queue[queue_count++], command_text_capacity, "%s", text);
}

void C_Console::process_commands() {
  char command[command_text_capacity];
  while (queue_count > 0) {
    --queue_count;
    // A handler may queue more; the copy keeps this command whatever happens
    // to its slot.
    std::memcpy(command, queue[queue_count], sizeof command);
    execute(command);
  }
}

int C_Console::queued() const { return queue_count; }

void C_Console::clear_message() {
  message_time = 0.0f;
  message[0] = '\0';
}

void C_Console::add_message(const char* text) {
  if (std::strcmp(text, "NOMESSAGE_TRIGGER") == 0) return;
  std::snprintf(message, sizeof message, "%s", text);
  strunmake_(message);
  message_time = message_show_seconds;
}

void C_Console::process_message() {
  if (message_time >= 0.0f) message_time -= motion_mix;
}
