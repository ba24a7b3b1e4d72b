// The command queue: menus, triggers, the level loader and the main loop queue
// short text commands here, and the main loop runs them once per frame, newest
// first. The same object holds the one on-screen message line.
#pragma once
#include <cstddef>
#include <string>

constexpr int command_capacity = 512;
constexpr size_t command_text_capacity = 256;  // a command is cut to 255 characters
constexpr size_t message_capacity = 256;
constexpr float message_show_seconds = 3.0f;

class C_Console {
 public:
  // Queues a copy of the text as the newest command; a full queue drops it.
  void add_command(const char* text);
  // Runs and removes every queued command, newest first.
  void process_commands();
  // Shows a message for three seconds (underscores become spaces);
  // "NOMESSAGE_TRIGGER" leaves the current message alone.
  void add_message(const char* text);
  // Ages the message by the frame time.
  void process_message();

  std::string commands[command_capacity];
  int command_count = 0;
  float message_time = 0.0f;
  char message[message_capacity] = {};

 private:
  void execute(const char* command);
};

extern C_Console Console;
