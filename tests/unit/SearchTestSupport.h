// A started plugin with an editor in the foreground, for the tests of search, results,
// launch and the window's commands: the user copies texts, the host searches and fetches.
#pragma once

#include <initializer_list>
#include <string>
#include <tuple>
#include <vector>

#include "StoreTestSupport.h"
#include "TestSupport.h"
#include "search/SearchEntry.h"

namespace quib::test {

/// Every search notification, as (host data word, result count, search state).
struct NotifyRecorder {
  using Call = std::tuple<std::int32_t, std::int32_t, std::int32_t>;
  static std::int32_t QUIB_CDECL Callback(std::int32_t host_data, std::int32_t count,
                                          std::int32_t state) {
    Calls().emplace_back(host_data, count, state);
    return 0;
  }
  static std::vector<Call>& Calls() {
    static std::vector<Call> calls;
    return calls;
  }
};

class StartedPluginTest : public PluginTest {
 protected:
  void SetUp() override {
    PluginTest::SetUp();
    NotifyRecorder::Calls().clear();
    sim.clock.now = LocalTime{2009, 9, 1, 14, 30, 0, 0, 2};
    sim.processes.foreground = sim.processes.AddWindow(42, "C:\\Tools\\Edit.exe");
    Init();  // no settings file: recording on, copy-and-paste off
    form().cboDateFormat.ItemIndex = 12;  // "dd/mm/yyyy"
    PluginFunc_SetStrVal("notifysearchcallback",
                         reinterpret_cast<void*>(&NotifyRecorder::Callback));
    commands().clear();
  }

  TAdvConfigForm& form() { return *AdvConfigForm; }
  TSmartListView& list() { return AdvConfigForm->lvwClipboard; }
  std::vector<SimDialogs::Box>& boxes() { return sim.dialogs.shown; }
  std::vector<NotifyRecorder::Call>& notifications() { return NotifyRecorder::Calls(); }

  /// Another program copies each text in turn; with recording on each becomes an entry.
  void Copy(std::initializer_list<std::string> texts) {
    for (const std::string& text : texts) sim.clipboard.CopyFromOtherProgram(text);
  }
  /// The clip list's texts, oldest first.
  std::vector<std::string> Texts() {
    std::vector<std::string> texts;
    for (std::size_t i = 0; i < list().Count(); ++i) texts.push_back(list().Item(i).Caption);
    return texts;
  }
  static std::int32_t Search(const char* text) {
    return PluginFunc_Inform_SearchBegins(0, text, 1);
  }
  std::string SettingsFile() { return ReadFile(folder.File("QuibVault_settings.cfg")); }
};

}  // namespace quib::test
