// The road of one quib with the real DLL: another program copies a text, the host searches,
// fetches and launches it, and finds it on the real clipboard with a paste request. The
// search commands ask through real message boxes, answered by a helper thread.
#include <gtest/gtest.h>

#include <atomic>
#include <functional>
#include <mutex>
#include <string>
#include <thread>
#include <vector>

#include "Win32TestSupport.h"

namespace quib::wintest {
namespace {

using SearchBeginsFn = std::int32_t(__cdecl*)(std::intptr_t, const char*, std::int32_t);
using NoArgFn = std::int32_t(__cdecl*)();
using ItemResultFn = std::int32_t(__cdecl*)(std::int32_t, char*, char*, char*, char*,
                                            std::int32_t*, std::int32_t, std::int32_t*,
                                            std::intptr_t, std::int32_t*);
using ProcessTriggerFn = std::int32_t(__cdecl*)(std::intptr_t, std::intptr_t, std::intptr_t,
                                                std::int32_t, std::int32_t, std::intptr_t,
                                                std::intptr_t, std::int32_t);

const char kRecordingPasteSettings[] =
    "[Information]\r\nFile Identification=QuibVault\r\nVersion=0.5.0.7\r\n"
    "[Settings]\r\nQuib.Vault.IsEnabled=0\r\nQuib.MaxNumber=100\r\nQuib.MaxLength=1000\r\n"
    "Quib.Use.CopyAndPaste=1\r\nQuib.Sound.Play=0\r\nQuib.Sound.WavFile=\r\nQuib.Date.Format=12\r\n";

/// The user at the message boxes: waits for a box with the caption, reads its texts, runs
/// an optional action while it is open, then presses the button. Runs on its own thread
/// while the plugin's call, inside the box's modal loop, holds the main thread.
class BoxAnswerer {
 public:
  BoxAnswerer(std::string caption, int button, std::function<void()> while_open = {})
      : caption_(std::move(caption)), button_(button), while_open_(std::move(while_open)),
        thread_([this] { Run(); }) {}
  ~BoxAnswerer() {
    stop_ = true;
    thread_.join();
  }
  bool answered() const { return answered_; }
  /// The texts of the box's child windows (buttons and the message).
  std::vector<std::string> texts() {
    std::lock_guard<std::mutex> lock(mutex_);
    return texts_;
  }

 private:
  void Run() {
    for (int tries = 0; tries < 1000 && !stop_; ++tries) {
      HWND box = FindWindowA("#32770", caption_.c_str());
      if (!box) {
        Sleep(10);
        continue;
      }
      EnumChildWindows(box, &BoxAnswerer::Collect, reinterpret_cast<LPARAM>(this));
      if (while_open_) while_open_();
      PostMessageA(box, WM_COMMAND, MAKEWPARAM(button_, BN_CLICKED),
                   reinterpret_cast<LPARAM>(GetDlgItem(box, button_)));
      answered_ = true;
      return;
    }
  }
  static BOOL CALLBACK Collect(HWND child, LPARAM self) {
    char text[512] = {};
    GetWindowTextA(child, text, sizeof text);
    auto* answerer = reinterpret_cast<BoxAnswerer*>(self);
    std::lock_guard<std::mutex> lock(answerer->mutex_);
    answerer->texts_.push_back(text);
    return TRUE;
  }

  std::string caption_;
  int button_;
  std::function<void()> while_open_;
  std::atomic<bool> stop_{false}, answered_{false};
  std::mutex mutex_;
  std::vector<std::string> texts_;
  std::thread thread_;  // last: starts once everything it reads is in place
};

bool Contains(const std::vector<std::string>& texts, const std::string& text) {
  for (const std::string& t : texts)
    if (t == text) return true;
  return false;
}

std::string RealClipboardText() {
  std::string text = "<none>";
  if (!OpenClipboard(nullptr)) return "<cannot open>";
  if (HANDLE data = GetClipboardData(CF_TEXT)) {
    if (const char* bytes = static_cast<const char*>(GlobalLock(data))) {
      text = bytes;
      GlobalUnlock(data);
    }
  }
  CloseClipboard();
  return text;
}

class QuibRoadTest : public ::testing::Test {
 protected:
  void Start(const char* settings = nullptr) {
    if (settings) folder.Write("QuibVault_settings.cfg", settings);
    plugin = std::make_unique<LoadedPlugin>(folder);
    plugin->DoInit();
  }
  template <typename Fn>
  Fn Entry(const char* name) {
    auto entry = reinterpret_cast<Fn>(reinterpret_cast<void*>(plugin->Entry(name)));
    EXPECT_NE(entry, nullptr) << name;
    return entry;
  }
  std::int32_t Search(const char* text) {
    return Entry<SearchBeginsFn>("_PluginFunc_Inform_SearchBegins")(0, text, 1);
  }
  std::int32_t ResultsReady() {
    return Entry<NoArgFn>("_PluginFunc_Ask_HowManyItemResultsAreReady")();
  }
  void CopyFromAnotherProgram(const std::string& text) {
    OtherProgram other(OtherProgram::Action::Copy, text);
    ASSERT_TRUE(other.done()) << "the other program could not copy";
    PumpFor(300);  // the change notification reaches the monitor on this thread
  }

