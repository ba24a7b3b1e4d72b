#include "common/recipe.h"

#include <cctype>
#include <cmath>
#include <cstdlib>
#include <fstream>
#include <sstream>

void diagnostics::report(const std::string& file, recipe_position at, const std::string& message) {
  messages_.push_back(file + ":" + std::to_string(at.line) + ":" + std::to_string(at.column) +
                      ": " + message);
}

void diagnostics::report(const std::string& file, const std::string& message) {
  messages_.push_back(file + ": " + message);
}

void diagnostics::warn(const std::string& file, const std::string& message) {
  warnings_.push_back(file + ": warning: " + message);
}

void recipe::error(recipe_position at, const std::string& message) {
  if (at.line == 0 && at.column > 0 && size_t(at.column) <= places_.size())
    sink_.report(places_[size_t(at.column) - 1], message);
  else
    sink_.report(path_, at, message);
}

recipe_position recipe::place(const std::string& where) {
  places_.push_back(where);
  return {0, int(places_.size())};
}

bool recipe::load() {
  std::ifstream in(path_, std::ios::binary);
  if (!in) {
    sink_.report(path_, "cannot be read");
    return false;
  }
  std::ostringstream text;
  text << in.rdbuf();
  parse(text.str());
  return true;
}

namespace {

bool is_space(char c) { return c == ' ' || c == '\t' || c == '\r'; }
bool ends_word(char c) { return is_space(c) || c == '\n'; }

// Splits one line into tokens: name=value pairs and bare values.
class line_lexer {
 public:
  line_lexer(recipe& owner, const std::string& line, int number)
      : owner_(owner), line_(line), number_(number) {}

  // False at the end of the line (or at a comment).
  bool next(recipe_argument& out) {
    while (pos_ < line_.size() && is_space(line_[pos_])) ++pos_;
    if (pos_ >= line_.size() || line_[pos_] == '#') return false;
    out = recipe_argument{};
    recipe_position start = here();
    if (line_[pos_] == '"') return read_value(out.value);
    // A name is a run of letters, digits and underscores ending at '='.
    size_t end = pos_;
    while (end < line_.size() && (std::isalnum(static_cast<unsigned char>(line_[end])) ||
                                  line_[end] == '_'))
      ++end;
    if (end > pos_ && end < line_.size() && line_[end] == '=') {
      out.name = line_.substr(pos_, end - pos_);
      out.name_at = start;
      pos_ = end + 1;
      if (pos_ >= line_.size() || ends_word(line_[pos_])) {
        owner_.error(here(), "'" + out.name + "=' needs a value");
        out.value.at = here();
        return true;
      }
    }
    return read_value(out.value);
  }

 private:
  recipe_position here() const { return {number_, int(pos_) + 1}; }

  bool read_value(recipe_value& value) {
    value.at = here();
    if (line_[pos_] != '"') {
      size_t start = pos_;
      while (pos_ < line_.size() && !is_space(line_[pos_])) ++pos_;
      value.text = line_.substr(start, pos_ - start);
      return true;
    }
    value.quoted = true;
    ++pos_;
    while (pos_ < line_.size() && line_[pos_] != '"') {
      char c = line_[pos_];
      if (c == '\\' && pos_ + 1 < line_.size() &&
          (line_[pos_ + 1] == '"' || line_[pos_ + 1] == '\\')) {
        c = line_[pos_ + 1];
        ++pos_;
      }
      value.text += c;
      ++pos_;
    }
    if (pos_ >= line_.size()) {
      owner_.error(value.at, "string is not closed before the end of the line");
      return true;
    }
    ++pos_;  // the closing quote
    if (pos_ < line_.size() && !is_space(line_[pos_]))
      owner_.error(here(), "expected a blank after the closing quote");
    return true;
  }

  recipe& owner_;
  const std::string& line_;
  int number_;
  size_t pos_ = 0;
};

}  // namespace

void recipe::parse(const std::string& text) {
  entries_.clear();
  size_t start = 0;
  int number = 0;
  while (start < text.size()) {
    size_t end = text.find('\n', start);
    if (end == std::string::npos) end = text.size();
    std::string line = text.substr(start, end - start);
    ++number;
    start = end + 1;
    line_lexer lexer(*this, line, number);
    recipe_argument token;
    if (!lexer.next(token)) continue;
    recipe_entry entry;
    if (!token.name.empty() || token.value.quoted) {
      error(token.name.empty() ? token.value.at : token.name_at,
            "a line must start with a keyword");
      continue;
    }
    entry.keyword = token.value;
    while (lexer.next(token)) entry.arguments.push_back(token);
    entries_.push_back(std::move(entry));
  }
}

