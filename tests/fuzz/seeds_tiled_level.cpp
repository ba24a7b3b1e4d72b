// Seeds for the Tiled map fuzzer: a small level as XML with each tile data
// encoding and as JSON, each behind the byte that picks its reader ('x' for
// XML, 'j' for JSON), written into the corpus directory given as the argument.
#include <fstream>
#include <string>

namespace {

const char* tileset =
    " <tileset firstgid=\"1\" name=\"t\" tilewidth=\"32\" tileheight=\"32\" tilecount=\"3\" columns=\"3\">\n"
    "  <image source=\"t.png\" width=\"96\" height=\"32\"/>\n"
    "  <tile id=\"0\"><properties><property name=\"kind\" value=\"wall\"/>"
    "<property name=\"texture\" value=\"w\"/></properties></tile>\n"
    "  <tile id=\"1\"><properties><property name=\"kind\" value=\"floor\"/>"
    "<property name=\"texture\" value=\"f\"/></properties></tile>\n"
    "  <tile id=\"2\"><properties><property name=\"start\" type=\"bool\" value=\"true\"/></properties></tile>\n"
    " </tileset>\n";

std::string tmx(const std::string& data) {
  return std::string("x<?xml version=\"1.0\"?>\n<map orientation=\"orthogonal\" width=\"3\" height=\"2\" "
                     "tilewidth=\"32\" tileheight=\"32\" infinite=\"0\">\n"
                     " <properties><property name=\"ambient\" value=\"0.1 0.1 0.1\"/>"
                     "<property name=\"next_level\" value=\"last_level\"/></properties>\n") +
         tileset + " <layer name=\"ground\" width=\"3\" height=\"2\">\n  " + data + "\n </layer>\n</map>\n";
}

}  // namespace

int main(int argc, char** argv) {
  if (argc != 2) return 2;
  std::string dir = argv[1];
  std::ofstream(dir + "/csv") << tmx("<data encoding=\"csv\">\n1,1,1,\n2,3,1\n</data>");
  // 1,1,1,2,3,1 as little-endian ids: plain and zlib-compressed.
  std::ofstream(dir + "/base64") << tmx("<data encoding=\"base64\">AQAAAAEAAAABAAAAAgAAAAMAAAABAAAA</data>");
  std::ofstream(dir + "/zlib") << tmx(
      "<data encoding=\"base64\" compression=\"zlib\">eJxjZGBgYIRiJiBmhrIBAIgACg==</data>");
  std::ofstream(dir + "/xml") << tmx("<data><tile gid=\"1\"/><tile gid=\"1\"/><tile gid=\"1\"/><tile gid=\"2\"/>"
                                     "<tile gid=\"3\"/><tile gid=\"1\"/></data>");
  std::ofstream(dir + "/json")
      << "j{\"width\":3,\"height\":2,\"orientation\":\"orthogonal\",\"infinite\":false,"
         "\"properties\":[{\"name\":\"texels\",\"type\":\"int\",\"value\":2}],"
         "\"tilesets\":[{\"firstgid\":1,\"image\":\"t.png\",\"tilecount\":3,\"tiles\":["
         "{\"id\":0,\"properties\":[{\"name\":\"kind\",\"value\":\"wall\"},{\"name\":\"texture\",\"value\":\"w\"}]},"
         "{\"id\":1,\"properties\":[{\"name\":\"kind\",\"value\":\"floor\"},{\"name\":\"texture\",\"value\":\"f\"}]},"
         "{\"id\":2,\"properties\":[{\"name\":\"start\",\"type\":\"bool\",\"value\":true}]}]}],"
         "\"layers\":[{\"type\":\"tilelayer\",\"name\":\"ground\",\"width\":3,\"height\":2,"
         "\"data\":[1,1,1,2,1,1]},{\"type\":\"tilelayer\",\"name\":\"things\",\"width\":3,\"height\":2,"
         "\"encoding\":\"base64\",\"compression\":\"gzip\","
         "\"data\":\"H4sIAAAAAAACA2NgQABmJDYA0Bhf1BgAAAA=\"}]}";
  return 0;
}
