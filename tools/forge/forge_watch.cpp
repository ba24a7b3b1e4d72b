#include "forge_watch.h"

#include <sys/stat.h>
#include <time.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <filesystem>
#include <map>
#include <set>
#include <system_error>
#include <thread>

#include "forge.h"
#include "level_forge.h"
#include "tiled/level_file.h"
#include "tiled/tiled_files.h"

namespace fs = std::filesystem;
using watch_clock = std::chrono::steady_clock;

namespace {

constexpr auto poll_interval = std::chrono::milliseconds(100);

// What the watcher knows of a file: enough to see that it was saved again.
struct file_stamp {
  fs::file_time_type time;
  uintmax_t size = 0;
  bool operator!=(const file_stamp& o) const { return time != o.time || size != o.size; }
  bool operator==(const file_stamp& o) const { return !(*this != o); }
};

using snapshot = std::map<std::string, file_stamp>;

snapshot take_snapshot(const std::string& demo_dir) {
  snapshot files;
  std::error_code error;
  for (fs::recursive_directory_iterator it(demo_dir, error), end; !error && it != end; it.increment(error)) {
    std::error_code e;
    if (!it->is_regular_file(e)) continue;
    std::string path = it->path().string();
    // The tileset picture is the forge's own output (its .tsx is watched);
    // editors' hidden, backup and swap files are no sources.
    std::string name = it->path().filename().string();
    if (name == "kel.png" || name[0] == '.' || name.back() == '~' || it->path().extension() == ".swp") continue;
    files[path] = {it->last_write_time(e), it->file_size(e)};
  }
  return files;
}

// The level a changed file belongs to, or "" when it is no level source.
std::string level_of(const std::string& demo_dir, const std::string& path) {
  fs::path levels = fs::path(demo_dir) / "levels";
  fs::path p(path);
  if (p.parent_path() == levels && is_level_file_name(path)) return p.stem().string();
  if (p.parent_path() == levels / "bench") return "bench";
  return "";
}

double milliseconds_since(watch_clock::time_point start) {
  return std::chrono::duration<double, std::milli>(watch_clock::now() - start).count();
}

// How long ago the newest of the changed files was saved, by the wall clock
// the file times are kept in.
double milliseconds_since_saved(const std::vector<std::string>& changed) {
  double newest = 0;
  for (const std::string& path : changed) {
    struct stat st {};
    if (::stat(path.c_str(), &st) == 0)
      newest = std::max(newest, double(st.st_mtim.tv_sec) * 1e3 + double(st.st_mtim.tv_nsec) / 1e6);
  }
  timespec now{};
  clock_gettime(CLOCK_REALTIME, &now);
  return double(now.tv_sec) * 1e3 + double(now.tv_nsec) / 1e6 - newest;
}

void print(const diagnostics& sink) {
  for (const std::string& m : sink.warnings()) std::printf("%s\n", m.c_str());
  for (const std::string& m : sink.messages()) std::printf("%s\n", m.c_str());
}

bool forge_everything(const forge_options& options) {
  auto start = watch_clock::now();
  diagnostics sink;
  forge_result result;
  bool clean = run_forge(options, sink, result);
  print(sink);
  std::printf("%s everything (%zu files) in %.0f ms\n", clean ? "forged" : "FAILED to forge", result.outputs.size(),
              milliseconds_since(start));
  return clean;
}

void forge_some_levels(const forge_options& options, const std::set<std::string>& names,
                       const std::vector<std::string>& changed) {
  auto start = watch_clock::now();
  diagnostics sink;
  std::vector<std::string> outputs;
  level_forge_request request{options.demo_dir, options.data_dir, "", options.font_dir,
                              std::vector<std::string>(names.begin(), names.end())};
  bool clean = forge_levels(request, sink, outputs);
  print(sink);
  for (const std::string& name : names)
    std::printf("%s data/maps/%s in %.0f ms (%.0f ms after the save)\n", clean ? "forged" : "FAILED to forge",
                name.c_str(), milliseconds_since(start), milliseconds_since_saved(changed));
}

}  // namespace

void watch_forge(const forge_options& options) {
  std::setvbuf(stdout, nullptr, _IOLBF, 0);  // one line at a time, also into a pipe
  forge_everything(options);
  snapshot known = take_snapshot(options.demo_dir);
  for (;;) {
    std::this_thread::sleep_for(poll_interval);
    snapshot now = take_snapshot(options.demo_dir);
    std::vector<std::string> changed;
    for (const auto& [path, stamp] : now)
      if (!known.count(path) || known.at(path) != stamp) changed.push_back(path);
    for (const auto& [path, stamp] : known)
      if (!now.count(path)) changed.push_back(path);
    if (changed.empty()) continue;
    std::set<std::string> levels;
    bool tilesets = false, content = false;
    for (const std::string& path : changed) {
      std::string level = level_of(options.demo_dir, path);
      if (!level.empty())
        levels.insert(level);
      else if (fs::path(path).extension() == ".tsx")
        tilesets = true;
      else if (fs::path(path).parent_path() != fs::path(options.demo_dir) / "levels")
        content = true;  // beside the levels lie only pictures and Tiled's scratch files
    }
    if (content) {
      forge_everything(options);
    } else {
      if (tilesets)
        for (const auto& [path, stamp] : now)
          if (fs::path(path).extension() == ".tmx" || fs::path(path).extension() == ".tmj")
            levels.insert(level_of(options.demo_dir, path));
      levels.erase("");
      if (!levels.empty()) forge_some_levels(options, levels, changed);
    }
    // Changes saved while the forge ran are answered in the next round; only
    // what the forge wrote itself (the tileset) is taken as known.
    snapshot after = take_snapshot(options.demo_dir);
    known = now;
    for (const auto& [path, stamp] : after)
      if (fs::path(path).filename() == kel_tileset_file) known[path] = stamp;
  }
}
