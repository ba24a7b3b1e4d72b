// The command queue: the parts that decide something (menus, triggers, the
// level loader, the main loop) queue short text commands, the rooms that carry
// a command out register it by name, and the main loop runs the queue once per
// frame, newest first. The same object holds the one on-screen message line.
#pragma once
#include <cstddef>

constexpr int command_capacity = 512;
constexpr size_t command_text_capacity = 256;  // a command is cut to 255 characters
constexpr int command_name_capacity = 32;      // registered commands
constexpr size_t message_capacity = 256;
constexpr float message_show_seconds = 3.0f;

// Carries out one command. `rest` is the text after the command's name: the
// argument of a prefix name ("new:" gets "data/maps/test"), empty for a whole
// name ("quit").
using command_handler = void (*)(const char* rest);

// The first whitespace-free word of `rest`, cut to the command buffer.
void command_argument(const char* rest, char (&word)[command_text_capacity]);

class C_Console {
 public:
  // A name ending in ':' is a prefix and matches every command that starts
  // with it; any other name matches only the whole command. Registering a name
  // again replaces its handler; false when the table is full. "message:" is
  // the console's own.
  bool register_command(const char* name, command_handler handler);

  // Queues a copy of the text (cut to 255 characters) as the newest command;
  // a full queue drops it.
  void add_command(const char* text);
  // Runs and removes every queued command, newest first. A command no room
  // registered does nothing.
  void process_commands();
  // Commands waiting.
  int queued() const;

  // Shows a message for three seconds (underscores become spaces);
  // "NOMESSAGE_TRIGGER" leaves the current message alone.
  void add_message(const char* text);
  // Ages the message by the frame time.
  void process_message();
  // Takes the message down, as at start-up.
  void clear_message();

  float message_time = 0.0f;
  char message[message_capacity] = {};
};

// The one console; its queue and command table live in console.cpp.
extern C_Console Console;
