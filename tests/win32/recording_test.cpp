// Recording with the real DLL: other programs copy texts, the plugin records them with the
// date in the chosen format and the right source, and they are in the data file afterwards.
#include <gtest/gtest.h>

#include <cstdio>

#include "Win32TestSupport.h"

namespace quib::wintest {
namespace {

std::string Settings(const char* recording_stopped, const char* date_format) {
  return std::string("[Information]\r\nFile Identification=QuibVault\r\nVersion=0.5.0.7\r\n") +
         "[Settings]\r\nQuib.Vault.IsEnabled=" + recording_stopped +
         "\r\nQuib.MaxNumber=100\r\nQuib.MaxLength=1000\r\nQuib.Use.CopyAndPaste=0\r\n"
         "Quib.Sound.Play=0\r\nQuib.Sound.WavFile=\r\nQuib.Date.Format=" + date_format + "\r\n";
}

std::string TodayAsDdMmYyyy() {
  SYSTEMTIME now;
  GetLocalTime(&now);
  char text[16];
  std::snprintf(text, sizeof text, "%02u/%02u/%04u", now.wDay, now.wMonth, now.wYear);
  return text;
}

class RecordingTest : public ::testing::Test {
 protected:
  void StartWithRecording(const char* recording_stopped = "0") {
    folder.Write("QuibVault_settings.cfg", Settings(recording_stopped, "12"));  // "dd/mm/yyyy"
    plugin = std::make_unique<LoadedPlugin>(folder);
    plugin->DoInit();
  }
  void CopyFromAnotherProgram(const std::string& text,
                              OtherProgram::Action action = OtherProgram::Action::Copy) {
    OtherProgram other(action, text);
    ASSERT_TRUE(other.done()) << "the other program could not copy";
    PumpFor(300);  // the change notification reaches the monitor on this thread
  }
  std::vector<StoredEntry> ShutDownAndReadTheDataFile() {
    plugin->DoShutDown();
    plugin.reset();
    return ParseDataFile(folder.Read("quibvault_data.dat"));
  }

  PluginFolder folder;
  std::unique_ptr<LoadedPlugin> plugin;
};

TEST_F(RecordingTest, CopiesInAnEditorAndOnTheDesktopAreRecordedWithDateAndSource) {
  StartWithRecording();
  {
    Notepad notepad;
    ASSERT_TRUE(notepad.started());
    ASSERT_NE(BringToFront(notepad.id()), nullptr) << "notepad did not come to the front";
    CopyFromAnotherProgram("copied in the editor");
  }
  SetForegroundWindow(GetDesktopWindow());
  PumpFor(200);
  CopyFromAnotherProgram("copied on the desktop");
  const std::vector<StoredEntry> entries = ShutDownAndReadTheDataFile();

  ASSERT_EQ(entries.size(), 2u);
  EXPECT_EQ(entries[0].text, "copied in the editor");
  EXPECT_EQ(entries[0].sub_items, (std::vector<std::string>{TodayAsDdMmYyyy(), "notepad.exe"}));
  EXPECT_EQ(entries[1].text, "copied on the desktop");
  EXPECT_EQ(entries[1].sub_items, (std::vector<std::string>{TodayAsDdMmYyyy(), "Unknown"}));
  EXPECT_EQ(HostCommands(), "") << "nothing was reported";
}

TEST_F(RecordingTest, NothingIsRecordedWhileRecordingIsStopped) {
  StartWithRecording("1");
  CopyFromAnotherProgram("not recorded");
  EXPECT_TRUE(ShutDownAndReadTheDataFile().empty());
}

TEST_F(RecordingTest, TextsMarkedByPasswordManagersAreNotRecorded) {
  using Action = OtherProgram::Action;
  const struct {
    const char* text;
    Action action;
    bool recorded;
  } copies[] = {
      {"plain", Action::Copy, true},
      {"excluded secret", Action::CopySecret, false},
      {"viewers ignore it", Action::CopyIgnored, false},
      {"not for the history", Action::CopyPrivate, false},
      {"allowed in the history", Action::CopyPublic, true},
  };
  StartWithRecording();
  std::vector<std::string> expected;
  for (const auto& copy : copies) {
    CopyFromAnotherProgram(copy.text, copy.action);
    if (copy.recorded) expected.push_back(copy.text);
  }
  std::vector<std::string> recorded;
  for (const StoredEntry& entry : ShutDownAndReadTheDataFile()) recorded.push_back(entry.text);
  EXPECT_EQ(recorded, expected);
}

TEST_F(RecordingTest, AClipboardHeldOpenIsReportedAndTheNextChangeIsRecorded) {
  StartWithRecording();
  CopyFromAnotherProgram("first");
  HostCommands().clear();
  {
    OtherProgram holder(OtherProgram::Action::HoldOpen);
    ASSERT_TRUE(holder.done());
    // This process may still write (Wine lets a second opener wait): tell the plugin a
    // change happened while the other program holds the clipboard.
    SendMessageA(GetClipboardViewer(), WM_DRAWCLIPBOARD, 0, 0);
    EXPECT_EQ(HostCommands(), "reporterror|Cannot open clipboard\n");
  }
  CopyFromAnotherProgram("after the holder let go");
  const std::vector<StoredEntry> entries = ShutDownAndReadTheDataFile();
  ASSERT_EQ(entries.size(), 2u);
  EXPECT_EQ(entries[1].text, "after the holder let go");
}

}  // namespace
}  // namespace quib::wintest