bool parse_recipe_number(const std::string& text, double& out) {
  if (text.empty()) return false;
  char* end = nullptr;
  double value = std::strtod(text.c_str(), &end);
  if (end != text.c_str() + text.size() || !std::isfinite(value)) return false;
  out = value;
  return true;
}

bool parse_recipe_color(const std::string& text, recipe_color& out) {
  if ((text.size() != 7 && text.size() != 9) || text[0] != '#') return false;
  uint8_t channel[4] = {0, 0, 0, 255};
  for (size_t i = 1; i < text.size(); i += 2) {
    int value = 0;
    for (size_t k = i; k < i + 2; ++k) {
      char c = text[k];
      int digit = c >= '0' && c <= '9'   ? c - '0'
                  : c >= 'a' && c <= 'f' ? c - 'a' + 10
                  : c >= 'A' && c <= 'F' ? c - 'A' + 10
                                         : -1;
      if (digit < 0) return false;
      value = value * 16 + digit;
    }
    channel[i / 2] = uint8_t(value);
  }
  out = {channel[0], channel[1], channel[2], channel[3]};
  return true;
}

recipe_args::recipe_args(recipe& owner, const recipe_entry& entry)
    : owner_(owner), entry_(entry), used_(entry.arguments.size(), false) {
  for (size_t i = 0; i < entry.arguments.size(); ++i) {
    const recipe_argument& argument = entry.arguments[i];
    if (argument.name.empty()) {
      bare_.push_back(&argument);
      continue;
    }
    for (size_t k = 0; k < i; ++k)
      if (entry.arguments[k].name == argument.name) {
        owner_.error(argument.name_at, "'" + argument.name + "' is given twice");
        used_[i] = true;
        break;
      }
  }
  bare_used_.assign(bare_.size(), false);
}

void recipe_args::error(const std::string& message) {
  owner_.error(entry_.keyword.at, message);
}

std::string recipe_args::bare(size_t i, const char* what) {
  if (i >= bare_.size()) {
    error(entry_.keyword.text + " needs " + what);
    return {};
  }
  bare_used_[i] = true;
  return bare_[i]->value.text;
}

bool recipe_args::bare_number(size_t i, const char* what, double& out, double lo, double hi) {
  if (i >= bare_.size()) {
    error(entry_.keyword.text + " needs " + what);
    return false;
  }
  bare_used_[i] = true;
  double value = 0;
  const recipe_value& v = bare_[i]->value;
  if (!parse_recipe_number(v.text, value) || value < lo || value > hi) {
    std::ostringstream message;
    message << what << " must be a number from " << lo << " to " << hi << ", not '" << v.text << "'";
    owner_.error(v.at, message.str());
    return false;
  }
  out = value;
  return true;
}

const recipe_argument* recipe_args::find(const char* name) {
  for (size_t i = 0; i < entry_.arguments.size(); ++i)
    if (entry_.arguments[i].name == name) {
      used_[i] = true;
      return &entry_.arguments[i];
    }
  return nullptr;
}

bool recipe_args::has(const char* name) const {
  for (const recipe_argument& argument : entry_.arguments)
    if (argument.name == name) return true;
  return false;
}

bool recipe_args::require(const char* name) {
  if (has(name)) return true;
  error(entry_.keyword.text + " needs " + name + "=");
  return false;
}

bool recipe_args::number(const char* name, double& out, double lo, double hi) {
  const recipe_argument* argument = find(name);
  if (!argument) return true;
  double value = 0;
  if (!parse_recipe_number(argument->value.text, value) || value < lo || value > hi) {
    std::ostringstream message;
    message << name << " must be a number from " << lo << " to " << hi << ", not '"
            << argument->value.text << "'";
    owner_.error(argument->value.at, message.str());
    return false;
  }
  out = value;
  return true;
}

bool recipe_args::number(const char* name, float& out, float lo, float hi) {
  double value = out;
  if (!number(name, value, lo, hi)) return false;
  out = float(value);
  return true;
}

