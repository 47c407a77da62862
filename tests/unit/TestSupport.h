// Shared fixtures: a fresh temp folder, and a plugin attached to a simulated desktop.
#pragma once

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "platform/sim/SimDesktop.h"
#include "plugin/Plugin.h"
#include "plugin/PluginEntry.h"

namespace quib::test {

/// A fresh folder for real files, removed afterwards. Path() ends in a backslash, as the
/// plugin spells folders.
class TempFolder {
 public:
  TempFolder();
  ~TempFolder();
  std::string Path() const { return path_; }
  std::string File(const std::string& name) const { return path_ + name; }

 private:
  std::string path_;
};

/// Every host command the plugin sent, as "command|value".
struct HostRecorder {
  static std::int32_t QUIB_CDECL Callback(std::int32_t host_data, const char* command,
                                          const char* value);
  static std::vector<std::string>& Commands();
};

/// A loaded library on a simulated desktop: attached on set-up, shut down and unloaded on
/// tear-down.
class PluginTest : public ::testing::Test {
 protected:
  void SetUp() override;
  void TearDown() override;
  /// DoInit with a file inside the temp folder, host data word 7 and the recorder.
  void Init();
  std::vector<std::string>& commands() { return HostRecorder::Commands(); }

  SimDesktop sim;
  Desktop desktop = sim.desktop();
  TempFolder folder;
};

}  // namespace quib::test
