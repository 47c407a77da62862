// The settings file: defaults, the seven keys into and out of the form's controls, the
// wrong-file and load-error messages, and the save through the ".tmp" file and the backup.
#include <filesystem>
#include <memory>
#include <string>

#include "StoreTestSupport.h"
#include "TestSupport.h"
#include "store/SettingsFile.h"
#include "ui/AdvConfigFormUnit.h"

namespace quib::test {
namespace {

using Op = FaultyFiles::Op;

const std::string kWave("RIFF\x24\0\0\0WAVEfmt ", 16);

bool RecordingOnShown(const TAdvConfigForm& form) {
  return form.ClipboardMonitor().Enabled() && !form.cmdStart.Enabled && !form.cmdStart.Visible &&
         form.cmdStop.Enabled && form.cmdStop.Visible;
}

bool RecordingOffShown(const TAdvConfigForm& form) {
  return !form.ClipboardMonitor().Enabled() && form.cmdStart.Enabled && form.cmdStart.Visible &&
         !form.cmdStop.Enabled && !form.cmdStop.Visible;
}

class SettingsTest : public ::testing::Test {
 protected:
  bool Load() { return LoadSettings(*form, folder.Path()); }
  bool Save() { return SaveSettings(*form, folder.Path()); }
  /// The plugin starts again: a fresh window, whose controls hold their creation values.
  void Restart() {
    form.reset();
    form = std::make_unique<TAdvConfigForm>(fs.desktop, host);
  }
  void WriteSettings(const std::string& settings_section, const std::string& identification = "QuibVault") {
    WriteFile(settings, "[Information]\r\nFile Identification=" + identification + "\r\nVersion=0.5.0.7\r\n\r\n" +
                            settings_section);
  }
  std::vector<SimDialogs::Box>& boxes() { return fs.sim.dialogs.shown; }