bool recipe_args::integer(const char* name, int& out, int lo, int hi) {
  const recipe_argument* argument = find(name);
  if (!argument) return true;
  double value = 0;
  if (!parse_recipe_number(argument->value.text, value) || value != std::floor(value) ||
      value < lo || value > hi) {
    owner_.error(argument->value.at, std::string(name) + " must be a whole number from " +
                                         std::to_string(lo) + " to " + std::to_string(hi) +
                                         ", not '" + argument->value.text + "'");
    return false;
  }
  out = int(value);
  return true;
}

bool recipe_args::word(const char* name, std::string& out) {
  const recipe_argument* argument = find(name);
  if (!argument) return true;
  out = argument->value.text;
  return true;
}

bool recipe_args::color(const char* name, recipe_color& out) {
  const recipe_argument* argument = find(name);
  if (!argument) return true;
  if (!parse_recipe_color(argument->value.text, out)) {
    owner_.error(argument->value.at, std::string(name) + " must be a colour #rrggbb or #rrggbbaa, not '" +
                                         argument->value.text + "'");
    return false;
  }
  return true;
}

bool recipe_args::choice(const char* name, int& out, const std::vector<const char*>& options) {
  const recipe_argument* argument = find(name);
  if (!argument) return true;
  std::string list;
  for (size_t i = 0; i < options.size(); ++i) {
    if (argument->value.text == options[i]) {
      out = int(i);
      return true;
    }
    list += (i ? ", " : "") + std::string(options[i]);
  }
  owner_.error(argument->value.at, std::string(name) + " must be one of " + list + ", not '" +
                                       argument->value.text + "'");
  return false;
}

bool recipe_args::flag(const char* name, bool& out) {
  int index = out ? 1 : 0;
  if (!choice(name, index, {"no", "yes"})) return false;
  out = index == 1;
  return true;
}

bool recipe_args::numbers(const char* name, std::vector<double>& out, size_t count, double lo,
                          double hi) {
  const recipe_argument* argument = find(name);
  if (!argument) return true;
  std::vector<double> values;
  const std::string& text = argument->value.text;
  size_t start = 0;
  bool ok = true;
  while (ok) {
    size_t comma = text.find(',', start);
    std::string part = text.substr(start, comma == std::string::npos ? std::string::npos : comma - start);
    double value = 0;
    ok = parse_recipe_number(part, value) && value >= lo && value <= hi;
    values.push_back(value);
    if (comma == std::string::npos) break;
    start = comma + 1;
  }
  if (!ok || values.size() != count) {
    std::ostringstream message;
    message << name << " must be ";
    if (count == 1)
      message << "a number";
    else
      message << count << " comma-separated numbers";
    message << " from " << lo << " to " << hi << ", not '" << text << "'";
    owner_.error(argument->value.at, message.str());
    return false;
  }
  out = values;
  return true;
}

bool recipe_args::size(const char* name, int& width, int& height, int lo, int hi) {
  const recipe_argument* argument = find(name);
  if (!argument) return true;
  const std::string& text = argument->value.text;
  size_t x = text.find('x');
  double w = 0, h = 0;
  bool ok = x == std::string::npos ? parse_recipe_number(text, w) && ((h = w), true)
                                   : parse_recipe_number(text.substr(0, x), w) &&
                                         parse_recipe_number(text.substr(x + 1), h);
  ok = ok && w == std::floor(w) && h == std::floor(h) && w >= lo && w <= hi && h >= lo && h <= hi;
  if (!ok) {
    owner_.error(argument->value.at, std::string(name) + " must be N or WxH with sides from " +
                                         std::to_string(lo) + " to " + std::to_string(hi) +
                                         ", not '" + text + "'");
    return false;
  }
  width = int(w);
  height = int(h);
  return true;
}

bool recipe_args::finish() {
  bool clean = true;
  for (size_t i = 0; i < entry_.arguments.size(); ++i) {
    const recipe_argument& argument = entry_.arguments[i];
    if (argument.name.empty() || used_[i]) continue;
    owner_.error(argument.name_at,
                 "unknown argument '" + argument.name + "' for " + entry_.keyword.text);
    clean = false;
  }
  for (size_t i = 0; i < bare_.size(); ++i) {
    if (bare_used_[i]) continue;
    owner_.error(bare_[i]->value.at, "unexpected '" + bare_[i]->value.text + "' after " +
                                         entry_.keyword.text);
    clean = false;
  }
  return clean;
}
