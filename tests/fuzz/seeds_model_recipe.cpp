// Seeds for fuzz_model_recipe: small recipes that use every entry.
#include <fstream>
#include <string>

int main(int argc, char** argv) {
  if (argc < 2) return 2;
  const char* seeds[] = {
      "model skin=data/textures/s.tga\nmaterial a region=0,0,64,64\nmaterial b region=64,0,32,32\n"
      "part body pivot=0,0.5,0\nbox center=0,0.5,0 size=0.4,0.6,0.3 rotate=0,10,0 material=a top=b\n"
      "part arm parent=body pivot=0,0.8,0.2\ncapsule from=0,0.8,0.2 to=-0.3,0.6,0.2 radius=0.05 material=b\n"
      "sphere center=0,1,0 radius=0.1 scale=1,0.8,1 material=a wrap=200 sides=8 rings=5\n"
      "cylinder from=0,0,0 to=0,0.2,0 radius=0.1 radius_to=0 material=b caps=no\n"
      "animation walk frames=6 loop=yes\nkey 1 arm rotate=0,0,-30\nkey 4 arm rotate=0,0,30 move=0,0.1,0\n"
      "animation die frames=3\nkey 3 root rotate=0,0,-90 scale=1,0.5,1\npreview frame=walk02 turn=30\n",
      "model skin=data/textures/door.tga\nmaterial m region=0,0,128,256\npart leaf\n"
      "box center=0.5,1,0.5 size=1,2,0.1 material=m\nanimation closed frames=1\nanimation open frames=1\n"
      "key 1 leaf move=0.9,0,0\n",
  };
  int n = 0;
  for (const char* seed : seeds) std::ofstream(std::string(argv[1]) + "/seed" + std::to_string(n++)) << seed;
  return 0;
}
