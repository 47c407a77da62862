// Shared fixtures.
#include "TestSupport.h"

#include <atomic>
#include <chrono>
#include <filesystem>

namespace quib::test {

namespace fs = std::filesystem;

TempFolder::TempFolder() {
  static std::atomic<int> counter{0};
  const auto stamp = std::chrono::steady_clock::now().time_since_epoch().count();
  const fs::path path = fs::temp_directory_path() /
                        ("quib-" + std::to_string(stamp) + "-" + std::to_string(counter++));
  fs::create_directories(path);
  std::string text = path.string();
#ifndef _WIN32
  for (char& c : text)
    if (c == '/') c = '\\';
#endif
  path_ = text + "\\";
}

TempFolder::~TempFolder() {
  std::error_code error;
  fs::remove_all(StdFiles::NativePath(path_), error);
}

std::vector<std::string>& HostRecorder::Commands() {
  static std::vector<std::string> commands;
  return commands;
}

std::int32_t QUIB_CDECL HostRecorder::Callback(std::int32_t, const char* command, const char* value) {
  const std::string name = command ? command : "<null>";
  // "window.richeditheight" passes a number in the place of the text.
  const std::string text = name == "window.richeditheight"
                               ? std::to_string(reinterpret_cast<std::intptr_t>(value))
                               : (value ? value : "<null>");
  Commands().push_back(name + "|" + text);
  return 0;
}

void PluginTest::SetUp() {
  HostRecorder::Commands().clear();
  OnProcessAttach(desktop);
}

void PluginTest::TearDown() {
  PluginFunc_DoShutDown();
  OnUnload();
}

void PluginTest::Init() {
  PluginFunc_DoInit(folder.File("QuibVault.dll").c_str(), 7, 0, 0, 0, &HostRecorder::Callback);
}

}  // namespace quib::test
