// Tiled maps as level sources: every tile data encoding, embedded and
// external tilesets, the layer and property mapping, and each mistake
// reported at its place.
#include <gtest/gtest.h>
#include <zlib.h>

#include <cstdlib>
#include <memory>
#include <string>
#include <vector>

#include "support/scratch_dir.h"
#include "tiled/level_file.h"
#include "tiled/tiled_json.h"
#include "tiled/tiled_xml.h"
#include "world/map_grid.h"

namespace {

// A 3 x 2 map: walls around a start and a door.
const std::vector<uint32_t> ground_ids = {1, 1, 1, 2, 2, 1};
const std::vector<uint32_t> thing_ids = {0, 0, 0, 3, 4, 0};

const char* tileset_body =
    "  <tile id=\"0\"><properties><property name=\"kind\" value=\"wall\"/>"
    "<property name=\"texture\" value=\"stone\"/></properties></tile>\n"
    "  <tile id=\"1\"><properties><property name=\"kind\" value=\"floor\"/>"
    "<property name=\"texture\" value=\"flag\"/></properties></tile>\n"
    "  <tile id=\"2\"><properties><property name=\"start\" type=\"bool\" value=\"true\"/></properties></tile>\n"
    "  <tile id=\"3\"><properties><property name=\"kind\" value=\"door\"/>"
    "<property name=\"model\" value=\"door.def\"/><property name=\"rotation\" type=\"int\" value=\"1\"/>"
    "</properties></tile>\n";

std::string embedded_tileset() {
  return " <tileset firstgid=\"1\" name=\"t\" tilewidth=\"32\" tileheight=\"32\" tilecount=\"4\" columns=\"4\">\n"
         "  <image source=\"t.png\" width=\"128\" height=\"32\"/>\n" +
         std::string(tileset_body) + " </tileset>\n";
}

std::string little_endian(const std::vector<uint32_t>& ids) {
  std::string bytes;
  for (uint32_t id : ids)
    for (int b = 0; b < 4; ++b) bytes += char(id >> (8 * b));
  return bytes;
}

std::string deflated(const std::string& bytes, bool gzip) {
  z_stream z{};
  deflateInit2(&z, 9, Z_DEFLATED, gzip ? 16 + MAX_WBITS : MAX_WBITS, 8, Z_DEFAULT_STRATEGY);
  std::string out(deflateBound(&z, uLong(bytes.size())), '\0');
  z.next_in = reinterpret_cast<Bytef*>(const_cast<char*>(bytes.data()));
  z.avail_in = uInt(bytes.size());
  z.next_out = reinterpret_cast<Bytef*>(&out[0]);
  z.avail_out = uInt(out.size());
  deflate(&z, Z_FINISH);
  out.resize(z.total_out);
  deflateEnd(&z);
  return out;
}

std::string base64(const std::string& bytes) {
  const char* digits = "ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz0123456789+/";
  std::string out;
  for (size_t i = 0; i < bytes.size(); i += 3) {
    uint32_t n = uint32_t(uint8_t(bytes[i])) << 16;
    if (i + 1 < bytes.size()) n |= uint32_t(uint8_t(bytes[i + 1])) << 8;
    if (i + 2 < bytes.size()) n |= uint32_t(uint8_t(bytes[i + 2]));
    for (size_t k = 0; k < 4; ++k) out += i + k <= bytes.size() + (k == 0) ? digits[(n >> (18 - 6 * k)) & 63] : '=';
  }
  return out;
}

std::string csv(const std::vector<uint32_t>& ids) {
  std::string text = "\n";
  for (size_t i = 0; i < ids.size(); ++i) text += std::to_string(ids[i]) + (i + 1 < ids.size() ? "," : "") + (i % 3 == 2 ? "\n" : "");
  return text;
}

// The <data> element of a layer in the named encoding.
std::string xml_data(const std::string& encoding, const std::vector<uint32_t>& ids) {
  if (encoding == "csv") return "<data encoding=\"csv\">" + csv(ids) + "</data>";
  if (encoding == "xml") {
    std::string tiles;
    for (uint32_t id : ids) tiles += id ? "<tile gid=\"" + std::to_string(id) + "\"/>" : "<tile/>";
    return "<data>" + tiles + "</data>";
  }
  std::string bytes = little_endian(ids);
  if (encoding == "base64") return "<data encoding=\"base64\">\n   " + base64(bytes) + "\n  </data>";
  bool gzip = encoding == "gzip";
  return "<data encoding=\"base64\" compression=\"" + encoding + "\">" + base64(deflated(bytes, gzip)) + "</data>";
}

std::string tmx(const std::string& encoding, const std::string& tilesets = embedded_tileset(),
                const std::string& map_attributes = "width=\"3\" height=\"2\"") {
  return "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n"
         "<map version=\"1.8\" orientation=\"orthogonal\" renderorder=\"right-down\" " +
         map_attributes + " tilewidth=\"32\" tileheight=\"32\" infinite=\"0\">\n"
         " <properties>\n  <property name=\"ambient\" value=\"0.2 0.1 0\"/>\n"
         "  <property name=\"texels\" type=\"int\" value=\"2\"/>\n </properties>\n" +
         tilesets + " <layer id=\"1\" name=\"ground\" width=\"3\" height=\"2\">\n  " + xml_data(encoding, ground_ids) +
         "\n </layer>\n <layer id=\"2\" name=\"things\" width=\"3\" height=\"2\">\n  " +
         xml_data(encoding, thing_ids) + "\n </layer>\n</map>\n";
}

std::string json_ids(const std::vector<uint32_t>& ids) {
  std::string text;
  for (uint32_t id : ids) text += (text.empty() ? "" : ",") + std::to_string(id);
  return "[" + text + "]";
}

std::string json_layer(const std::string& name, const std::string& encoding, const std::vector<uint32_t>& ids) {
  std::string head = "{\"type\":\"tilelayer\",\"name\":\"" + name + "\",\"width\":3,\"height\":2,";
  if (encoding == "array") return head + "\"data\":" + json_ids(ids) + "}";
  std::string bytes = little_endian(ids);
  if (encoding == "base64") return head + "\"encoding\":\"base64\",\"data\":\"" + base64(bytes) + "\"}";
  return head + "\"encoding\":\"base64\",\"compression\":\"" + encoding + "\",\"data\":\"" +
         base64(deflated(bytes, encoding == "gzip")) + "\"}";
}

const char* json_tileset =
    "{\"firstgid\":1,\"name\":\"t\",\"image\":\"t.png\",\"tilecount\":4,\"tiles\":["
    "{\"id\":0,\"properties\":[{\"name\":\"kind\",\"type\":\"string\",\"value\":\"wall\"},"
    "{\"name\":\"texture\",\"type\":\"string\",\"value\":\"stone\"}]},"
    "{\"id\":1,\"properties\":[{\"name\":\"kind\",\"type\":\"string\",\"value\":\"floor\"},"
    "{\"name\":\"texture\",\"type\":\"string\",\"value\":\"flag\"}]},"
    "{\"id\":2,\"properties\":[{\"name\":\"start\",\"type\":\"bool\",\"value\":true}]},"
    "{\"id\":3,\"properties\":[{\"name\":\"kind\",\"type\":\"string\",\"value\":\"door\"},"
    "{\"name\":\"model\",\"type\":\"string\",\"value\":\"door.def\"},"
    "{\"name\":\"rotation\",\"type\":\"int\",\"value\":1}]}]}";

std::string tmj(const std::string& encoding, const std::string& tilesets = json_tileset) {
  return "{\"width\":3,\"height\":2,\"orientation\":\"orthogonal\",\"infinite\":false,\n"
         " \"properties\":[{\"name\":\"ambient\",\"type\":\"string\",\"value\":\"0.2 0.1 0\"},"
         "{\"name\":\"texels\",\"type\":\"int\",\"value\":2}],\n \"tilesets\":[" +
         tilesets + "],\n \"layers\":[" + json_layer("ground", encoding, ground_ids) + ",\n" +
         json_layer("things", encoding, thing_ids) + "]}\n";
}

struct read_result {
  diagnostics sink;
  std::unique_ptr<recipe> source;
  level_source level;
  bool ok = false;
  std::string messages() const {
    std::string text;
    for (const std::string& m : sink.messages()) text += m + "\n";
    return text;
  }
};

void read(const std::string& path, const std::string& text, read_result& out) {
  out.source = std::make_unique<recipe>(path, out.sink);
  out.ok = read_level_file(*out.source, text, out.level);
}

// What the 3 x 2 map says, checked cell by cell.
void expect_small_level(const level_source& level) {
  ASSERT_EQ(level.width(), 3);
  ASSERT_EQ(level.depth(), 2);
  const legend_entry& wall = level.legend[size_t(level.legend_at(0, 0))];
  EXPECT_EQ(wall.kind, cell_wall);
  EXPECT_EQ(wall.texture, "stone");
  const legend_entry& start = level.legend[size_t(level.legend_at(0, 1))];
  EXPECT_TRUE(start.start);
  EXPECT_EQ(start.kind, cell_free);
  EXPECT_EQ(start.texture, "flag");
  // The door on a floor tile: kind and model from above, texture from below.
  const legend_entry& door = level.legend[size_t(level.legend_at(1, 1))];
  EXPECT_EQ(door.kind, cell_door_closed);
  EXPECT_EQ(door.texture, "flag");
  EXPECT_EQ(door.model, "door.def");
  EXPECT_EQ(door.rotation, 1);
  EXPECT_FALSE(door.start);
  EXPECT_EQ(level.legend_at(2, 1), level.legend_at(0, 0));
  EXPECT_EQ(level.texels_per_cell, 2);
  EXPECT_FLOAT_EQ(level.settings.ambient[0], 0.2f);
}

TEST(ForgeTiled, EveryTileDataEncodingReadsTheSameLevel) {
  struct encoding_case {
    const char* file;
    std::string text;
  };
  const encoding_case cases[] = {
      {"x.tmx", tmx("csv")},         {"x.tmx", tmx("base64")}, {"x.tmx", tmx("zlib")},
      {"x.tmx", tmx("gzip")},        {"x.tmx", tmx("xml")},    {"x.tmj", tmj("array")},
      {"x.tmj", tmj("base64")},      {"x.tmj", tmj("zlib")},   {"x.tmj", tmj("gzip")},
  };
  for (const encoding_case& c : cases) {
    SCOPED_TRACE(c.text);
    read_result r;
    read(c.file, c.text, r);
    ASSERT_TRUE(r.ok) << r.messages();
    expect_small_level(r.level);
  }
}

TEST(ForgeTiled, ExternalTilesetsAreReadFromBesideTheMap) {
  scratch_dir dir;
  write_file("levels/tiles/t.tsx", "<?xml version=\"1.0\"?>\n<tileset name=\"t\" tilewidth=\"32\" tileheight=\"32\" "
                                   "tilecount=\"4\" columns=\"4\">\n <image source=\"t.png\"/>\n" +
                                       std::string(tileset_body) + "</tileset>\n");
  for (const auto& map : {std::make_pair("levels/x.tmx", tmx("csv", " <tileset firstgid=\"1\" source=\"tiles/t.tsx\"/>\n")),
                          std::make_pair("levels/x.tmj", tmj("array", "{\"firstgid\":1,\"source\":\"tiles/t.tsx\"}"))}) {
    read_result r;
    read(map.first, map.second, r);
    ASSERT_TRUE(r.ok) << r.messages();
    expect_small_level(r.level);
    // A texture is reported where the tileset names it.
    r.source->error(r.level.legend[size_t(r.level.legend_at(0, 0))].texture_at, "here");
    EXPECT_NE(r.messages().find("levels/tiles/t.tsx:4:"), std::string::npos) << r.messages();
  }
}

struct mistake_case {
  const char* what;
  const char* file;
  std::string text;
  const char* message;
};

std::string replaced(std::string text, const std::string& from, const std::string& to) {
  size_t at = text.find(from);
  EXPECT_NE(at, std::string::npos) << from;
  if (at != std::string::npos) text.replace(at, from.size(), to);
  return text;
}

TEST(ForgeTiled, MistakesAreReportedWhereTheyAreWritten) {
  std::string ok = tmx("csv");
  const mistake_case cases[] = {
      {"map too large", "x.tmx", tmx("csv", embedded_tileset(), "width=\"256\" height=\"256\""),
       "x.tmx:2:1: the map is 256 x 256 cells; a level is at most 255 x 255"},
      {"id in no tileset", "x.tmx", replaced(ok, "\n0,0,0,\n3,4,0", "\n0,0,0,\n3,9,0"),
       "x.tmx:23:3: the tile at x 1, z 1 of layer 'things' has id 9, which no tileset of the map holds"},
      {"flipped tile", "x.tmx", replaced(ok, "\n0,0,0,\n3,4,0", "\n0,0,0,\n3,2147483652,0"),
       "x.tmx:23:3: the tile at x 1, z 1 of layer 'things' is flipped or rotated"},
      {"unknown tile property", "x.tmx", replaced(ok, "name=\"model\"", "name=\"modle\""),
       "x.tmx:12:64: unknown tile property 'modle' (kind, texture, model, rotation, enemy, start, exit)"},
      {"unknown map property", "x.tmx", replaced(ok, "name=\"texels\"", "name=\"texel\""),
       "x.tmx:5:3: unknown map property 'texel'"},
      {"missing tileset file", "x.tmx", tmx("csv", " <tileset firstgid=\"1\" source=\"gone.tsx\"/>\n"),
       "x.tmx:7:2: the tileset file 'gone.tsx' cannot be read"},
      {"short CSV", "x.tmx", replaced(ok, "\n0,0,0,\n3,4,0", "\n0,0,0,\n3,4"),
       "x.tmx:23:4: layer 'things': the CSV data holds 5 cells, the layer 6"},
      {"zstd", "x.tmx", replaced(tmx("zlib"), "\"zlib\">", "\"zstd\">"), "layer 'ground': tile data compressed with 'zstd'"},
      {"infinite", "x.tmx", replaced(ok, "infinite=\"0\"", "infinite=\"1\""), "x.tmx:2:1: the map is infinite"},
      {"no kind", "x.tmx", replaced(ok, "\n1,1,1,\n2,2,1", "\n1,1,1,\n0,2,1"),
       "x.tmx:17:1: the cell at x 0, z 1 has no kind"},
      {"bad XML", "x.tmx", "<map width=\"3\"", "x.tmx:1:14: not well-formed XML"},
      {"JSON path", "x.tmj", replaced(tmj("array"), "\"value\":1}", "\"value\":7}"),
       "x.tmj: tilesets[0].tiles[3].properties[2]: rotation is a whole number from 0 to 3, not '7'"},
      {"JSON syntax", "x.tmj", "{\"width\":3,\n \"height\":}", "x.tmj:2:11: not valid JSON"},
      {"JSON number beyond a double", "x.tmj", "{\"width\":1e99999}", "x.tmj:1:1: not valid JSON: number overflow"},
      {"JSON flipped", "x.tmj", replaced(tmj("array"), "[0,0,0,3,4,0]", "[0,0,0,3,1073741828,0]"),
       "x.tmj: layers[1].data[4]: the tile at x 1, z 1 of layer 'things' is flipped or rotated"},
      {"two starts", "x.tmx", replaced(ok, "\n0,0,0,\n3,4,0", "\n0,0,0,\n3,4,3"),
       "a second start position"},
  };
  for (const mistake_case& c : cases) {
    SCOPED_TRACE(c.what);
    read_result r;
    read(c.file, c.text, r);
    EXPECT_FALSE(r.ok);
    EXPECT_NE(r.messages().find(c.message), std::string::npos) << r.messages();
  }
}

TEST(ForgeTiled, ALevelHasOneSource) {
  scratch_dir dir;
  write_file("demo/levels/two.txt", "level\nlegend \"S\" floor texture=w start\nrow \"S\"\n");
  write_file("demo/levels/two.tmx", tmx("csv"));
  std::string command = std::string(KEL_FORGE_BINARY) + " demo out 2> errors.txt";
  EXPECT_NE(std::system(command.c_str()), 0);
  std::string errors = read_file("errors.txt");
  EXPECT_NE(errors.find("demo/levels/two.txt: a second source of level 'two' (also demo/levels/two.tmx): keep one"),
            std::string::npos)
      << errors;
}

}  // namespace
