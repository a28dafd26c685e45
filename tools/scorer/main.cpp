// dkz-score: talks to Stats.dll the way the logging program does.
#include <cstdio>
#include <cstring>
#include <exception>

#include "plugin_host.h"

int main(int argc, char** argv) {
  if (argc < 2 || std::strcmp(argv[1], "info") != 0) {
    std::fprintf(stderr, "usage: dkz-score info\n");
    return 2;
  }
  try {
    PluginHost plugin;
    std::printf("sets: %d\n", plugin.GetNumberOfSets());
    std::printf("set 0: %s\n", plugin.GetSetName(0));
    std::printf("exchange fields: %d\n", plugin.GetExchgCount0());
    return 0;
  } catch (const std::exception& e) {
    std::fprintf(stderr, "dkz-score: %s\n", e.what());
    return 1;
  }
}
