// Reading a definition file the way the engine's tagged reader does (words,
// and values scanned with blanks that match any whitespace), but keeping the
// line and column of everything so the forge can say where a mistake is.
#pragma once
#include <string>

#include "common/recipe.h"

class definition_text {
 public:
  definition_text(std::string path, std::string text, diagnostics& sink)
      : path_(std::move(path)), text_(std::move(text)), sink_(sink) {}

  // The next whitespace-separated word; false at the end of the text.
  bool word(std::string& out, recipe_position& at);
  // One value word that must be there, for `tag`.
  bool value(std::string& out, recipe_position& at, const std::string& tag);
  bool integer(int& out, const std::string& tag);
  bool number(float& out, const std::string& tag);
  // Scans a format of blanks, literal characters and %f as the engine's
  // reader does; reports where it stops matching. `values` receives the numbers.
  bool scan(const char* format, float* values, const std::string& tag);

  void error(recipe_position at, const std::string& message) { sink_.report(path_, at, message); }
  void error(const std::string& message) { sink_.report(path_, message); }
  recipe_position here() const;
  const std::string& path() const { return path_; }

 private:
  void skip_space();
  std::string path_, text_;
  diagnostics& sink_;
  size_t pos_ = 0;
};

// A texts's words are names the engine stores in fixed fields.
constexpr size_t definition_list_name_limit = 63;  // model, texture and list names
constexpr size_t definition_word_limit = 255;      // every other stored word
