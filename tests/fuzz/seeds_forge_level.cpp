// Seeds for the level fuzzer: the demo game's level sources and a small level
// naming the fuzz target's own content, written into the corpus directory
// given as the argument.
#include <filesystem>
#include <fstream>
#include <system_error>

namespace fs = std::filesystem;

int main(int argc, char** argv) {
  if (argc != 2) return 2;
  std::error_code error;
  int n = 0;
  for (fs::recursive_directory_iterator it(fs::path(KEL_DEMO_DIR) / "levels", error), end; !error && it != end;
       it.increment(error))
    if (it->is_regular_file() && it->path().extension() == ".txt")
      fs::copy_file(it->path(), fs::path(argv[1]) / ("seed" + std::to_string(n++)),
                    fs::copy_options::overwrite_existing, error);
  std::ofstream(fs::path(argv[1]) / "seed_small")
      << "level texels=2\n"
         "settings <ambient_lightsource> 0.1 0.1 0.1 <next_level> last_level\n"
         "legend \"#\" wall texture=w\nlegend \".\" floor texture=f\n"
         "legend \"D\" door like=\".\" model=door\nlegend \"t\" like=\".\" model=torch\n"
         "legend \"c\" barrier like=\".\" model=crate\nlegend \"g\" like=\".\" enemy=grunt\n"
         "legend \"S\" like=\".\" start\nlegend \"E\" like=\".\" exit\n"
         "row \"########\"\nrow \"#S.t#.E#\"\nrow \"#.c.D.g#\"\nrow \"########\"\n";
  return 0;
}
