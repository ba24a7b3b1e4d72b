#include "levels/level_content.h"

#include <fcntl.h>
#include <unistd.h>

#include <cstdio>
#include <cstring>
#include <filesystem>
#include <system_error>

#include "actors/enemies.h"
#include "base/loading_log.h"
#include "content/model_list.h"
#include "content/models.h"
#include "content/texture_list.h"

namespace fs = std::filesystem;

namespace {

std::vector<std::string>* failures = nullptr;

void note_failure(bool last_failed) {
  if (last_failed && failures) failures->push_back(_loaded[0]);
}

// The loading log echoes every line to stdout; the forge keeps its output
// for problems, so stdout is parked on /dev/null while the loaders run.
class quiet_stdout {
 public:
  quiet_stdout() {
    std::fflush(stdout);
    saved_ = dup(STDOUT_FILENO);
    int null = open("/dev/null", O_WRONLY);
    if (null >= 0) {
      dup2(null, STDOUT_FILENO);
      close(null);
    }
  }
  ~quiet_stdout() {
    std::fflush(stdout);
    if (saved_ >= 0) {
      dup2(saved_, STDOUT_FILENO);
      close(saved_);
    }
  }

 private:
  int saved_ = -1;
};

// Runs in `dir` and returns to where it was.
class working_dir {
 public:
  explicit working_dir(const fs::path& dir) {
    previous_ = fs::current_path(error_);
    if (!error_) fs::current_path(dir, error_);
  }
  ~working_dir() {
    std::error_code ignored;
    if (!previous_.empty()) fs::current_path(previous_, ignored);
  }
  bool ok() const { return !error_; }

 private:
  fs::path previous_;
  std::error_code error_;
};

// A folder whose "data" is the output folder.
class content_root {
 public:
  explicit content_root(const std::string& data_dir) {
    std::error_code error;
    fs::path data = fs::absolute(data_dir, error);
    if (error) return;
    if (data.filename().empty()) data = data.parent_path();
    if (data.filename() == "data") {
      root_ = data.parent_path();
      return;
    }
    scratch_ = fs::temp_directory_path(error) / ("kel-forge-levels-" + std::to_string(getpid()));
    if (error) return;
    fs::remove_all(scratch_, error);
    fs::create_directories(scratch_, error);
    if (!error) fs::create_directory_symlink(data, scratch_ / "data", error);
    if (!error) root_ = scratch_;
  }
  ~content_root() {
    std::error_code ignored;
    if (!scratch_.empty()) fs::remove_all(scratch_, ignored);
  }
  const fs::path& path() const { return root_; }

 private:
  fs::path root_, scratch_;
};

}  // namespace

bool load_forged_content(const std::string& data_dir, std::vector<std::string>& problems) {
  size_t before = problems.size();
  content_root root(data_dir);
  if (root.path().empty()) {
    problems.push_back(data_dir + ": cannot be reached as a data folder");
    return false;
  }
  working_dir here(root.path());
  if (!here.ok()) {
    problems.push_back(root.path().string() + ": cannot be entered");
    return false;
  }
  // A compressed mesh is read through the engine's scratch file; it is not
  // left behind among the forged files.
  std::error_code error;
  bool had_scratch = fs::exists("data/tmp", error);
  failures = &problems;
  set_loading_presenter(note_failure);
  {
    quiet_stdout quiet;
    if (load_textura_list() != 0) problems.push_back("data/tex.list: cannot be read");
    load_models();
    load_imp_prototype();
  }
  set_loading_presenter(nullptr);
  failures = nullptr;
  if (!had_scratch) fs::remove("data/tmp", error);
  return problems.size() == before;
}