  PluginFolder folder;
  std::unique_ptr<LoadedPlugin> plugin;
};

TEST_F(QuibRoadTest, ExportsTheSearchResultAndLaunchEntryPoints) {
  Start();
  for (const char* name :
       {"_PluginFunc_Inform_SearchBegins", "_PluginFunc_Inform_RegexSearchMatch",
        "_PluginFunc_Inform_SearchEnds", "_PluginFunc_Ask_WantFeature",
        "_PluginFunc_Ask_SearchState", "_PluginFunc_Ask_IsAnyResultAvailable",
        "_PluginFunc_Ask_HowManyItemResultsAreReady", "_PluginFunc_Request_LockResults",
        "_PluginFunc_Request_ItemResultByIndex", "_PluginFunc_Request_TextResultCharp",
        "_PluginFunc_Do_AdjustResultScore", "_PluginFunc_Inform_WindowIsHiding",
        "_PluginFunc_Inform_WindowIsUnHiding", "_PluginFunc_Allow_ProcessTrigger"})
    EXPECT_NE(plugin->Entry(name), nullptr) << name;
}

TEST_F(QuibRoadTest, ACopiedTextIsFoundFetchedLaunchedAndPasted) {
  Start(kRecordingPasteSettings);
  const std::string quib = "https://quibvault.example.org/road";
  CopyFromAnotherProgram(quib);

  EXPECT_EQ(Search(""), 0);  // the user typed the alias alone
  ASSERT_EQ(ResultsReady(), 1);

  char details[260], caption[260], group[260], icon[260];
  std::int32_t data = -1, kind = -1, flags = -1;
  ASSERT_EQ(Entry<ItemResultFn>("_PluginFunc_Request_ItemResultByIndex")(
                0, details, caption, group, icon, &data, 260, &kind, 0, &flags),
            1);
  EXPECT_STREQ(caption, quib.c_str());
  EXPECT_STREQ(details, "The total length of this quib is 34 characters.");
  EXPECT_STREQ(group, "QuibVault");
  EXPECT_EQ(std::string(icon), folder.File("QuibVaultUrl.ico"));
  EXPECT_EQ(data, 0);
  EXPECT_EQ(kind, 2);
  EXPECT_EQ(flags, 0);

  // Something else is on the clipboard by the time the user launches the quib.
  ASSERT_TRUE(OpenClipboard(nullptr));
  EmptyClipboard();
  CloseClipboard();
  PumpFor(200);
  ASSERT_EQ(RealClipboardText(), "<none>");
  HostCommands().clear();

  EXPECT_EQ(Entry<ProcessTriggerFn>("_PluginFunc_Allow_ProcessTrigger")(0, 0, 0, 1, 1, 0, 0, data),
            1);

  EXPECT_EQ(RealClipboardText(), quib);
  EXPECT_EQ(HostCommands(), "PasteClipboardToLastActiveWindow|\n");
  PumpFor(200);
  Search("");
  EXPECT_EQ(ResultsReady(), 1) << "the launch neither lost nor doubled the quib";

  plugin->DoShutDown();
  const std::vector<StoredEntry> stored = ParseDataFile(folder.Read("quibvault_data.dat"));
  ASSERT_EQ(stored.size(), 1u);
  EXPECT_EQ(stored[0].text, quib);
}

TEST_F(QuibRoadTest, ToggleAnsweredYesStopsRecordingAndWritesTheSettingsFile) {
  Start();  // no settings file: recording on
  HostCommands().clear();
  {
    BoxAnswerer user("Stop Recording?", IDYES);
    EXPECT_EQ(Search("`t"), 0);
    EXPECT_TRUE(user.answered());
    EXPECT_TRUE(Contains(user.texts(), "Stop recording clipboard text to QuibVault?"));
  }
  EXPECT_EQ(HostCommands(), "window.hide|\n");
  const std::string settings = folder.Read("QuibVault_settings.cfg");
  EXPECT_NE(settings.find("Quib.Vault.IsEnabled=1"), std::string::npos) << settings;

  CopyFromAnotherProgram("copied after recording stopped");
  Search("");
  EXPECT_EQ(ResultsReady(), 0);
}

TEST_F(QuibRoadTest, ToggleAnsweredNoPutsTheInformationPageBack) {
  Start();
  HostCommands().clear();
  {
    BoxAnswerer user("Stop Recording?", IDNO);
    Search("`t");
    EXPECT_TRUE(user.answered());
  }
  EXPECT_EQ(HostCommands(), "setsearch|qv `\n");
  EXPECT_FALSE(folder.Exists("QuibVault_settings.cfg"));
}

TEST_F(QuibRoadTest, ClearAllAnsweredYesEmptiesTheList) {
  Start();
  CopyFromAnotherProgram("first quib");
  CopyFromAnotherProgram("second quib");
  Search("");
  ASSERT_EQ(ResultsReady(), 2);
  HostCommands().clear();
  {
    // A copy made while the box is open is recorded in its loop, and cleared with the rest.
    BoxAnswerer user("Clear all entries?", IDYES,
                     [] { OtherProgram other(OtherProgram::Action::Copy, "copied meanwhile"); });
    Search("`c");
    EXPECT_TRUE(user.answered());
    EXPECT_TRUE(Contains(user.texts(), "Clear all QuibVault entries?"));
  }
  EXPECT_EQ(HostCommands(), "window.hide|\n");
  Search("");
  EXPECT_EQ(ResultsReady(), 0);
}

TEST_F(QuibRoadTest, ACopyWhileTheClearAllBoxIsOpenIsRecordedInItsLoop) {
  Start();
  CopyFromAnotherProgram("first quib");
  {
    BoxAnswerer user("Clear all entries?", IDNO,
                     [] { OtherProgram other(OtherProgram::Action::Copy, "copied meanwhile"); });
    Search("`c");
    EXPECT_TRUE(user.answered());
  }
  Search("");
  EXPECT_EQ(ResultsReady(), 2);
}

}  // namespace
}  // namespace quib::wintest
