// Saves and loads the largest clip list the settings allow and a typical one, beside a raw
// sequential write and read of as many bytes through the same file service, and measures
// the load's peak heap use beside the file's size. Prints figures; passes or fails nothing.
#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <memory>
#include <new>
#include <string>
#include <vector>

#include "platform/sim/SimDesktop.h"
#include "store/SmartListView.h"

// Heap accounting: every allocation carries its size in a header.
namespace {
std::size_t g_live = 0;
std::size_t g_peak = 0;
constexpr std::size_t kHeader = alignof(std::max_align_t);
}  // namespace

void* operator new(std::size_t size) {
  auto* block = static_cast<char*>(std::malloc(size + kHeader));
  if (!block) throw std::bad_alloc();
  *reinterpret_cast<std::size_t*>(block) = size;
  g_live += size;
  g_peak = std::max(g_peak, g_live);
  return block + kHeader;
}
void operator delete(void* pointer) noexcept {
  if (!pointer) return;
  char* block = static_cast<char*>(pointer) - kHeader;
  g_live -= *reinterpret_cast<std::size_t*>(block);
  std::free(block);
}
void* operator new[](std::size_t size) { return operator new(size); }
void operator delete[](void* pointer) noexcept { operator delete(pointer); }
void operator delete(void* pointer, std::size_t) noexcept { operator delete(pointer); }
void operator delete[](void* pointer, std::size_t) noexcept { operator delete(pointer); }

namespace {

using namespace quib;
using Clock = std::chrono::steady_clock;

constexpr std::size_t kChunk = 64 * 1024;

double Seconds(Clock::duration d) { return std::chrono::duration<double>(d).count(); }

/// Median of runs of step, which returns the time of the part to be measured (so that
/// freeing what it made is left out).
template <class Step>
double Median(int runs, Step&& step) {
  std::vector<double> times;
  for (int i = 0; i < runs; ++i) times.push_back(step());
  std::sort(times.begin(), times.end());
  return times[times.size() / 2];
}

template <class Action>
double Timed(Action&& action) {
  const auto start = Clock::now();
  action();
  return Seconds(Clock::now() - start);
}

void RawWrite(Files& files, const std::string& path, std::size_t bytes) {
  static const std::string chunk(kChunk, 'r');
  auto file = files.Create(path);
  for (std::size_t left = bytes; left > 0;) {
    const std::size_t piece = std::min(left, kChunk);
    file->Write(chunk.data(), piece);
    left -= piece;
  }
  file->Commit();
}

std::size_t RawRead(Files& files, const std::string& path) {
  static std::vector<char> chunk(kChunk);
  auto file = files.OpenRead(path);
  std::size_t total = 0;
  while (const std::size_t got = file->Read(chunk.data(), chunk.size())) total += got;
  return total;
}

/// The same bytes read into memory allocated for them, as any load must place them.
std::unique_ptr<char[]> RawReadIntoNewMemory(Files& files, const std::string& path, std::size_t size) {
  std::unique_ptr<char[]> memory(new char[size]);
  auto file = files.OpenRead(path);
  std::size_t total = 0;
  while (const std::size_t got = file->Read(memory.get() + total, std::min(kChunk, size - total))) total += got;
  if (total != size) std::abort();
  return memory;
}

std::string FolderPath() {
  namespace fs = std::filesystem;
  const char* chosen = std::getenv("QUIB_BENCH_DIR");
  fs::path folder = chosen ? fs::path(chosen) : fs::temp_directory_path() / "quib-bench";
  fs::create_directories(folder);
  std::string text = fs::absolute(folder).string();
  std::replace(text.begin(), text.end(), '/', '\\');
  return text + "\\";
}

void Run(const char* name, std::size_t entries, std::size_t text_bytes, int runs, Files& files,
         Dialogs& dialogs, const std::string& folder) {
  const std::string data_path = folder + "bench_data.dat";
  const std::string raw_path = folder + "bench_raw.bin";

  TSmartListView list(files, dialogs);
  for (std::size_t i = 0; i < entries; ++i) {
    TListItem& item = list.Add();
    item.Caption.assign(text_bytes, static_cast<char>('a' + i % 26));
    item.SubItems = {"December 11, 2026 01:33 PM", "notepad.exe"};
  }

  const double save = Median(runs, [&] { return Timed([&] { list.SaveToFile(data_path); }); });
  const std::size_t size = static_cast<std::size_t>(files.FileSize(data_path));
  const double raw_write = Median(runs, [&] { return Timed([&] { RawWrite(files, raw_path, size); }); });
  const double raw_read = Median(runs, [&] { return Timed([&] { (void)RawRead(files, raw_path); }); });
  const double raw_into_memory = Median(runs, [&] {
    std::unique_ptr<char[]> memory;
    return Timed([&] { memory = RawReadIntoNewMemory(files, raw_path, size); });
  });
  std::size_t load_peak = 0;
  const double load = Median(runs, [&] {
    TSmartListView loaded(files, dialogs);
    const std::size_t before = g_live;
    g_peak = g_live;
    const double time = Timed([&] { loaded.LoadFromFile(data_path); });
    load_peak = std::max(load_peak, g_peak - before);
    if (loaded.Count() != entries) std::abort();
    return time;
  });

  const double mb = static_cast<double>(size) / 1e6;
  const auto ms = [](double seconds) { return seconds * 1e3; };
  std::printf("%s: file %.2f MB\n", name, mb);
  std::printf("  raw write            %9.3f ms %6.0f MB/s\n", ms(raw_write), mb / raw_write);
  std::printf("  save                 %9.3f ms %6.0f MB/s   %5.2f x raw write\n", ms(save), mb / save,
              save / raw_write);
  std::printf("  raw read             %9.3f ms %6.0f MB/s\n", ms(raw_read), mb / raw_read);
  std::printf("  raw read, new memory %9.3f ms %6.0f MB/s\n", ms(raw_into_memory), mb / raw_into_memory);
  std::printf("  load                 %9.3f ms %6.0f MB/s   %5.2f x raw read, %5.2f x raw read into new memory\n",
              ms(load), mb / load, load / raw_read, load / raw_into_memory);
  std::printf("  load peak heap       %9.2f MB          %5.2f x the file\n", static_cast<double>(load_peak) / 1e6,
              static_cast<double>(load_peak) / static_cast<double>(size));
  files.Delete(data_path);
  files.Delete(raw_path);
}

}  // namespace

int main(int argc, char** argv) {
  const int runs = argc > 1 ? std::max(1, std::atoi(argv[1])) : 5;
  SimDesktop sim;
  const std::string folder = FolderPath();
  std::printf("Median of %d runs in %s; writes include the flush to the disk.\n", runs, folder.c_str());
  Run("9,999 x 9,999 bytes", 9999, 9999, runs, sim.files, sim.dialogs, folder);
  Run("9,999 x 100 bytes", 9999, 100, runs, sim.files, sim.dialogs, folder);
  return 0;
}
