// The wave sound player: holds a RIFF WAVE image and plays it in the background.
#pragma once

#include <string>

#include "platform/files.h"
#include "platform/sound.h"

namespace quib {

enum class TwWave { icFile, icResource };

class TicSwavC {
 public:
  TicSwavC(Sound& sound, Files& files) : sound_(sound), files_(files) {}
  ~TicSwavC();
  TicSwavC(const TicSwavC&) = delete;
  TicSwavC& operator=(const TicSwavC&) = delete;

  bool Wave_Loop = false;
  TwWave Wave_From = TwWave::icFile;
  std::string Wave_Name;

  /// Empties the sound data, then reads the whole file at path into it when one exists.
  /// True when sound data is loaded. Throws PlatformError when the file cannot be read.
  bool Loadfile(const std::string& path);

  /// The loaded sound data (empty when none).
  const std::string& Data() const { return data_; }

 private:
  Sound& sound_;
  Files& files_;
  std::string data_;
};

}  // namespace quib
