// The real process finder: this process named both ways, the snapshot walk of the older
// family, and the source of a copy made while a real editor or the desktop is in front.
#include <gtest/gtest.h>

#include <string>

#include "Win32TestSupport.h"
#include "capture/SourceApplication.h"
#include "platform/win32/Win32Desktop.h"
#include "platform/win32/Win32Error.h"
#include "ui/AdvConfigFormUnit.h"

namespace quib::wintest {
namespace {

constexpr char kThisExe[] = "quib_win32_tests.exe";
// Process ids are multiples of four; this one is never handed out.
constexpr std::uint32_t kNoSuchProcess = 0xFFFFFFFC;

bool EndsWith(const std::string& text, const std::string& end) {
  return text.size() >= end.size() && text.compare(text.size() - end.size(), end.size(), end) == 0;
}

TEST(Win32Processes, NamesThisProcessByFullPathOrBaseName) {
  Win32Processes processes(Win32Processes::Family::ProcessStatus);
  ASSERT_TRUE(processes.LoadLibraries());
  const ProcessFileName full = processes.GetProcessFileName(GetCurrentProcessId(), true);
  EXPECT_TRUE(full.found);
  EXPECT_TRUE(EndsWith(full.text, std::string("\\") + kThisExe)) << full.text;
  EXPECT_EQ(full.text.find(":\\"), 1u) << full.text;
  const ProcessFileName base = processes.GetProcessFileName(GetCurrentProcessId(), false);
  EXPECT_TRUE(base.found);
  EXPECT_EQ(base.text, kThisExe);
  const ProcessFileName none = processes.GetProcessFileName(kNoSuchProcess, true);
  EXPECT_FALSE(none.found);
  EXPECT_EQ(none.text, "");
  processes.FreeLibraries();
  EXPECT_EQ(processes.GetProcessFileName(GetCurrentProcessId(), true).text, "failed0");
}

TEST(Win32Processes, WithoutTheLibrariesEveryLookupIsFailed0) {
  Win32Processes processes(Win32Processes::Family::ProcessStatus);
  const ProcessFileName result = processes.GetProcessFileName(GetCurrentProcessId(), true);
  EXPECT_FALSE(result.found);
  EXPECT_EQ(result.text, "failed0");
}

TEST(Win32Processes, TheOlderFamilyWalksASnapshotWithoutLibraries) {
  Win32Processes processes(Win32Processes::Family::ToolHelp);
  EXPECT_FALSE(processes.UsesProcessStatus());
  const ProcessFileName own = processes.GetProcessFileName(GetCurrentProcessId(), true);
  EXPECT_TRUE(own.found);
  EXPECT_TRUE(EndsWith(own.text, kThisExe)) << own.text;
  const ProcessFileName none = processes.GetProcessFileName(kNoSuchProcess, true);
  EXPECT_FALSE(none.found);
  EXPECT_EQ(none.text, "");
}

/// The form over the real desktop, as the library makes it.
class SourceApplicationTest : public ::testing::Test {
 protected:
  std::string CopyNow() {
    LookUpSourceApplication(form);
    return form.SourceApplication;
  }

  Win32Desktop win32;
  Desktop desktop = win32.desktop();
  HostLink host;
  TAdvConfigForm form{desktop, host};
};

TEST_F(SourceApplicationTest, AnEditorInFrontIsNamedAndItsEndLeavesUnknown) {
  Notepad notepad;
  ASSERT_TRUE(notepad.started());
  const HWND editor = BringToFront(notepad.id());
  ASSERT_NE(editor, nullptr) << "notepad did not come to the front";
  EXPECT_EQ(CopyNow(), "notepad.exe");
  EXPECT_EQ(form.LastSourceWindow, win32::FromHwnd(editor));

  notepad.Kill();
  for (int i = 0; i < 100 && GetForegroundWindow() == editor; ++i) PumpFor(50);
  ASSERT_EQ(GetForegroundWindow(), nullptr) << "nothing took the editor's place";
  EXPECT_EQ(CopyNow(), "Unknown");
}

TEST_F(SourceApplicationTest, TheDesktopShellInFrontGivesUnknownAndIsNotRemembered) {
  const HWND shell = GetDesktopWindow();
  SetForegroundWindow(shell);
  for (int i = 0; i < 100 && GetForegroundWindow() != shell; ++i) PumpFor(50);
  ASSERT_EQ(GetForegroundWindow(), shell);
  const std::string path = win32.processes.GetProcessFileName(OwnerOf(shell), true).text;
  ASSERT_TRUE(EndsWith(path, "\\explorer.exe")) << path;
  EXPECT_EQ(CopyNow(), "Unknown");
  EXPECT_FALSE(form.LastSourceWindow);
}

}  // namespace
}  // namespace quib::wintest
