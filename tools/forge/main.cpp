// kel-forge: builds the demo game's data/ from the text sources in demo/.
//
//   kel-forge [--fonts DIR] DEMO_DIR DATA_DIR
//   kel-forge [--fonts DIR] --contact-sheet OUT.png DEMO_DIR [DATA_DIR]
//   kel-forge [--fonts DIR] --level-previews DIR DEMO_DIR DATA_DIR   (also a PNG per level)
//   kel-forge --help | --version
//
// Errors in the sources are printed as file:line:column: message; the exit
// status is then 1, as for a wrong command line (usage on stderr).
#include <cstdio>
#include <cstring>
#include <string>

#include "contact_sheet.h"
#include "file_output.h"
#include "forge.h"
#include "png_writer.h"
#include "text_render.h"

namespace {

const char usage_format[] =
    "Usage: kel-forge [--fonts DIR] DEMO_DIR DATA_DIR\n"
    "  or:  kel-forge [--fonts DIR] --contact-sheet OUT.png DEMO_DIR [DATA_DIR]\n"
    "  or:  kel-forge [--fonts DIR] --level-previews DIR DEMO_DIR DATA_DIR\n"
    "Builds a Kel game's data/ (textures, models, sounds, levels) from the text\n"
    "sources in DEMO_DIR; see kel-forge(1).\n"
    "\n"
    "  --fonts DIR               the TrueType fonts' folder (default %s)\n"
    "  --contact-sheet OUT.png   also draw every texture and model into OUT.png\n"
    "  --level-previews DIR      also draw a PNG picture of every level into DIR\n"
    "  --help                    print this help and exit\n"
    "  --version                 print the version and exit\n"
    "\n"
    "Exit status: 0 done; 1 errors in the sources (file:line:column: message),\n"
    "an output that cannot be written, or a wrong command line.\n";

void print_usage(FILE* out) { std::fprintf(out, usage_format, default_font_dir); }

int usage() {
  print_usage(stderr);
  return 1;
}

}  // namespace

int main(int argc, char** argv) {
  forge_options options;
  options.font_dir = default_font_dir;
  std::string sheet_path;
  std::vector<std::string> positional;
  for (int i = 1; i < argc; ++i) {
    if (!std::strcmp(argv[i], "--help")) {
      print_usage(stdout);
      return 0;
    }
    if (!std::strcmp(argv[i], "--version")) {
      std::puts("kel-forge (Kel) " KEL_VERSION);
      return 0;
    }
    if (!std::strcmp(argv[i], "--fonts") && i + 1 < argc) {
      options.font_dir = argv[++i];
    } else if (!std::strcmp(argv[i], "--contact-sheet") && i + 1 < argc) {
      sheet_path = argv[++i];
    } else if (!std::strcmp(argv[i], "--level-previews") && i + 1 < argc) {
      options.level_preview_dir = argv[++i];
    } else if (argv[i][0] == '-') {
      return usage();
    } else {
      positional.push_back(argv[i]);
    }
  }
  if (positional.empty() || positional.size() > 2 || (positional.size() == 1 && sheet_path.empty()))
    return usage();
  options.demo_dir = positional[0];
  if (positional.size() == 2) options.data_dir = positional[1];
  options.keep_previews = !sheet_path.empty();

  diagnostics sink;
  forge_result result;
  bool clean = run_forge(options, sink, result);
  for (const std::string& message : sink.messages()) std::fprintf(stderr, "%s\n", message.c_str());
  if (!clean) return 1;

  if (!sheet_path.empty()) {
    font_library fonts(options.font_dir);
    byte_buffer png;
    if (!encode_png(make_contact_sheet(result.previews, fonts), png) || !write_file_bytes(sheet_path, png)) {
      std::fprintf(stderr, "%s: cannot be written\n", sheet_path.c_str());
      return 1;
    }
  }
  return 0;
}