  FaultyDesktop fs;
  TempFolder folder;
  HostLink host;
  std::unique_ptr<TAdvConfigForm> form = std::make_unique<TAdvConfigForm>(fs.desktop, host);
  std::string settings = folder.File("QuibVault_settings.cfg");
  std::string wave = folder.File("ding.wav");
};

TEST_F(SettingsTest, FirstStartWithoutASettingsFileAppliesTheDefaultsAndWritesNothing) {
  for (const bool default_wave_exists : {false, true}) {
    Restart();
    if (default_wave_exists) WriteFile(folder.File("default.wav"), kWave);
    EXPECT_FALSE(Load());
    EXPECT_TRUE(RecordingOnShown(*form));
    EXPECT_EQ(form->txtMaxNumberClips.Text, "100");
    EXPECT_EQ(form->txtMaxLengthClips.Text, "1000");
    EXPECT_FALSE(form->chkCopyAndPaste.Checked);
    EXPECT_FALSE(form->chkPlaySound.Checked);
    EXPECT_EQ(form->txtPlaySound.Text, folder.File("default.wav"));
    EXPECT_EQ(form->WaveFile.Data(), default_wave_exists ? kWave : "");
    EXPECT_EQ(form->cboDateFormat.ItemIndex, 0);
    EXPECT_EQ(ReadFile(settings), "<missing>");
    EXPECT_TRUE(boxes().empty());
  }
}

TEST_F(SettingsTest, AnUnreadableDefaultWaveFileDoesNotStopTheStartUp) {
  WriteFile(folder.File("default.wav"), kWave);
  fs.files.Fail(Op::kOpenRead);
  EXPECT_NO_THROW(Load());
  EXPECT_TRUE(RecordingOnShown(*form));
  EXPECT_FALSE(form->chkPlaySound.Checked);
  EXPECT_EQ(form->cboDateFormat.ItemIndex, 0);
}

TEST_F(SettingsTest, OnlyTheInformationSectionGivesEachMissingKeyItsDefault) {
  WriteSettings("");
  form->cboDateFormat.ItemIndex = 5;
  EXPECT_TRUE(Load());
  EXPECT_TRUE(RecordingOnShown(*form));
  EXPECT_EQ(form->txtMaxNumberClips.Text, "100");
  EXPECT_EQ(form->txtMaxLengthClips.Text, "1000");
  EXPECT_TRUE(form->chkCopyAndPaste.Checked);
  EXPECT_FALSE(form->chkPlaySound.Checked) << "the wave path is empty, so no file exists";
  EXPECT_EQ(form->txtPlaySound.Text, "");
  EXPECT_EQ(form->cboDateFormat.ItemIndex, 0);
  EXPECT_TRUE(boxes().empty());
}

TEST_F(SettingsTest, EveryKeyIsReadIntoItsControl) {
  WriteFile(wave, kWave);
  WriteFile(settings,
            "[settings]\nquib.date.format=7\nQUIB.SOUND.WAVFILE=" + wave +
                "\nQuib.Sound.Play=1\nQuib.Use.CopyAndPaste=0\nQuib.MaxLength=abc\nQuib.MaxNumber=12345\n"
                "Quib.Vault.IsEnabled=0\n\n[information]\nfile identification=QuibVault\n");
  EXPECT_TRUE(Load());
  EXPECT_TRUE(RecordingOnShown(*form));
  EXPECT_EQ(form->txtMaxNumberClips.Text, "12345") << "texts are stored as they stand";
  EXPECT_EQ(form->txtMaxLengthClips.Text, "abc");
  EXPECT_FALSE(form->chkCopyAndPaste.Checked);
  EXPECT_TRUE(form->chkPlaySound.Checked);
  EXPECT_EQ(form->txtPlaySound.Text, wave);
  EXPECT_EQ(form->WaveFile.Data(), kWave);
  EXPECT_EQ(form->cboDateFormat.ItemIndex, 7);
}

TEST_F(SettingsTest, IsEnabledOneStartsWithRecordingOffAndSwitchingItOnWritesZero) {
  WriteSettings("[Settings]\r\nQuib.Vault.IsEnabled=1\r\n");
  Load();
  EXPECT_TRUE(RecordingOffShown(*form));
  form->SetRecordingState(true);
  EXPECT_TRUE(Save());
  EXPECT_NE(ReadFile(settings).find("Quib.Vault.IsEnabled=0\r\n"), std::string::npos);
  Restart();
  Load();
  EXPECT_TRUE(RecordingOnShown(*form));
}

struct BooleanCase {
  const char* value;
  bool copy_and_paste;  ///< default true
  bool recording_off;   ///< "Quib.Vault.IsEnabled", default false
};

TEST_F(SettingsTest, BooleansAreIntegersAndAnythingElseGivesTheDefault) {
  const BooleanCase cases[] = {{"1", true, true},      {"2", true, true},     {"-1", true, true},
                               {"0x10", true, true},   {"0", false, false},   {"yes", true, false},
                               {"true", true, false},  {"", true, false},     {" 0 ", false, false}};
  for (const BooleanCase& c : cases) {
    Restart();
    WriteSettings(std::string("[Settings]\r\nQuib.Use.CopyAndPaste=") + c.value + "\r\nQuib.Vault.IsEnabled=" +
                  c.value + "\r\n");
    Load();
    EXPECT_EQ(form->chkCopyAndPaste.Checked, c.copy_and_paste) << '"' << c.value << '"';
    EXPECT_EQ(RecordingOffShown(*form), c.recording_off) << '"' << c.value << '"';
  }
}

TEST_F(SettingsTest, AFileOfAnotherProgramShowsTheWrongFileMessageAndAppliesNothing) {
  const std::string files[] = {
      "[Information]\r\nFile Identification=quibvault\r\n[Settings]\r\nQuib.MaxNumber=5\r\n",
      "[Information]\r\nFile Identification=Other\r\n[Settings]\r\nQuib.MaxNumber=5\r\n",
      "[Settings]\r\nQuib.MaxNumber=5\r\nFile Identification=QuibVault\r\n",
      "",
      "\x01\x02 not text at all \xFF",
  };
  for (const std::string& contents : files) {
    Restart();
    boxes().clear();
    WriteFile(settings, contents);
    EXPECT_FALSE(Load());
    ASSERT_EQ(boxes().size(), 1u);
    EXPECT_EQ(boxes()[0].text, "Error: " + settings +
                                   " is not a configuration file for this plugin. Please delete it if this "
                                   "problem persists.");
    EXPECT_EQ(boxes()[0].caption, "Error Wrong Configuration File!");
    EXPECT_EQ(boxes()[0].flags, box::kIconError | box::kOk);
    EXPECT_EQ(form->txtMaxNumberClips.Text, "") << "controls keep their creation values";
    EXPECT_TRUE(form->cmdStart.Enabled && form->cmdStop.Enabled);
  }
}

TEST_F(SettingsTest, AnEmptyMaxNumberLoadsAsOneHundredAndMaxLengthKeepsItsValue) {
  WriteSettings("[Settings]\r\nQuib.MaxNumber=\r\nQuib.MaxLength=77\r\n");
  Load();
  EXPECT_EQ(form->txtMaxNumberClips.Text, "100");
  EXPECT_EQ(form->txtMaxLengthClips.Text, "77");
  Restart();
  WriteSettings("[Settings]\r\nQuib.MaxNumber=12\r\nQuib.MaxLength=\r\n");
  Load();
  EXPECT_EQ(form->txtMaxNumberClips.Text, "12");
  EXPECT_EQ(form->txtMaxLengthClips.Text, "1000");
}

TEST_F(SettingsTest, TheDateFormatIndexIsReadAsAnIntegerWithoutARangeCheck) {
  const struct {
    const char* value;
    int index;
  } cases[] = {{"0x3", 3}, {"$A", 10}, {"23", 23}, {"letters", 0}, {"", 0}, {"30", -1}, {"24", -1}, {"-1", -1}};
  for (const auto& c : cases) {
    Restart();
    WriteSettings(std::string("[Settings]\r\nQuib.Date.Format=") + c.value + "\r\n");
    Load();
    EXPECT_EQ(form->cboDateFormat.ItemIndex, c.index) << c.value;
  }
  Save();
  EXPECT_NE(ReadFile(settings).find("Quib.Date.Format=-1\r\n"), std::string::npos)
      << "no selection is written as -1";
}

TEST_F(SettingsTest, APlaySoundWithAMissingWaveFileIsSavedAsZeroAndLoadsUnchecked) {
  WriteFile(wave, kWave);
  WriteSettings("[Settings]\r\nQuib.Sound.Play=1\r\nQuib.Sound.WavFile=" + wave + "\r\n");
  Load();
  ASSERT_TRUE(form->chkPlaySound.Checked);
  std::filesystem::remove(StdFiles::NativePath(wave));
  Save();
  EXPECT_TRUE(form->chkPlaySound.Checked) << "the check box itself is not changed";
  EXPECT_NE(ReadFile(settings).find("Quib.Sound.Play=0\r\n"), std::string::npos);
  Restart();
  Load();
  EXPECT_FALSE(form->chkPlaySound.Checked);
}

TEST_F(SettingsTest, AFreshFileHoldsTheSectionsAndKeysInTheirOrder) {
  form->SetRecordingState(false);
  form->txtMaxNumberClips.Text = "250";
  form->txtMaxLengthClips.Text = "4000";
  form->chkCopyAndPaste.Checked = true;
  form->chkPlaySound.Checked = true;
  WriteFile(wave, kWave);
  form->txtPlaySound.Text = wave;
  form->cboDateFormat.ItemIndex = 12;
  EXPECT_TRUE(Save());
  EXPECT_EQ(ReadFile(settings),
            "[Information]\r\nFile Identification=QuibVault\r\nVersion=0.5.0.7\r\n\r\n[Settings]\r\n"
            "Quib.Vault.IsEnabled=1\r\nQuib.MaxNumber=250\r\nQuib.MaxLength=4000\r\n"
            "Quib.Use.CopyAndPaste=1\r\nQuib.Sound.Play=1\r\nQuib.Sound.WavFile=" +
                wave + "\r\nQuib.Date.Format=12\r\n");
  EXPECT_EQ(form->WaveFile.Data(), kWave) << "the save loads the wave file again";
  EXPECT_EQ(ReadFile(settings + ".tmp"), "<missing>");
  EXPECT_EQ(ReadFile(settings + ".bak"), "<missing>");
}

TEST_F(SettingsTest, ASaveKeepsThePreviousFileByteForByteAsTheBackup) {
  const std::string previous = "[information]\nFile Identification = QuibVault\n; hand-edited\n[Settings]\nx=1";
  WriteFile(settings, previous);
  form->txtMaxNumberClips.Text = "9";
  EXPECT_TRUE(Save());
  EXPECT_EQ(ReadFile(settings + ".bak"), previous);
  EXPECT_NE(ReadFile(settings).find("Quib.MaxNumber=9\r\n"), std::string::npos);
  EXPECT_EQ(ReadFile(settings + ".tmp"), "<missing>");
}

TEST_F(SettingsTest, AStaleTmpFileIsUpdatedAndItsOtherKeysStay) {
  WriteFile(settings + ".tmp", "[Settings]\r\nOther.Key=kept\r\nQuib.MaxNumber=stale\r\n");
  form->txtMaxNumberClips.Text = "33";
  EXPECT_TRUE(Save());
  const std::string saved = ReadFile(settings);
  EXPECT_NE(saved.find("Other.Key=kept\r\n"), std::string::npos);
  EXPECT_NE(saved.find("Quib.MaxNumber=33\r\n"), std::string::npos);
  EXPECT_EQ(saved.find("stale"), std::string::npos);
  Restart();
  EXPECT_TRUE(Load());
  EXPECT_EQ(form->txtMaxNumberClips.Text, "33");
}

TEST_F(SettingsTest, ASettingsFileThatCannotBeReadShowsTheLoadErrorMessage) {
  WriteSettings("[Settings]\r\nQuib.MaxNumber=5\r\n");
  fs.files.Fail(Op::kOpenRead);
  EXPECT_FALSE(Load());
  ASSERT_EQ(boxes().size(), 1u);
  EXPECT_EQ(boxes()[0].text, "Error loading QuibVault plugin configuration file '" + settings + "'.");
  EXPECT_EQ(boxes()[0].caption, "Load Configuration Error!");
  EXPECT_EQ(boxes()[0].flags, box::kIconError | box::kOk);
  EXPECT_EQ(form->txtMaxNumberClips.Text, "");
}

TEST_F(SettingsTest, AnUnreadableWaveFileStopsTheLoadWithTheValuesBeforeItApplied) {
  WriteFile(wave, kWave);
  WriteSettings("[Settings]\r\nQuib.MaxNumber=5\r\nQuib.Sound.WavFile=" + wave + "\r\nQuib.Date.Format=9\r\n");
  fs.files.Fail(Op::kOpenRead, 2);  // the settings file reads, the wave file does not
  EXPECT_FALSE(Load());
  ASSERT_EQ(boxes().size(), 1u);
  EXPECT_EQ(boxes()[0].caption, "Load Configuration Error!");
  EXPECT_EQ(form->txtMaxNumberClips.Text, "5");
  EXPECT_EQ(form->txtPlaySound.Text, wave);
  EXPECT_EQ(form->cboDateFormat.ItemIndex, 0) << "read after the failure, so not applied";
}

TEST_F(SettingsTest, AnUnreadableWaveFileDoesNotCostTheSave) {
  WriteFile(wave, kWave);
  form->txtPlaySound.Text = wave;
  form->chkPlaySound.Checked = true;
  form->txtMaxNumberClips.Text = "44";
  fs.files.Fail(Op::kOpenRead);
  EXPECT_TRUE(Save());
  EXPECT_NE(ReadFile(settings).find("Quib.MaxNumber=44\r\n"), std::string::npos);
  EXPECT_NE(ReadFile(settings).find("Quib.Sound.Play=1\r\n"), std::string::npos);
}

struct SettingsFaultCase {
  const char* name;
  Op op;
  bool written;
  bool replaced;  ///< the settings file holds the new values afterwards
  bool backup;    ///< the ".bak" file holds the previous settings file
};

class SettingsSaveFaultTest : public SettingsTest, public ::testing::WithParamInterface<SettingsFaultCase> {};

TEST_P(SettingsSaveFaultTest, NeverLeavesTheSettingsFileMissingOrPartial) {
  const SettingsFaultCase& c = GetParam();
  const std::string previous = "[Information]\r\nFile Identification=QuibVault\r\n";
  WriteFile(settings, previous);
  WriteFile(settings + ".bak", "older");
  form->txtMaxNumberClips.Text = "66";
  fs.files.Fail(c.op);
  EXPECT_EQ(Save(), c.written);
  EXPECT_TRUE(boxes().empty());
  const std::string now = ReadFile(settings);
  if (c.replaced)
    EXPECT_NE(now.find("Quib.MaxNumber=66\r\n"), std::string::npos);
  else
    EXPECT_EQ(now, previous);
  EXPECT_EQ(ReadFile(settings + ".bak"), c.backup ? previous : c.replaced ? "<missing>" : "older");
}

INSTANTIATE_TEST_SUITE_P(
    Faults, SettingsSaveFaultTest,
    ::testing::Values(SettingsFaultCase{"TmpCannotBeCreated", Op::kCreate, false, false, false},
                      SettingsFaultCase{"ShortWrite", Op::kWrite, false, false, false},
                      SettingsFaultCase{"FlushFails", Op::kCommit, false, false, false},
                      SettingsFaultCase{"BackupCopyFails", Op::kCopy, true, true, false},
                      SettingsFaultCase{"ReplaceFails", Op::kReplace, true, false, true}),
    [](const auto& info) { return std::string(info.param.name); });

}  // namespace
}  // namespace quib::test
