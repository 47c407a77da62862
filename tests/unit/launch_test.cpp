// Result launch: the entry's text back on the clipboard, the entry moved to the newest end
// with or without recording, the paste request, and launches that change nothing.
#include <string>
#include <vector>

#include "SearchTestSupport.h"

namespace quib::test {
namespace {

class LaunchTest : public StartedPluginTest {
 protected:
  static std::int32_t Launch(std::int32_t row, std::int32_t first = 5, std::int32_t second = 5) {
    return PluginFunc_Allow_ProcessTrigger(0, 0, 0, first, second, 0, 0, row);
  }
  /// The user moved to another program and it is later in the day.
  void LaterInAnotherProgram() {
    sim.clock.now = LocalTime{2009, 9, 3, 9, 0, 0, 0, 4};
    sim.processes.foreground = sim.processes.AddWindow(77, "C:\\Mail\\Mailer.exe");
  }
  std::string ClipboardText() { return sim.clipboard.GetText(); }
};

TEST_F(LaunchTest, TheNewestEntryStaysAndItsTextGoesToTheClipboardWithAPasteRequest) {
  Copy({"one", "two"});
  form().chkCopyAndPaste.Checked = true;
  Copy({"elsewhere"});
  list().Delete(2);  // the clipboard now holds a text that is not the newest entry
  const std::vector<Row> before = RowsOf(list());
  LaterInAnotherProgram();

  EXPECT_EQ(Launch(1), 1);

  EXPECT_EQ(RowsOf(list()), before) << "no entry changed, not even its date";
  EXPECT_EQ(ClipboardText(), "two");
  EXPECT_EQ(commands(), std::vector<std::string>{"PasteClipboardToLastActiveWindow|"});
}

TEST_F(LaunchTest, WithoutCopyAndPasteNoPasteIsRequested) {
  Copy({"one", "two"});
  form().chkCopyAndPaste.Checked = false;
  EXPECT_EQ(Launch(0), 1);
  EXPECT_EQ(ClipboardText(), "one");
  EXPECT_TRUE(commands().empty());
}

class LaunchOlderTest : public LaunchTest, public ::testing::WithParamInterface<bool> {};

// Without recording the launch moves the entry; with recording capture brings it back from
// the clipboard write. The list ends the same either way.
TEST_P(LaunchOlderTest, MovesTheEntryToTheNewestEndWithAFreshDateAndSource) {
  Copy({"one", "two", "three", "four"});
  form().SetRecordingState(GetParam());
  LaterInAnotherProgram();

  EXPECT_EQ(Launch(1), 1);

  EXPECT_EQ(RowsOf(list()), (std::vector<Row>{{"one", {"01/09/2009", "Edit.exe"}},
                                              {"three", {"01/09/2009", "Edit.exe"}},
                                              {"four", {"01/09/2009", "Edit.exe"}},
                                              {"two", {"03/09/2009", "Mailer.exe"}}}));
  EXPECT_EQ(ClipboardText(), "two");
  EXPECT_EQ(form().ClipboardMonitor().Enabled(), GetParam());
  EXPECT_EQ(form().LastRecordedText, GetParam() ? "two" : "four");
  EXPECT_TRUE(commands().empty());
}

INSTANTIATE_TEST_SUITE_P(Recording, LaunchOlderTest, ::testing::Bool(),
                         [](const auto& info) { return info.param ? "On" : "Off"; });

TEST_F(LaunchTest, WithRecordingOnTheClipboardWriteIsSeenOnlyThroughTheAnnouncement) {
  SimViewer other(sim.clipboard);
  other.Join();
  Copy({"one", "two"});
  const int joins = sim.clipboard.set_viewer_calls();
  Launch(0);
  EXPECT_EQ(sim.clipboard.set_viewer_calls(), joins + 1);
  EXPECT_EQ(Texts(), (std::vector<std::string>{"two", "one"}));
  const int heard = other.changes();
  Copy({"three"});
  EXPECT_EQ(other.changes(), heard + 1) << "the viewer after us is still in the chain";
}

TEST_F(LaunchTest, TwoDifferentNumbersFromTheHostLeaveTheLaunchToIt) {
  Copy({"one", "two"});
  form().chkCopyAndPaste.Checked = true;
  const std::vector<Row> before = RowsOf(list());
  EXPECT_EQ(Launch(0, 4, 5), 0);
  EXPECT_EQ(RowsOf(list()), before);
  EXPECT_EQ(ClipboardText(), "two");
  EXPECT_TRUE(commands().empty());
}

TEST_F(LaunchTest, ARowThatNamesNoEntryChangesNothing) {
  Copy({"one", "two"});
  form().chkCopyAndPaste.Checked = true;
  const std::vector<Row> before = RowsOf(list());
  for (std::int32_t row : {2, 3, 1 << 30, -1, -2, INT32_MIN}) {
    SCOPED_TRACE(row);
    EXPECT_EQ(Launch(row), 1);
    EXPECT_EQ(RowsOf(list()), before);
    EXPECT_EQ(ClipboardText(), "two");
    EXPECT_TRUE(commands().empty());
  }
}

TEST_F(LaunchTest, TheRowIsTakenAgainstTheListAtTheMomentOfTheLaunch) {
  Copy({"one", "two", "three"});
  Search("");
  std::int32_t data = -1;
  PluginFunc_Request_ItemResultByIndex(2, nullptr, nullptr, nullptr, nullptr, &data, 0, nullptr,
                                       0, nullptr);
  ASSERT_EQ(data, 0);  // "one"
  list().Delete(0);
  Launch(data);
  EXPECT_EQ(ClipboardText(), "two");
}

// Capture skips a text equal to the one it recorded last, or one over the maximum length;
// the launch then puts the entry back itself.
struct SkippedCase {
  const char* name;
  const char* max_length;
};

class LaunchSkippedByCaptureTest : public LaunchTest,
                                   public ::testing::WithParamInterface<SkippedCase> {};

TEST_P(LaunchSkippedByCaptureTest, TheEntryIsNotLost) {
  Copy({"one", "two", "three"});  // capture recorded "three" last
  form().SetRecordingState(false);
  Launch(1);  // "two" moves to the newest end without capture
  form().SetRecordingState(true);
  form().txtMaxLengthClips.Text = GetParam().max_length;
  ASSERT_EQ(Texts(), (std::vector<std::string>{"one", "three", "two"}));
  ASSERT_EQ(form().LastRecordedText, "three");
  LaterInAnotherProgram();

  EXPECT_EQ(Launch(1), 1);

  EXPECT_EQ(RowsOf(list()).back(), (Row{"three", {"03/09/2009", "Mailer.exe"}}));
  EXPECT_EQ(Texts(), (std::vector<std::string>{"one", "two", "three"}));
  EXPECT_EQ(ClipboardText(), "three");
  EXPECT_TRUE(form().ClipboardMonitor().Enabled());
}

INSTANTIATE_TEST_SUITE_P(Skips, LaunchSkippedByCaptureTest,
                         ::testing::Values(SkippedCase{"EqualToTheLastRecordedText", "1000"},
                                           SkippedCase{"OverTheMaximumLength", "2"}),
                         [](const auto& info) { return std::string(info.param.name); });

class LaunchFailureTest : public LaunchTest, public ::testing::WithParamInterface<bool> {};

// A clipboard held by another program fails the launch: it is reported, and neither the
// entry nor recording is lost on the way.
TEST_P(LaunchFailureTest, AClipboardThatCannotBeOpenedIsReportedAndLosesNothing) {
  Copy({"one", "two", "three"});
  form().SetRecordingState(GetParam());
  form().chkCopyAndPaste.Checked = true;
  sim.clipboard.SetLockedByOtherProgram(true);

  EXPECT_EQ(Launch(0), 0);

  sim.clipboard.SetLockedByOtherProgram(false);
  // With recording on, capture met the held clipboard too when the monitor came back.
  const std::vector<std::string> reports =
      GetParam() ? std::vector<std::string>{"reporterror|Cannot open clipboard",
                                            "reporterror|ResultLaunch"}
                 : std::vector<std::string>{"reporterror|ResultLaunch"};
  EXPECT_EQ(commands(), reports);
  EXPECT_EQ(Texts(), (std::vector<std::string>{"two", "three", "one"}));
  EXPECT_EQ(form().ClipboardMonitor().Enabled(), GetParam());
  EXPECT_EQ(form().RecordingOn(), GetParam());
}

INSTANTIATE_TEST_SUITE_P(Recording, LaunchFailureTest, ::testing::Bool(),
                         [](const auto& info) { return info.param ? "On" : "Off"; });

TEST_F(LaunchTest, ALaunchWithoutTheWindowReportsResultLaunch) {
  PluginFunc_DoShutDown();
  commands().clear();
  EXPECT_EQ(Launch(0), 0);
  EXPECT_EQ(commands(), std::vector<std::string>{"reporterror|ResultLaunch"});
}

}  // namespace
}  // namespace quib::test
