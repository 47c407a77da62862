// Sound output: a RIFF WAVE held in memory, played in the background.
#pragma once

#include <optional>
#include <string>
#include <string_view>

namespace quib {

class Sound {
 public:
  virtual ~Sound() = default;
  /// Starts playing wave (a whole RIFF WAVE image), once or looped, replacing any sound
  /// playing now. The bytes stay the caller's and must live until Stop or the next Play.
  virtual bool Play(std::string_view wave, bool loop) = 0;
  /// Stops whatever is playing; afterwards the output no longer reads the bytes.
  virtual void Stop() = 0;
  /// The bytes of the plug-in module's resource of type "WAVE" called name, if it has one.
  virtual std::optional<std::string> FindWaveResource(const std::string& name) = 0;
};

}  // namespace quib
