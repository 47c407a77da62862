// Publishes a clip list as the result set and fetches every result, as a host does after
// each search, at 10 and at 9,999 entries: the time per result should not grow with the
// list beyond copying its texts. Prints figures; passes or fails nothing.
#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

#include "platform/sim/SimDesktop.h"
#include "plugin/Plugin.h"
#include "search/SearchEntry.h"

namespace {

using namespace quib;
using Clock = std::chrono::steady_clock;

constexpr std::int32_t kBufferSize = 512;

/// One search as the host runs it: publish, then fetch every result into its buffers.
std::int32_t SearchAndFetchAll() {
  static char details[kBufferSize], caption[kBufferSize], group[kBufferSize], icon[kBufferSize];
  PluginFunc_Inform_SearchBegins(0, "bench", 1);
  const std::int32_t count = PluginFunc_Ask_HowManyItemResultsAreReady();
  std::int32_t sum = 0;
  for (std::int32_t i = 0; i < count; ++i) {
    std::int32_t data = 0, kind = 0, flags = 0;
    PluginFunc_Request_ItemResultByIndex(i, details, caption, group, icon, &data, kBufferSize,
                                         &kind, 0, &flags);
    sum += data + caption[0];
  }
  PluginFunc_Inform_SearchEnds();
  return sum;
}

/// Median over runs of the time per result, each run fetching about a million results.
double NanosecondsPerResult(std::size_t entries, std::size_t text_bytes, int runs) {
  TSmartListView& list = AdvConfigForm->lvwClipboard;
  list.Clear();
  for (std::size_t i = 0; i < entries; ++i) {
    TListItem& item = list.Add();
    item.Caption.assign(text_bytes, static_cast<char>('a' + i % 26));
    if (i % 3 == 0) item.Caption.replace(0, 8, "https://");
    item.SubItems = {"December 11, 2026 01:33 PM", "notepad.exe"};
  }
  const std::size_t searches = std::max<std::size_t>(1, 1000000 / entries);
  volatile std::int32_t sink = 0;
  std::vector<double> times;
  for (int run = 0; run < runs; ++run) {
    const auto start = Clock::now();
    for (std::size_t s = 0; s < searches; ++s) sink = sink + SearchAndFetchAll();
    const double seconds = std::chrono::duration<double>(Clock::now() - start).count();
    times.push_back(seconds * 1e9 / static_cast<double>(searches * entries));
  }
  std::sort(times.begin(), times.end());
  return times[times.size() / 2];
}

}  // namespace

int main(int argc, char** argv) {
  const int runs = argc > 1 ? std::max(1, std::atoi(argv[1])) : 5;
  SimDesktop sim;
  Desktop desktop = sim.desktop();
  OnProcessAttach(desktop);
  Plugin().normal_icon_path = "C:\\Program Files\\Host\\Plugins\\QuibVault\\QuibVaultNormal.ico";
  Plugin().link_icon_path = "C:\\Program Files\\Host\\Plugins\\QuibVault\\QuibVaultUrl.ico";

  std::printf("Publish and fetch every result into %d-byte buffers; median of %d runs.\n",
              kBufferSize, runs);
  for (std::size_t text_bytes : {60u, 300u}) {
    const double small = NanosecondsPerResult(10, text_bytes, runs);
    const double large = NanosecondsPerResult(9999, text_bytes, runs);
    std::printf("%3zu-byte texts: %8.1f ns per result at 10 entries, %8.1f at 9,999: ratio %.2f\n",
                text_bytes, small, large, large / small);
  }
  OnUnload();
  return 0;
}
