// The configuration window object as the holder of state: values at creation, the
// recording-state table and the owned monitor.
#include "TestSupport.h"
#include "ui/AdvConfigFormUnit.h"

namespace quib::test {
namespace {

class FormTest : public ::testing::Test {
 protected:
  SimDesktop sim;
  Desktop desktop = sim.desktop();
  HostLink host;
};

TEST_F(FormTest, ControlsHoldTheirValuesAtCreation) {
  TAdvConfigForm form(desktop, host);
  EXPECT_TRUE(form.cmdStart.Enabled && form.cmdStart.Visible);
  EXPECT_TRUE(form.cmdStop.Enabled && form.cmdStop.Visible);
  EXPECT_FALSE(form.RecordingOn()) << "readers testing cmdStart take recording as off";
  EXPECT_TRUE(form.ClipboardMonitor().Enabled());
  EXPECT_EQ(form.txtMaxNumberClips.Text, "");
  EXPECT_EQ(form.txtMaxLengthClips.Text, "");
  EXPECT_EQ(form.txtMaxNumberClips.MaxLength, 4);
  EXPECT_FALSE(form.txtMaxLengthClips.AllowLetters || form.txtMaxLengthClips.AllowSymbols ||
               form.txtMaxLengthClips.AllowBlanks);
  EXPECT_FALSE(form.chkCopyAndPaste.Checked);
  EXPECT_FALSE(form.chkPlaySound.Checked);
  EXPECT_EQ(form.txtPlaySound.Text, "");
  EXPECT_EQ(form.cboDateFormat.Items.size(), 24u);
  EXPECT_EQ(form.cboDateFormat.ItemIndex, 0);
  EXPECT_EQ(form.cboDateFormat.Text(), "mmmm dd, yyyy hh:nn ampm");
  EXPECT_TRUE(form.lvwClipboard.Empty());
  EXPECT_EQ(form.lvwClipboard.Msg1, "The file \"%s\" does not exist!");
  EXPECT_EQ(form.lvwClipboard.Msg2, "The file \"%s\" is not a valid QuibVault data file!");
  EXPECT_FALSE(form.lvwClipboard.UseTempFile);
  EXPECT_FALSE(form.WaveFile.Wave_Loop);
  EXPECT_EQ(form.WaveFile.Wave_From, TwWave::icFile);
  EXPECT_EQ(form.WaveFile.Wave_Name, "");
  EXPECT_FALSE(form.ShowHostOnClose);
  EXPECT_FALSE(form.SuppressCapture);
  EXPECT_EQ(form.PendingText, "");
  EXPECT_EQ(form.LastRecordedText, "");
  EXPECT_EQ(form.SourceApplication, "");
  EXPECT_FALSE(form.LastSourceWindow);
  EXPECT_FALSE(form.Visible());
}

TEST_F(FormTest, CreationLoadsTheProcessFinderLibrariesAndIgnoresAFailure) {
  sim.processes.libraries_available = false;
  TAdvConfigForm form(desktop, host);
  EXPECT_EQ(sim.processes.load_libraries_calls, 1);
}

TEST_F(FormTest, TheMonitorIsInTheChainFromCreationAndPassesChangesOn) {
  SimViewer other(sim.clipboard);
  other.Join();
  {
    TAdvConfigForm form(desktop, host);
    EXPECT_EQ(sim.clipboard.FirstViewer(), form.ClipboardMonitor().MessageWindow());
    const int before = other.changes();
    sim.clipboard.CopyFromOtherProgram("while the form lives");
    EXPECT_EQ(other.changes(), before + 1);
  }
  EXPECT_EQ(sim.clipboard.FirstViewer(), other.window()) << "the form's monitor left with it";
  const int before = other.changes();
  sim.clipboard.CopyFromOtherProgram("after the form");
  EXPECT_EQ(other.changes(), before + 1);
}

struct RecordingCase {
  bool on;
  bool start_enabled, start_visible, stop_enabled, stop_visible, monitor;
};

class RecordingStateTest : public FormTest, public ::testing::WithParamInterface<RecordingCase> {};

TEST_P(RecordingStateTest, SetsButtonsAndMonitorTogether) {
  const RecordingCase& c = GetParam();
  TAdvConfigForm form(desktop, host);
  form.SetRecordingState(!c.on);
  form.SetRecordingState(c.on);
  EXPECT_EQ(form.cmdStart.Enabled, c.start_enabled);
  EXPECT_EQ(form.cmdStart.Visible, c.start_visible);
  EXPECT_EQ(form.cmdStop.Enabled, c.stop_enabled);
  EXPECT_EQ(form.cmdStop.Visible, c.stop_visible);
  EXPECT_EQ(form.ClipboardMonitor().Enabled(), c.monitor);
  EXPECT_EQ(form.RecordingOn(), c.on);
}

INSTANTIATE_TEST_SUITE_P(Table, RecordingStateTest,
                         ::testing::Values(RecordingCase{true, false, false, true, true, true},
                                           RecordingCase{false, true, true, false, false, false}),
                         [](const auto& info) { return info.param.on ? "On" : "Off"; });

TEST_F(FormTest, StartingRecordingAnnouncesWhileTheButtonsStillSayOff) {
  TAdvConfigForm form(desktop, host);
  form.SetRecordingState(false);
  bool start_enabled_during_announcement = false;
  form.ClipboardMonitor().OnChange = [&](TvxClipboardMonitor&) {
    start_enabled_during_announcement = form.cmdStart.Enabled;
  };
  form.SetRecordingState(true);
  EXPECT_TRUE(start_enabled_during_announcement);
}

TEST_F(FormTest, ClickingFromCodeRunsTheHandlerShownOrNot) {
  TAdvConfigForm form(desktop, host);
  int clicks = 0;
  form.cmdClearAll.OnClick = [&] { ++clicks; };
  form.cmdClearAll.Visible = false;
  form.cmdClearAll.Click();
  EXPECT_EQ(clicks, 1);
}

}  // namespace
}  // namespace quib::test
