// kel-forge: builds the demo game's data/ from the text sources in demo/.
//
//   kel-forge [--fonts DIR] DEMO_DIR DATA_DIR
//   kel-forge [--fonts DIR] --contact-sheet OUT.png DEMO_DIR [DATA_DIR]
//   kel-forge [--fonts DIR] --level-previews DIR DEMO_DIR DATA_DIR   (also a PNG per level)
//   kel-forge [--fonts DIR] --watch DEMO_DIR DATA_DIR   (forges again what changes, docs/forge.md)
//   kel-forge [--fonts DIR] [--data DATA_DIR] --to-tiled LEVEL OUT_DIR
//       writes OUT_DIR/NAME.tmx and the tileset (kel.tsx, kel.png) beside
//       it, against the content forged into DATA_DIR (default build/game/data)
//   kel-forge --help | --version
//
// Errors in the sources are printed as file:line:column: message; the exit
// status is then 1, as for a wrong command line (usage on stderr).
#include <cstdio>
#include <cstring>
#include <string>

#include "common/file_output.h"
#include "common/png_writer.h"
#include "common/text_render.h"
#include "contact_sheet.h"
#include "forge.h"
#include "forge_watch.h"
#include "levels/level_content.h"
#include "tiled/tiled_files.h"

namespace {

const char usage_format[] =
    "Usage: kel-forge [--fonts DIR] DEMO_DIR DATA_DIR\n"
    "  or:  kel-forge [--fonts DIR] --contact-sheet OUT.png DEMO_DIR [DATA_DIR]\n"
    "  or:  kel-forge [--fonts DIR] --level-previews DIR DEMO_DIR DATA_DIR\n"
    "  or:  kel-forge [--fonts DIR] --watch DEMO_DIR DATA_DIR\n"
    "  or:  kel-forge [--fonts DIR] [--data DATA_DIR] --to-tiled LEVEL OUT_DIR\n"
    "Builds a Kel game's data/ (textures, models, sounds, levels) from the text\n"
    "sources in DEMO_DIR; see kel-forge(1).\n"
    "\n"
    "  --fonts DIR               the TrueType fonts' folder (default %s)\n"
    "  --contact-sheet OUT.png   also draw every texture and model into OUT.png\n"
    "  --level-previews DIR      also draw a PNG picture of every level into DIR\n"
    "  --watch                   forge everything, then again what each saved file\n"
    "                            affects, until stopped\n"
    "  --to-tiled LEVEL OUT_DIR  export a text level as OUT_DIR/NAME.tmx with the\n"
    "                            tileset beside it\n"
    "  --data DATA_DIR           with --to-tiled: the forged data to draw the\n"
    "                            tileset from (default build/game/data)\n"
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

void print(const diagnostics& sink) {
  for (const std::string& message : sink.warnings()) std::fprintf(stderr, "%s\n", message.c_str());
  for (const std::string& message : sink.messages()) std::fprintf(stderr, "%s\n", message.c_str());
}

int to_tiled(const std::string& level, const std::string& out_dir, const std::string& data_dir,
             const std::string& font_dir) {
  std::vector<std::string> problems;
  if (!load_forged_content(data_dir, problems)) {
    for (const std::string& p : problems) std::fprintf(stderr, "%s: %s\n", data_dir.c_str(), p.c_str());
    return 1;
  }
  diagnostics sink;
  bool clean = export_level_to_tiled(level, out_dir, data_dir, font_dir, sink);
  print(sink);
  return clean ? 0 : 1;
}

}  // namespace

int main(int argc, char** argv) {
  forge_options options;
  options.font_dir = default_font_dir;
  std::string sheet_path, export_level, export_data = "build/game/data";
  bool watch = false;
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
    } else if (!std::strcmp(argv[i], "--to-tiled") && i + 1 < argc) {
      export_level = argv[++i];
    } else if (!std::strcmp(argv[i], "--watch")) {
      watch = true;
    } else if (!std::strcmp(argv[i], "--data") && i + 1 < argc) {
      export_data = argv[++i];
    } else if (argv[i][0] == '-') {
      return usage();
    } else {
      positional.push_back(argv[i]);
    }
  }
  if (!export_level.empty()) return positional.size() == 1 ? to_tiled(export_level, positional[0], export_data, options.font_dir) : usage();
  if (positional.empty() || positional.size() > 2 || (positional.size() == 1 && sheet_path.empty()))
    return usage();
  options.demo_dir = positional[0];
  if (positional.size() == 2) options.data_dir = positional[1];
  options.keep_previews = !sheet_path.empty();
  if (watch) {
    if (positional.size() != 2 || !sheet_path.empty()) return usage();
    watch_forge(options);
  }

  diagnostics sink;
  forge_result result;
  bool clean = run_forge(options, sink, result);
  print(sink);
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
