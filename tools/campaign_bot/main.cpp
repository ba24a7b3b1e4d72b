// campaign_bot DEMO_FILE: plays the demo campaign from the logo to the victory
// menu on a fixed-step clock and records it as a demo. Exit status 0 when the
// victory menu showed, 1 when the playthrough failed, 2 on a usage error.
#include <cstdio>
#include <string>

#include "kel/main_loop.h"
#include "platform/tick.h"
#include "playthrough.h"

int main(int argc, char** argv) {
  if (argc != 2) {
    std::fprintf(stderr, "usage: campaign_bot DEMO_FILE\n");
    return 2;
  }
  set_tick_source(bot_clock);
  set_frame_input(play_campaign_frame);
  std::string command_line = std::string("-record ") + argv[1];
  WinMain(command_line.c_str());
  if (!campaign_won()) {
    std::fprintf(stderr, "campaign_bot: no victory after %d frames\n", campaign_frames());
    return 1;
  }
  std::printf("campaign_bot: won in %d frames\n", campaign_frames());
  return 0;
}
