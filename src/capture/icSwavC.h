// The wave sound player: holds one RIFF WAVE image in memory and plays it in the
// background, once or looped. The output never reads bytes the player has replaced or freed.
#pragma once

#include <cstdint>
#include <functional>
#include <string>

#include "platform/files.h"
#include "platform/sound.h"

namespace quib {

enum class TwWave { icFile, icResource };

class TicSwavC {
 public:
  using Event = std::function<void(TicSwavC& sender)>;

  TicSwavC(Sound& sound, Files& files) : sound_(sound), files_(files) {}
  ~TicSwavC();
  TicSwavC(const TicSwavC&) = delete;
  TicSwavC& operator=(const TicSwavC&) = delete;

  bool Wave_Loop = false;
  TwWave Wave_From = TwWave::icFile;
  std::string Wave_Name;
  Event On_Play;
  Event On_Stop;

  /// Empties the sound data, then reads the whole file at path into it when one exists.
  /// True when sound data is loaded. Throws PlatformError when the file cannot be read.
  bool Loadfile(const std::string& path);
  /// Empties the sound data, then copies the module's "WAVE" resource name into it.
  bool LoadResource(const std::string& name);
  /// Plays the sound data (loading it from Wave_Name first when there is none), replacing
  /// a sound already playing; returns at once.
  void Play();
  /// Stops any sound the output is playing.
  void Stop();

  /// The loaded sound data (empty when none).
  const std::string& Data() const { return data_; }
  bool Playing() const { return playing_; }

  // What the header of the loaded data says.
  std::string Channels() const;
  std::string SampleRate() const;
  std::string AvgBytesPerSec() const;
  std::string BlockAlign() const;
  std::string BitsPerSample() const;
  std::string FileSize() const;
  std::string Duration() const;

 private:
  /// Before the data changes: the output may still be reading the old bytes.
  void Release();
  std::uint32_t Field(std::size_t offset, std::size_t width) const;

  Sound& sound_;
  Files& files_;
  std::string data_;
  bool playing_ = false;
};

}  // namespace quib
