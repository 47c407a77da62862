// Capture: what a clipboard change makes of the clip list, told as a user copying texts.
#include <fstream>
#include <string>
#include <utility>

#include "TestSupport.h"
#include "capture/Capture.h"
#include "ui/AdvConfigFormUnit.h"

namespace quib::test {
namespace {

class CaptureTest : public ::testing::Test {
 protected:
  void SetUp() override {
    HostRecorder::Commands().clear();
    host.Connect(7, &HostRecorder::Callback);
    form.txtMaxLengthClips.Text = "1000";
    form.txtMaxNumberClips.Text = "100";
    form.cboDateFormat.ItemIndex = 12;  // "dd/mm/yyyy"
    sim.clock.now = LocalTime{2009, 9, 1, 14, 30, 0, 0, 2};
    editor = sim.processes.AddWindow(42, "C:\\Tools\\Edit.exe");
    sim.processes.foreground = editor;
    form.SetRecordingState(true);
  }

  /// The texts of the list, oldest first.
  std::vector<std::string> Texts() const {
    std::vector<std::string> texts;
    for (std::size_t i = 0; i < form.lvwClipboard.Count(); ++i)
      texts.push_back(form.lvwClipboard.Item(i).Caption);
    return texts;
  }
  void Copy(const std::string& text) { sim.clipboard.CopyFromOtherProgram(text); }
  std::vector<std::string>& reports() { return HostRecorder::Commands(); }

