// Seeds for the recipe fuzzer: the demo game's own recipes, copied into the
// corpus directory given as the argument.
#include <filesystem>
#include <system_error>

namespace fs = std::filesystem;

int main(int argc, char** argv) {
  if (argc != 2) return 2;
  std::error_code error;
  int n = 0;
  for (fs::recursive_directory_iterator it(KEL_DEMO_DIR, error), end; !error && it != end; it.increment(error))
    if (it->is_regular_file() && (it->path().extension() == ".txt" || it->path().extension() == ".inc"))
      fs::copy_file(it->path(), fs::path(argv[1]) / ("seed" + std::to_string(n++)),
                    fs::copy_options::overwrite_existing, error);
  return 0;
}
