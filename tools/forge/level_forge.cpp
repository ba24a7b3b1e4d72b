#include "level_forge.h"

#include <algorithm>
#include <filesystem>
#include <memory>
#include <set>
#include <system_error>

#include "common/file_output.h"
#include "common/png_writer.h"
#include "levels/level_bench.h"
#include "levels/level_compile.h"
#include "levels/level_content.h"
#include "levels/level_preview.h"
#include "tiled/level_file.h"
#include "tiled/tiled_files.h"

namespace fs = std::filesystem;

namespace {

constexpr const char* last_level = "last_level";

struct level_job {
  std::string name;     // data/maps/NAME
  std::string path;     // source file, for messages
  std::string appendix; // generated rows that follow the file's text
};

std::vector<level_job> level_jobs(const std::string& demo_dir) {
  std::vector<level_job> jobs;
  fs::path dir = fs::path(demo_dir) / "levels";
  std::error_code error;
  for (fs::directory_iterator it(dir, error), end; !error && it != end; it.increment(error))
    if (it->is_regular_file() && is_level_file_name(it->path().string()))
      jobs.push_back({it->path().stem().string(), it->path().string(), {}});
  std::sort(jobs.begin(), jobs.end(),
            [](const level_job& a, const level_job& b) { return a.name < b.name || (a.name == b.name && a.path < b.path); });
  fs::path bench = dir / "bench" / "bench.txt";
  if (fs::is_regular_file(bench, error)) jobs.push_back({"bench", bench.string(), bench_level_rows(bench_level_seed)});
  return jobs;
}

class level_step {
 public:
  level_step(const level_forge_request& request, diagnostics& sink, std::vector<std::string>& outputs)
      : request_(request), sink_(sink), outputs_(outputs) {}

  // Every source is read even when the content did not load, so mistakes of
  // form are reported even when the content itself is broken.
  void run(const std::vector<level_job>& jobs) {
    for (size_t i = 0; i < jobs.size(); ++i) {
      made_.insert("data/maps/" + jobs[i].name);
      if (i > 0 && jobs[i].name == jobs[i - 1].name)
        sink_.report(jobs[i].path, "a second source of level '" + jobs[i].name + "' (also " + jobs[i - 1].path +
                                       "): keep one");
    }
    // The tileset comes first: Tiled maps read their tiles from it.
    std::vector<std::string> problems;
    std::string levels_dir = (fs::path(request_.demo_dir) / "levels").string();
    bool content = load_forged_content(request_.data_dir, problems);
    if (content) {
      // A source tree that cannot be written to (an installed copy) still
      // forges its levels; only painting new Tiled maps needs the tileset.
      diagnostics tileset;
      write_kel_tileset(levels_dir, request_.data_dir, request_.font_dir, tileset);
      for (const std::string& m : tileset.messages()) sink_.warn(levels_dir, "no Tiled tileset: " + m);
    }
    std::vector<parsed_level> parsed;
    for (const level_job& job : jobs)
      if (request_.only.empty() || std::count(request_.only.begin(), request_.only.end(), job.name)) read(job, parsed);
    if (parsed.empty()) return;
    if (!content) {
      for (const std::string& p : problems) sink_.report(levels_dir, "the content the levels name did not load: " + p);
      return;
    }
    for (parsed_level& p : parsed) compile(p);
  }

 private:
  struct parsed_level {
    const level_job* job;
    std::unique_ptr<recipe> source;
    level_source level;
  };

  void read(const level_job& job, std::vector<parsed_level>& parsed) {
    byte_buffer bytes;
    if (!read_file_bytes(job.path, bytes)) {
      sink_.report(job.path, "cannot be read");
      return;
    }
    parsed_level p{&job, std::make_unique<recipe>(job.path, sink_), {}};
    if (!read_level_file(*p.source, std::string(bytes.begin(), bytes.end()) + job.appendix, p.level)) return;
    const std::string& next = p.level.settings.next_level;
    if (!next.empty() && next != last_level && !made_.count(next)) {
      p.source->error(p.level.settings.next_level_at, "no level source makes '" + next + "'");
      return;
    }
    parsed.push_back(std::move(p));
  }

  void compile(parsed_level& p) {
    const level_job& job = *p.job;
    compiled_level compiled;
    if (!compile_level(*p.source, p.level, compiled)) return;

    std::string base = (fs::path(request_.data_dir) / "maps" / job.name).string();
    std::vector<std::string> written;
    std::string failed;
    if (!write_level_files(compiled, base, written, failed)) sink_.report(job.path, "cannot write " + failed);
    for (const std::string& path : written)
      outputs_.push_back("data/maps/" + fs::path(path).filename().string());
    if (!request_.preview_dir.empty()) preview(job, compiled);
  }

  void preview(const level_job& job, const compiled_level& compiled) {
    std::vector<preview_colour> colours;
    for (int t = 0; t < compiled.map->texture_name_count; ++t)
      colours.push_back(mean_texture_colour(request_.data_dir, compiled.map->texture_names[t]));
    byte_buffer png;
    std::string path = (fs::path(request_.preview_dir) / (job.name + ".png")).string();
    if (!encode_png(make_level_preview(compiled, colours), png) || !write_file_bytes(path, png))
      sink_.report(path, "cannot be written");
  }

  const level_forge_request& request_;
  diagnostics& sink_;
  std::vector<std::string>& outputs_;
  std::set<std::string> made_;
};

}  // namespace

bool forge_levels(const level_forge_request& request, diagnostics& sink, std::vector<std::string>& outputs) {
  std::vector<level_job> jobs = level_jobs(request.demo_dir);
  if (jobs.empty() || request.data_dir.empty()) return true;
  int before = sink.count();
  level_step(request, sink, outputs).run(jobs);
  return sink.count() == before;
}
