// The one text format every forge recipe is written in.
//
// A recipe is a list of entries, one per line: a keyword followed by
// arguments. An argument is either a bare value ("noise", 12, "a label") or
// name=value. Values are words, numbers, colours (#rrggbb or #rrggbbaa),
// comma lists (3,4.5) or double-quoted strings with \" and \\ escapes. A word
// that starts with # begins a comment that runs to the end of the line.
//
// Every problem is reported as "file:line:column: message" to a diagnostics
// sink; the forge prints them and exits non-zero when there was any.
#pragma once
#include <cstdint>
#include <string>
#include <vector>

struct recipe_position {
  int line = 0;
  int column = 0;
};

struct recipe_value {
  std::string text;
  recipe_position at;
  bool quoted = false;
};

struct recipe_argument {
  std::string name;  // empty for a bare value
  recipe_position name_at;
  recipe_value value;
};

struct recipe_entry {
  recipe_value keyword;
  std::vector<recipe_argument> arguments;
};

// Collects error messages in the order they were found.
class diagnostics {
 public:
  void report(const std::string& file, recipe_position at, const std::string& message);
  // A problem with a whole file (cannot be opened or written).
  void report(const std::string& file, const std::string& message);
  // Something that does not stop the forge but that a modder should hear
  // ("FILE: warning: message").
  void warn(const std::string& file, const std::string& message);
  int count() const { return int(messages_.size()); }  // errors only
  const std::vector<std::string>& messages() const { return messages_; }
  const std::vector<std::string>& warnings() const { return warnings_; }

 private:
  std::vector<std::string> messages_, warnings_;
};

// An 8-bit-per-channel colour as written in recipes.
struct recipe_color {
  uint8_t r = 0, g = 0, b = 0, a = 255;
};

class recipe {
 public:
  recipe(std::string path, diagnostics& sink) : path_(std::move(path)), sink_(sink) {}

  // Reads and parses the file; false (and reported) when it cannot be read.
  bool load();
  // Parses text as if it were the file's contents.
  void parse(const std::string& text);

  const std::string& path() const { return path_; }
  const std::vector<recipe_entry>& entries() const { return entries_; }
  // Reports at a line and column of this file, or at a place made by place().
  void error(recipe_position at, const std::string& message);
  diagnostics& sink() { return sink_; }

  // A position standing for a place that is no line of this file: another
  // file's line ("levels/tiles.tsx:12:5") or a path inside a JSON document
  // ("levels/x.tmj: layers[1].data[37]"). Errors there read "PLACE: message".
  recipe_position place(const std::string& where);

 private:
  std::string path_;
  diagnostics& sink_;
  std::vector<recipe_entry> entries_;
  std::vector<std::string> places_;  // place() positions are {0, index + 1}
};

// Typed access to one entry's arguments. Every read of a named argument
// marks it used; finish() reports arguments nobody asked for (usually typos)
// and bare values beyond those taken. Reads of missing optional arguments
// leave the target at its default and succeed.
class recipe_args {
 public:
  recipe_args(recipe& owner, const recipe_entry& entry);

  // Bare values, in order after the keyword.
  size_t bare_count() const { return bare_.size(); }
  // The i-th bare value; reported and empty when missing.
  std::string bare(size_t i, const char* what);
  bool bare_number(size_t i, const char* what, double& out, double lo, double hi);

  bool has(const char* name) const;
  bool number(const char* name, double& out, double lo, double hi);
  bool number(const char* name, float& out, float lo, float hi);
  bool integer(const char* name, int& out, int lo, int hi);
  bool word(const char* name, std::string& out);
  bool color(const char* name, recipe_color& out);
  // One of `options`; `out` is its index.
  bool choice(const char* name, int& out, const std::vector<const char*>& options);
  bool flag(const char* name, bool& out);  // yes/no
  // Exactly `count` comma-separated numbers, each within [lo, hi].
  bool numbers(const char* name, std::vector<double>& out, size_t count, double lo, double hi);
  // A size written as N or WxH.
  bool size(const char* name, int& width, int& height, int lo, int hi);

  // Reports a missing argument that has no sensible default.
  bool require(const char* name);

  void error(const std::string& message);
  void error(recipe_position at, const std::string& message) { owner_.error(at, message); }
  const recipe_entry& entry() const { return entry_; }
  // Reports unused arguments; returns false when any were found.
  bool finish();

 private:
  const recipe_argument* find(const char* name);
  recipe& owner_;
  const recipe_entry& entry_;
  std::vector<const recipe_argument*> bare_;
  std::vector<bool> used_;       // per argument of entry_
  std::vector<bool> bare_used_;  // per bare value
};

// Parses a whole number or decimal with nothing after it.
bool parse_recipe_number(const std::string& text, double& out);
bool parse_recipe_color(const std::string& text, recipe_color& out);
