// The source application of a copy: which names are kept, when the search is skipped,
// and what the process finder's failures leave behind.
#include <memory>
#include <string>
#include <vector>

#include "TestSupport.h"
#include "capture/SourceApplication.h"
#include "ui/AdvConfigFormUnit.h"

namespace quib::test {
namespace {

/// A user's desk: an editor, the desktop shell and the host, with the form created on
/// first use so that a test can break the system before it exists.
class SourceApplicationTest : public ::testing::Test {
 protected:
  TAdvConfigForm& form() {
    if (!form_) form_ = std::make_unique<TAdvConfigForm>(desktop, host);
    return *form_;
  }
  /// The user copies in window: the lookup runs as capture runs it.
  std::string CopyIn(WindowId window) {
    sim.processes.foreground = window;
    LookUpSourceApplication(form());
    return form().SourceApplication;
  }

  SimDesktop sim;
  Desktop desktop = sim.desktop();
  HostLink host;
  WindowId editor = sim.processes.AddWindow(100, "C:\\Tools\\Edit.exe");
  WindowId shell = sim.processes.AddWindow(4, "C:\\Windows\\Explorer.EXE");
  WindowId terminal = sim.processes.AddWindow(200, "C:\\Windows\\System32\\cmd.exe");
  std::unique_ptr<TAdvConfigForm> form_;
};

TEST_F(SourceApplicationTest, StoresTheFileNameOfTheExecutableOrUnknown) {
  struct Case {
    const char* path;
    const char* stored;
  };
  const std::vector<Case> cases = {
      {"C:\\Tools\\Edit.exe", "Edit.exe"},
      {"D:notepad.exe", "notepad.exe"},
      {"\\\\server\\share\\tools\\a:b.exe", "b.exe"},
      {"edit.exe", "edit.exe"},
      {"C:\\Windows\\Explorer.EXE", "Unknown"},
      {"C:\\Windows\\explorer.exe", "Unknown"},
      {"C:\\Windows\\EXPLORER.EXE", "EXPLORER.EXE"},
      {"C:\\Host\\Plugins\\QuibVault.dll", "Unknown"},
      {"C:\\Host\\Plugins\\quibvault.dll", "quibvault.dll"},
      {"", "Unknown"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.path);
    SimDesktop desk;
    Desktop services = desk.desktop();
    TAdvConfigForm form(services, host);
    const WindowId window = desk.processes.AddWindow(300, c.path);
    desk.processes.foreground = window;
    LookUpSourceApplication(form);
    EXPECT_EQ(form.SourceApplication, c.stored);
    const bool named = std::string(c.stored) != "Unknown";
    EXPECT_EQ(form.LastSourceWindow == window, named) << "only a name is remembered";
  }
}

TEST_F(SourceApplicationTest, ASeriesOfCopiesInOneWindowSearchesOnce) {
  EXPECT_EQ(CopyIn(editor), "Edit.exe");
  EXPECT_EQ(CopyIn(editor), "Edit.exe");
  EXPECT_EQ(CopyIn(editor), "Edit.exe");
  EXPECT_EQ(sim.processes.file_name_queries, 1);
  EXPECT_EQ(CopyIn(terminal), "cmd.exe");
  EXPECT_EQ(sim.processes.file_name_queries, 2);
}

TEST_F(SourceApplicationTest, TheShellIsNotRememberedSoEveryCopyThereLooksItUpAgain) {
  EXPECT_EQ(CopyIn(editor), "Edit.exe");
  EXPECT_EQ(CopyIn(shell), "Unknown");
  EXPECT_EQ(CopyIn(shell), "Unknown");
  EXPECT_EQ(sim.processes.file_name_queries, 3);
  EXPECT_EQ(form().LastSourceWindow, editor);
}

TEST_F(SourceApplicationTest, BackInTheLastNamedWindowAfterAFailureKeepsUnknown) {
  EXPECT_EQ(CopyIn(editor), "Edit.exe");
  EXPECT_EQ(CopyIn(shell), "Unknown");
  EXPECT_EQ(CopyIn(editor), "Unknown") << "the editor is still the last source window";
  EXPECT_EQ(sim.processes.file_name_queries, 2);
}

TEST_F(SourceApplicationTest, CopiesInTheFormItselfKeepTheSourceTheyHad) {
  sim.windowing.form_window = sim.processes.AddWindow(50, "C:\\Host\\Host.exe");
  EXPECT_EQ(CopyIn(sim.windowing.form_window), "") << "the callers show this as Unknown";
  EXPECT_EQ(CopyIn(editor), "Edit.exe");
  EXPECT_EQ(CopyIn(sim.windowing.form_window), "Edit.exe");
  EXPECT_EQ(form().LastSourceWindow, editor);
  EXPECT_EQ(sim.processes.file_name_queries, 1);
}

TEST_F(SourceApplicationTest, NoForegroundWindowChangesNothingUntilAWindowWasNamed) {
  // The form has no window of its own here, so "no window" must not pass for it.
  ASSERT_FALSE(sim.windowing.form_window);
  EXPECT_EQ(CopyIn(WindowId{}), "");
  EXPECT_EQ(CopyIn(editor), "Edit.exe");
  EXPECT_EQ(CopyIn(WindowId{}), "Unknown");
  EXPECT_EQ(form().LastSourceWindow, editor);
  EXPECT_EQ(sim.processes.file_name_queries, 1);
}

TEST_F(SourceApplicationTest, AProcessThatCannotBeOpenedOrHasEndedGivesUnknown) {
  sim.processes.unopenable.insert(200);
  EXPECT_EQ(CopyIn(terminal), "Unknown");
  EXPECT_EQ(CopyIn(editor), "Edit.exe");
  const WindowId viewer = sim.processes.AddWindow(300, "C:\\Tools\\View.exe");
  sim.processes.EndProcess(300);
  EXPECT_EQ(CopyIn(viewer), "Unknown");
  EXPECT_EQ(form().LastSourceWindow, editor);
}

TEST_F(SourceApplicationTest, FinderFailuresAreStoredAsTheirTextsAndRemembered) {
  struct Case {
    bool SimProcesses::*broken;
    bool value;
    const char* stored;
  };
  const std::vector<Case> cases = {
      {&SimProcesses::libraries_available, false, "failed0"},
      {&SimProcesses::entry_point_missing, true, "failed1"},
      {&SimProcesses::process_list_unreadable, true, "failed2"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.stored);
    SimDesktop desk;
    desk.processes.*c.broken = c.value;
    Desktop services = desk.desktop();
    TAdvConfigForm form(services, host);
    const WindowId window = desk.processes.AddWindow(300, "C:\\Tools\\Edit.exe");
    desk.processes.foreground = window;
    LookUpSourceApplication(form);
    EXPECT_EQ(form.SourceApplication, c.stored);
    EXPECT_EQ(form.LastSourceWindow, window);
  }
}

TEST_F(SourceApplicationTest, ALibraryThatDidNotLoadIsNotRetried) {
  sim.processes.libraries_available = false;
  EXPECT_EQ(CopyIn(editor), "failed0");
  sim.processes.libraries_available = true;
  EXPECT_EQ(CopyIn(terminal), "failed0");
  EXPECT_EQ(sim.processes.load_libraries_calls, 1);
}

TEST_F(SourceApplicationTest, TheFinderHoldsItsLibrariesForTheFormsLife) {
  form();
  EXPECT_TRUE(form().ProcessFinder.UsesProcessStatus);
  EXPECT_EQ(sim.processes.load_libraries_calls, 1);
  EXPECT_EQ(sim.processes.free_libraries_calls, 0);
  form_.reset();
  EXPECT_EQ(sim.processes.free_libraries_calls, 1);

  sim.processes.libraries_available = false;
  CPSAPIT finder(sim.processes);
  EXPECT_FALSE(finder.LoadLibraries());
}

TEST_F(SourceApplicationTest, TheOlderFamilyNamesWithoutLibraries) {
  sim.processes.uses_process_status = false;
  sim.processes.libraries_available = false;
  EXPECT_FALSE(form().ProcessFinder.UsesProcessStatus);
  EXPECT_TRUE(form().ProcessFinder.LoadLibraries());
  EXPECT_EQ(CopyIn(editor), "Edit.exe");
  EXPECT_EQ(CopyIn(shell), "Unknown");
  form_.reset();
  EXPECT_EQ(sim.processes.load_libraries_calls, 0);
  EXPECT_EQ(sim.processes.free_libraries_calls, 0);
}

}  // namespace
}  // namespace quib::test
