#include "checks/content_lists.h"

#include <cctype>
#include <map>

bool check_content_list(const std::string& list_path, const std::string& text, const list_rules& rules,
                        const std::set<std::string>& made, diagnostics& sink) {
  int errors_before = sink.count();
  std::map<std::string, recipe_position> listed;
  int count = 0, line = 1, column = 1;
  for (size_t i = 0; i < text.size();) {
    if (std::isspace(static_cast<unsigned char>(text[i]))) {
      if (text[i] == '\n') {
        ++line;
        column = 1;
      } else {
        ++column;
      }
      ++i;
      continue;
    }
    recipe_position at{line, column};
    size_t start = i;
    while (i < text.size() && !std::isspace(static_cast<unsigned char>(text[i]))) ++i;
    column += int(i - start);
    std::string name = text.substr(start, i - start);
    if (++count == rules.capacity + 1)
      sink.report(list_path, at, "the engine holds at most " + std::to_string(rules.capacity) + " " + rules.what + "s");
    if (name.size() > rules.name_capacity)
      sink.report(list_path, at, "'" + name + "' is longer than " + std::to_string(rules.name_capacity) + " characters");
    if (!made.count(name)) sink.report(list_path, at, "no recipe makes " + std::string(rules.what) + " '" + name + "'");
    if (listed.count(name))
      sink.report(list_path, at, "'" + name + "' is listed twice");
    else
      listed[name] = at;
  }
  for (const std::string& name : made)
    if (!listed.count(name)) sink.report(list_path, std::string(rules.what) + " '" + name + "' is forged but not listed");
  return sink.count() == errors_before;
}