  TempFolder folder;
  SimDesktop sim;
  Desktop desktop = sim.desktop();
  HostLink host;
  TAdvConfigForm form{desktop, host};
  WindowId editor;
};

TEST_F(CaptureTest, RecordsACopiedTextWithDateAndSource) {
  Copy("Hello");
  Copy("World");
  ASSERT_EQ(Texts(), (std::vector<std::string>{"Hello", "World"}));
  const TListItem& item = form.lvwClipboard.Item(1);
  EXPECT_EQ(item.ImageIndex, 0);
  EXPECT_EQ(item.SubItems, (std::vector<std::string>{"01/09/2009", "Edit.exe"}));
  EXPECT_EQ(form.LastRecordedText, "World");
  EXPECT_EQ(form.PendingText, "");
  EXPECT_FALSE(form.SuppressCapture);
  EXPECT_TRUE(reports().empty());
}

struct LengthCase {
  const char* name;
  const char* max_length;
  std::size_t length;
  bool recorded;
};

class CaptureLengthTest : public CaptureTest, public ::testing::WithParamInterface<LengthCase> {};

TEST_P(CaptureLengthTest, AppliesTheMaximumLengthWhole) {
  form.txtMaxLengthClips.Text = GetParam().max_length;
  const std::string text(GetParam().length, 'x');
  Copy(text);
  EXPECT_EQ(form.lvwClipboard.Count(), GetParam().recorded ? 1u : 0u);
  if (!GetParam().recorded && !text.empty()) {
    EXPECT_NE(form.PendingText, "") << "the refused text stays pending";
    EXPECT_NE(form.PendingText, form.LastRecordedText);
  }
}

INSTANTIATE_TEST_SUITE_P(
    Lengths, CaptureLengthTest,
    ::testing::Values(LengthCase{"ExactlyTheMaximum", "1000", 1000, true},
                      LengthCase{"OneOver", "1000", 1001, false},
                      LengthCase{"FarOver", "1000", 5'000'000, false},
                      LengthCase{"MaximumZero", "0", 1, false},
                      LengthCase{"FractionTruncated", "3.9", 4, false},
                      LengthCase{"EmptyText", "1000", 0, false}),
    [](const auto& info) { return std::string(info.param.name); });

TEST_F(CaptureTest, AnOversizedTextIsNotCopiedWhole) {
  form.txtMaxLengthClips.Text = "10";
  Copy(std::string(1'000'000, 'y'));
  EXPECT_LE(form.PendingText.size(), 11u);
  EXPECT_TRUE(form.lvwClipboard.Empty());
}

TEST_F(CaptureTest, ClipboardWithoutTextRecordsNothingAndKeepsThePendingText) {
  form.txtMaxLengthClips.Text = "2";
  Copy("too long");
  const std::string pending = form.PendingText;
  ASSERT_NE(pending, "");
  sim.clipboard.CopyNonText();
  EXPECT_EQ(form.PendingText, pending);
  EXPECT_TRUE(form.lvwClipboard.Empty());
}

TEST_F(CaptureTest, TheSameTextTwiceIsRecordedOnceAndKeepsItsDate) {
  Copy("same");
  sim.clock.now.day = 2;
  Copy("same");
  ASSERT_EQ(Texts(), std::vector<std::string>{"same"});
  EXPECT_EQ(form.lvwClipboard.Item(0).SubItems[0], "01/09/2009");
}

TEST_F(CaptureTest, ATextCopiedAgainMovesToTheNewestEndWithANewStamp) {
  Copy("T");
  Copy("U");
  sim.clock.now.day = 3;
  sim.processes.foreground = sim.processes.AddWindow(43, "C:\\Other\\Writer.exe");
  Copy("T");
  EXPECT_EQ(Texts(), (std::vector<std::string>{"U", "T"}));
  EXPECT_EQ(form.lvwClipboard.Item(1).SubItems,
            (std::vector<std::string>{"03/09/2009", "Writer.exe"}));
}

TEST_F(CaptureTest, OnlyTheOldestOfSeveralEqualEntriesIsReplaced) {
  for (const char* text : {"dup", "a", "dup", "b"}) form.lvwClipboard.Add().Caption = text;
  Copy("dup");
  EXPECT_EQ(Texts(), (std::vector<std::string>{"a", "dup", "b", "dup"}));
}

TEST_F(CaptureTest, TheLastRecordedTextStaysIgnoredAfterItsEntryIsGone) {
  Copy("kept in mind");
  form.lvwClipboard.Clear();
  Copy("kept in mind");
  EXPECT_TRUE(form.lvwClipboard.Empty());
  Copy("something else");
  EXPECT_EQ(Texts(), std::vector<std::string>{"something else"});
  form.lvwClipboard.Delete(0);
  Copy("something else");
  EXPECT_TRUE(form.lvwClipboard.Empty());
}

struct TrimCase {
  const char* name;
  std::size_t entries;
  const char* max_number;
  bool text_already_listed;
  std::size_t count_after;
};

class CaptureTrimTest : public CaptureTest, public ::testing::WithParamInterface<TrimCase> {};

TEST_P(CaptureTrimTest, TrimsOneEntryPerRecordedText) {
  const TrimCase& c = GetParam();
  for (std::size_t i = 0; i < c.entries; ++i)
    form.lvwClipboard.Add().Caption = "entry " + std::to_string(i);
  form.txtMaxNumberClips.Text = c.max_number;
  Copy(c.text_already_listed ? "entry 5" : "new");
  EXPECT_EQ(form.lvwClipboard.Count(), c.count_after);
  if (c.count_after > 0) {
    EXPECT_EQ(Texts().back(), c.text_already_listed ? "entry 5" : "new");
  }
}

INSTANTIATE_TEST_SUITE_P(
    Trims, CaptureTrimTest,
    ::testing::Values(TrimCase{"FullListDropsTheOldest", 100, "100", false, 100},
                      TrimCase{"ReplacingDeletesNothingMore", 100, "100", true, 100},
                      TrimCase{"FarOverDropsOnlyOne", 150, "100", false, 150},
                      TrimCase{"MaximumZeroKeepsItEmpty", 0, "0", false, 0}),
    [](const auto& info) { return std::string(info.param.name); });

TEST_F(CaptureTest, AListOverItsMaximumLosesOneEntryPerRecordedText) {
  for (int i = 0; i < 150; ++i) form.lvwClipboard.Add().Caption = "entry " + std::to_string(i);
  // A new text adds one entry and the trim takes one: the count holds.
  Copy("new");
  EXPECT_EQ(form.lvwClipboard.Count(), 150u);
  // Texts already listed move to the newest end, so each recorded one shrinks the list.
  for (int i = 0; i < 49; ++i) Copy("entry " + std::to_string(149 - i));
  EXPECT_EQ(form.lvwClipboard.Count(), 101u);
  Copy("entry 101");  // the last recorded text again: records nothing, trims nothing
  EXPECT_EQ(form.lvwClipboard.Count(), 101u);
  Copy("entry 100");
  EXPECT_EQ(form.lvwClipboard.Count(), 100u);
}

TEST_F(CaptureTest, LimitsBeyondWhatTheDataFileHoldsAreCappedAtIt) {
  // Hand-edited settings: a text or a list the data file cannot hold would make the
  // shutdown save refuse the whole list.
  form.txtMaxLengthClips.Text = "70000";
  form.lvwClipboard.Add().Caption = "older";
  Copy(std::string(65536, 'x'));
  EXPECT_EQ(form.lvwClipboard.Count(), 1u);
  Copy(std::string(65535, 'y'));
  EXPECT_EQ(form.lvwClipboard.Count(), 2u);
  form.txtMaxNumberClips.Text = "1e9";
  for (std::size_t i = form.lvwClipboard.Count(); i < kDataFileFieldMax; ++i)
    form.lvwClipboard.Add().Caption = std::to_string(i);
  Copy("one more than fits");
  EXPECT_EQ(form.lvwClipboard.Count(), kDataFileFieldMax);
  EXPECT_EQ(std::as_const(form.lvwClipboard).Item(kDataFileFieldMax - 1).Caption, "one more than fits");
}

TEST_F(CaptureTest, AFullListLosesItsOldestEntry) {
  for (int i = 0; i < 100; ++i) form.lvwClipboard.Add().Caption = "entry " + std::to_string(i);
  Copy("new");
  EXPECT_EQ(form.lvwClipboard.Item(0).Caption, "entry 1");
}

TEST_F(CaptureTest, AnEmptyMaximumNumberRecordsButDoesNotTrimAndReports) {
  for (int i = 0; i < 3; ++i) form.lvwClipboard.Add().Caption = "entry " + std::to_string(i);
  const std::string wave = folder.File("chime.wav");
  std::ofstream(StdFiles::NativePath(wave), std::ios::binary) << "RIFF....WAVE";
  ASSERT_TRUE(form.WaveFile.Loadfile(wave));
  form.txtPlaySound.Text = wave;
  form.chkPlaySound.Checked = true;
  form.txtMaxNumberClips.Text = "";
  Copy("recorded anyway");
  EXPECT_EQ(form.lvwClipboard.Count(), 4u);
  EXPECT_EQ(sim.sound.played.size(), 1u) << "the sound comes before the failing trim";
  EXPECT_EQ(form.PendingText, "");
  EXPECT_EQ(reports(),
            std::vector<std::string>{"reporterror|'' is not a valid floating point value"});
  EXPECT_FALSE(form.SuppressCapture);
}

TEST_F(CaptureTest, AnEmptyMaximumLengthRecordsNothingAndReports) {
  form.lvwClipboard.Add().Caption = "older";  // no re-registration: one run, one report
  form.txtMaxLengthClips.Text = "";
  Copy("not recorded");
  EXPECT_EQ(Texts(), std::vector<std::string>{"older"});
  EXPECT_EQ(form.PendingText, "not recorded");
  EXPECT_EQ(reports(),
            std::vector<std::string>{"reporterror|'' is not a valid floating point value"});
  form.txtMaxLengthClips.Text = "1000";
  Copy("recorded now");
  EXPECT_EQ(Texts(), (std::vector<std::string>{"older", "recorded now"}));
}

TEST_F(CaptureTest, AClipboardHeldByAnotherProgramIsReportedAndTheNextChangeWorks) {
  form.lvwClipboard.Add().Caption = "older";
  sim.clipboard.SetLockedByOtherProgram(true);
  Copy("locked");
  EXPECT_EQ(Texts(), std::vector<std::string>{"older"});
  EXPECT_EQ(reports(), std::vector<std::string>{"reporterror|Cannot open clipboard"});
  sim.clipboard.SetLockedByOtherProgram(false);
  Copy("free again");
  EXPECT_EQ(Texts(), (std::vector<std::string>{"older", "free again"}));
}

TEST_F(CaptureTest, NothingIsRecordedWhileRecordingIsOff) {
  form.SetRecordingState(false);
  Copy("ignored");
  // A stale viewer may still pass a change on while the monitor is out of the chain.
  sim.clipboard.Forward(form.ClipboardMonitor().MessageWindow(), ChainMessage{});
  EXPECT_TRUE(form.lvwClipboard.Empty());
}

TEST_F(CaptureTest, TextsMarkedByPasswordManagersAreSkipped) {
  form.PendingText = "before";
  sim.clipboard.CopyFromOtherProgram("s3cret", /*exclude_marker=*/true);
  EXPECT_TRUE(form.lvwClipboard.Empty());
  EXPECT_EQ(form.PendingText, "before");
  EXPECT_EQ(form.LastRecordedText, "");
  Copy("plain");
  EXPECT_EQ(Texts(), std::vector<std::string>{"plain"});
}

TEST_F(CaptureTest, PlaysTheLoadedSoundOnceWhenItsFileExists) {
  const std::string wav = "RIFF....WAVEfmt ";
  const std::string path = folder.File("chime.wav");
  std::ofstream(StdFiles::NativePath(path), std::ios::binary) << wav;
  form.txtPlaySound.Text = path;
  form.chkPlaySound.Checked = true;
  ASSERT_TRUE(form.WaveFile.Loadfile(path));
  form.WaveFile.Wave_Loop = true;
  Copy("with sound");
  ASSERT_EQ(sim.sound.played.size(), 1u);
  EXPECT_FALSE(sim.sound.played[0].loop);
  EXPECT_EQ(sim.sound.played[0].wave, wav);
}

TEST_F(CaptureTest, AMissingSoundFileUnticksTheBoxAndStillRecords) {
  form.txtPlaySound.Text = folder.File("gone.wav");
  form.chkPlaySound.Checked = true;
  Copy("quiet");
  EXPECT_EQ(Texts(), std::vector<std::string>{"quiet"});
  EXPECT_FALSE(form.chkPlaySound.Checked);
  EXPECT_TRUE(sim.sound.played.empty());
}

TEST_F(CaptureTest, AnExistingFileThatWasNeverLoadedPlaysNothing) {
  const std::string path = folder.File("unloaded.wav");
  std::ofstream(StdFiles::NativePath(path), std::ios::binary) << "RIFF";
  form.txtPlaySound.Text = path;
  form.chkPlaySound.Checked = true;
  Copy("nothing loaded");
  EXPECT_TRUE(sim.sound.played.empty());
  EXPECT_TRUE(form.chkPlaySound.Checked);
}

TEST_F(CaptureTest, UnknownSourceWhenTheLookupFindsNothing) {
  sim.processes.foreground = WindowId{};
  Copy("from nowhere");
  EXPECT_EQ(form.lvwClipboard.Item(0).SubItems[1], "Unknown");
}

TEST_F(CaptureTest, ANotificationDuringCaptureRecordsNothing) {
  form.SuppressCapture = true;
  Copy("busy");
  EXPECT_TRUE(form.lvwClipboard.Empty());
  EXPECT_TRUE(form.SuppressCapture) << "the flag stays as the outer run left it";
}

TEST_F(CaptureTest, ReRegistrationWithAnEmptyListIsBoundedAndRecordsOnce) {
  // Empty list, nothing pending, recording on: the change re-registers the monitor, whose
  // announcement records the text; the outer run then finds it already recorded.
  const int joins = sim.clipboard.set_viewer_calls();
  Copy("first");
  EXPECT_EQ(Texts(), std::vector<std::string>{"first"});
  EXPECT_EQ(sim.clipboard.set_viewer_calls(), joins + 1) << "one re-registration, not a loop";
  EXPECT_EQ(form.PendingText, "first") << "the outer run stopped at the last recorded text";
}

TEST_F(CaptureTest, AFailureInsideTheReRegistrationIsReportedByBothRuns) {
  form.txtMaxLengthClips.Text = "";
  Copy("x");
  EXPECT_EQ(reports().size(), 2u);
  EXPECT_FALSE(form.SuppressCapture);
}

TEST_F(CaptureTest, StartingRecordingTakesTheTextAlreadyOnTheClipboard) {
  form.SetRecordingState(false);
  Copy("on the clipboard before");
  form.SetRecordingState(true);
  EXPECT_EQ(Texts(), std::vector<std::string>{"on the clipboard before"});
}

}  // namespace
}  // namespace quib::test
