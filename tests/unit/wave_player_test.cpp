// The wave player: loading, playing once or looped, stopping, and never letting the output
// read bytes it has replaced or freed.
#include <fstream>

#include "TestSupport.h"
#include "capture/icSwavC.h"

namespace quib::test {
namespace {

/// A canonical 44-byte RIFF WAVE header and n data bytes.
std::string Wave(std::uint16_t channels, std::uint32_t rate, std::uint16_t bits, std::size_t n) {
  auto put = [](std::string& out, std::uint32_t value, int width) {
    for (int i = 0; i < width; ++i) out.push_back(static_cast<char>((value >> (8 * i)) & 0xFF));
  };
  const std::uint16_t align = static_cast<std::uint16_t>(channels * bits / 8);
  std::string w = "RIFF";
  put(w, static_cast<std::uint32_t>(36 + n), 4);
  w += "WAVEfmt ";
  put(w, 16, 4);
  put(w, 1, 2);
  put(w, channels, 2);
  put(w, rate, 4);
  put(w, rate * align, 4);
  put(w, align, 2);
  put(w, bits, 2);
  w += "data";
  put(w, static_cast<std::uint32_t>(n), 4);
  w.append(n, '\x80');
  return w;
}

class WavePlayerTest : public ::testing::Test {
 protected:
  std::string WriteFile(const std::string& name, const std::string& bytes) {
    std::ofstream(StdFiles::NativePath(folder.File(name)), std::ios::binary) << bytes;
    return folder.File(name);
  }
  /// The output reads nothing, or the player's current bytes.
  void ExpectNoStaleRead() const {
    EXPECT_TRUE(sim.sound.playing_data() == nullptr || sim.sound.playing_data() == player.Data().data());
  }

  TempFolder folder;
  SimDesktop sim;
  TicSwavC player{sim.sound, sim.files};
};

TEST_F(WavePlayerTest, LoadsAFileAndPlaysItOnceOrLooped) {
  const std::string wave = Wave(1, 8000, 8, 100);
  ASSERT_TRUE(player.Loadfile(WriteFile("a.wav", wave)));
  EXPECT_EQ(player.Data(), wave);
  player.Play();
  player.Wave_Loop = true;
  player.Play();
  ASSERT_EQ(sim.sound.played.size(), 2u);
  EXPECT_FALSE(sim.sound.played[0].loop);
  EXPECT_TRUE(sim.sound.played[1].loop);
  EXPECT_EQ(sim.sound.played[1].wave, wave);
  EXPECT_GE(sim.sound.stops, 1) << "the first sound was stopped before the second started";
}

TEST_F(WavePlayerTest, AMissingFileEmptiesTheDataAndPlaysNothingButStillRaisesOnPlay) {
  ASSERT_TRUE(player.Loadfile(WriteFile("a.wav", Wave(1, 8000, 8, 10))));
  EXPECT_FALSE(player.Loadfile(folder.File("missing.wav")));
  EXPECT_TRUE(player.Data().empty());
  int on_play = 0;
  player.On_Play = [&](TicSwavC&) { ++on_play; };
  player.Play();
  EXPECT_TRUE(sim.sound.played.empty());
  EXPECT_EQ(on_play, 1);
  EXPECT_FALSE(player.Playing());
}

TEST_F(WavePlayerTest, NeverPlaysReplacedOrFreedData) {
  const std::string a = WriteFile("a.wav", Wave(1, 8000, 8, 1000));
  const std::string b = WriteFile("b.wav", Wave(2, 44100, 16, 1000));
  {
    TicSwavC local(sim.sound, sim.files);
    local.Loadfile(a);
    local.Play();
    local.Loadfile(b);  // replaces the bytes the output was reading
    EXPECT_TRUE(sim.sound.playing_data() == nullptr ||
                sim.sound.playing_data() == local.Data().data());
    local.Play();
  }
  EXPECT_EQ(sim.sound.playing_data(), nullptr) << "destroying the player stopped its sound";
  player.Loadfile(a);
  player.Play();
  player.Loadfile(folder.File("missing.wav"));
  ExpectNoStaleRead();
}

TEST_F(WavePlayerTest, PlayLoadsFromItsNameWhenNothingIsLoaded) {
  player.Wave_Name = WriteFile("named.wav", Wave(1, 8000, 8, 10));
  player.Play();
  ASSERT_EQ(sim.sound.played.size(), 1u);
  EXPECT_EQ(player.Wave_From, TwWave::icFile);
  sim.sound.resources["CHIME"] = Wave(1, 11025, 8, 20);
  player.Wave_From = TwWave::icResource;
  EXPECT_TRUE(player.LoadResource("CHIME"));
  EXPECT_EQ(player.Wave_From, TwWave::icResource);
  EXPECT_FALSE(player.LoadResource("NONE"));
}

TEST_F(WavePlayerTest, StopRaisesOnStopOnlyWhenASoundWasStarted) {
  int on_stop = 0;
  player.On_Stop = [&](TicSwavC&) { ++on_stop; };
  player.Stop();
  EXPECT_EQ(on_stop, 0);
  player.Loadfile(WriteFile("a.wav", Wave(1, 8000, 8, 10)));
  player.Play();
  player.Stop();
  EXPECT_EQ(on_stop, 1);
  EXPECT_EQ(sim.sound.playing_data(), nullptr);
}

TEST_F(WavePlayerTest, DescribesTheLoadedFormat) {
  EXPECT_EQ(player.Channels(), "Unknown");
  EXPECT_EQ(player.SampleRate(), "");
  EXPECT_EQ(player.Duration(), " sec.");
  player.Loadfile(WriteFile("a.wav", Wave(2, 22050, 16, 88200)));
  EXPECT_EQ(player.Channels(), "Stereo");
  EXPECT_EQ(player.SampleRate(), "22050 hz");
  EXPECT_EQ(player.AvgBytesPerSec(), "88200 Bytes per Sec.");
  EXPECT_EQ(player.BlockAlign(), "4 Bytes");
  EXPECT_EQ(player.BitsPerSample(), "16 bit");
  EXPECT_EQ(player.FileSize(), "88244 Bytes");
  EXPECT_EQ(player.Duration(), "1 sec.");
}

TEST_F(WavePlayerTest, AShortOrJunkFileDescribesWithoutReadingPastItsEnd) {
  player.Loadfile(WriteFile("junk.wav", "RIFF\x01"));
  EXPECT_EQ(player.Channels(), "Unknown");
  EXPECT_EQ(player.Duration(), " sec.");
}

}  // namespace
}  // namespace quib::test
