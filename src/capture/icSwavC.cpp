// The wave sound player.
#include "capture/icSwavC.h"

#include <cstdio>

namespace quib {

TicSwavC::~TicSwavC() {
  try {
    Release();
  } catch (...) {
    // Nothing can be reported from a destructor.
  }
}

void TicSwavC::Release() {
  if (playing_ || !data_.empty()) sound_.Stop();
  playing_ = false;
  std::string().swap(data_);
}

bool TicSwavC::Loadfile(const std::string& path) {
  Release();
  if (!files_.FileExists(path)) return false;
  data_ = ReadAll(*files_.OpenRead(path));
  Wave_From = TwWave::icFile;
  return !data_.empty();
}

bool TicSwavC::LoadResource(const std::string& name) {
  Release();
  if (auto bytes = sound_.FindWaveResource(name)) {
    data_ = std::move(*bytes);
    Wave_From = TwWave::icResource;
  }
  return !data_.empty();
}

void TicSwavC::Play() {
  if (playing_) sound_.Stop();
  playing_ = false;
  const bool ready = !data_.empty() || (Wave_From == TwWave::icFile ? Loadfile(Wave_Name)
                                                                    : LoadResource(Wave_Name));
  if (ready) {
    sound_.Play(data_, Wave_Loop);
    playing_ = true;
  }
  if (On_Play) On_Play(*this);
}

void TicSwavC::Stop() {
  sound_.Stop();
  const bool was_playing = playing_;
  playing_ = false;
  if (was_playing && On_Stop) On_Stop(*this);
}

std::uint32_t TicSwavC::Field(std::size_t offset, std::size_t width) const {
  // A header cut short reads as zeros past its end.
  std::uint32_t value = 0;
  for (std::size_t i = 0; i < width && offset + i < data_.size(); ++i)
    value |= static_cast<std::uint32_t>(static_cast<unsigned char>(data_[offset + i])) << (8 * i);
  return value;
}

std::string TicSwavC::Channels() const {
  if (data_.empty()) return "Unknown";
  switch (Field(22, 2)) {
    case 1: return "Mono";
    case 2: return "Stereo";
    default: return "Unknown";
  }
}

std::string TicSwavC::SampleRate() const {
  return data_.empty() ? std::string() : std::to_string(Field(24, 4)) + " hz";
}

std::string TicSwavC::AvgBytesPerSec() const {
  return data_.empty() ? "Unknown" : std::to_string(Field(28, 4)) + " Bytes per Sec.";
}

std::string TicSwavC::BlockAlign() const {
  return data_.empty() ? "Unknown" : std::to_string(Field(32, 2)) + " Bytes";
}

std::string TicSwavC::BitsPerSample() const {
  return data_.empty() ? std::string() : std::to_string(Field(34, 2)) + " bit";
}

std::string TicSwavC::FileSize() const {
  return data_.empty() ? std::string()
                       : std::to_string(static_cast<std::uint64_t>(Field(4, 4)) + 8) + " Bytes";
}

std::string TicSwavC::Duration() const {
  // "#.###": up to three decimals, trailing zeros dropped, no leading zero before the point.
  double seconds = 0;
  if (!data_.empty() && Field(28, 4) != 0)
    seconds = static_cast<double>(Field(4, 4)) / static_cast<double>(Field(28, 4));
  char text[64];
  std::snprintf(text, sizeof text, "%.3f", seconds);
  std::string value = text;
  while (!value.empty() && value.back() == '0') value.pop_back();
  if (!value.empty() && value.back() == '.') value.pop_back();
  if (value.rfind("0", 0) == 0) value.erase(0, 1);
  return value + " sec.";
}

}  // namespace quib
