// The cost of one capture (every rule but the source lookup, which the same foreground window
// skips, and the sound, which is off) with 10 and with 9,999 entries of 1 KB: the list is
// scanned once, so the ratio shows what the scan and the trim cost. Prints figures only.
#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

#include "capture/Capture.h"
#include "platform/sim/SimDesktop.h"
#include "ui/AdvConfigFormUnit.h"

namespace {

using namespace quib;
using Clock = std::chrono::steady_clock;

constexpr std::size_t kTextBytes = 1024;

/// A 1 KB text unlike any other of the run: its number in front, so texts differ early
/// the way real ones do, and all of the same length, the costly case for comparing.
std::string Text(std::size_t number) {
  std::string text = std::to_string(number) + ":";
  text.resize(kTextBytes, static_cast<char>('a' + number % 26));
  return text;
}

/// Median over runs of the time per capture with a list of entries texts.
double NanosecondsPerCapture(std::size_t entries, int runs) {
  SimDesktop sim;
  Desktop desktop = sim.desktop();
  HostLink host;
  TAdvConfigForm form(desktop, host);
  form.txtMaxLengthClips.Text = "9999";
  form.txtMaxNumberClips.Text = std::to_string(entries);
  form.cboDateFormat.ItemIndex = 0;
  sim.processes.foreground = sim.processes.AddWindow(7, "C:\\Tools\\Edit.exe");
  form.SetRecordingState(true);
  std::size_t next = 0;
  for (; next < entries; ++next) {
    TListItem& item = form.lvwClipboard.Add();
    item.Caption = Text(next);
    item.SubItems = {"December 11, 2026 01:33 PM", "Edit.exe"};
  }
  constexpr std::size_t kCaptures = 20000;
  std::vector<std::string> copies;
  for (std::size_t i = 0; i < kCaptures; ++i) copies.push_back(Text(next++));

  std::vector<double> times;
  std::size_t copy = 0;
  for (int run = 0; run < runs; ++run) {
    const std::size_t per_run = kCaptures / static_cast<std::size_t>(runs);
    const auto start = Clock::now();
    for (std::size_t i = 0; i < per_run; ++i) sim.clipboard.CopyFromOtherProgram(copies[copy++]);
    const double seconds = std::chrono::duration<double>(Clock::now() - start).count();
    times.push_back(seconds * 1e9 / static_cast<double>(per_run));
  }
  if (form.lvwClipboard.Count() != entries) std::fprintf(stderr, "the list did not stay at its maximum\n");
  std::sort(times.begin(), times.end());
  return times[times.size() / 2];
}

}  // namespace

int main(int argc, char** argv) {
  const int runs = argc > 1 ? std::max(1, std::atoi(argv[1])) : 5;
  const double small = NanosecondsPerCapture(10, runs);
  const double large = NanosecondsPerCapture(9999, runs);
  std::printf("capture of a 1 KB text, list of 10 entries:    %10.0f ns\n", small);
  std::printf("capture of a 1 KB text, list of 9,999 entries: %10.0f ns\n", large);
  std::printf("ratio: %.2f (target: at most 3)\n", large / small);
  return 0;
}
