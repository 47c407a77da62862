// Search, result delivery and launch at the plugin boundary.
#include "search/SearchEntry.h"

#include <stdexcept>
#include <string_view>

#include "plugin/Plugin.h"
#include "search/Launch.h"
#include "search/Results.h"
#include "search/Search.h"

namespace quib {
namespace {

TAdvConfigForm& Form() {
  if (!AdvConfigForm) throw std::logic_error("The configuration window does not exist");
  return *AdvConfigForm;
}

std::int32_t Search(const char* search_text) {
  PluginValues& plugin = Plugin();
  try {
    // A host that passes no text at all searches with the empty one.
    RunSearch(Form(), plugin.host, plugin.results, search_text ? search_text : "");
  } catch (...) {
    plugin.host.ReportError("SearchBegin");
  }
  return 0;
}

}  // namespace
}  // namespace quib

using quib::Plugin;

extern "C" {

std::int32_t QUIB_CDECL PluginFunc_Inform_SearchBegins(std::intptr_t, const char* search_text,
                                                       std::int32_t run) {
  return run == 0 ? 0 : quib::Search(search_text);
}

std::int32_t QUIB_CDECL PluginFunc_Inform_RegexSearchMatch(std::intptr_t,
                                                           const char* search_text) {
  return quib::Search(search_text);
}

std::int32_t QUIB_CDECL PluginFunc_Inform_SearchEnds() {
  try {
    quib::EndSearch(Plugin().host, Plugin().results);
  } catch (...) {
    // The host's own notification callback failed; nothing of ours to report.
  }
  return 0;
}

std::int32_t QUIB_CDECL PluginFunc_Ask_WantFeature(std::int32_t feature) {
  return feature == 0 || feature == 1 || feature == 3 ? 1 : 0;
}

std::int32_t QUIB_CDECL PluginFunc_Ask_SearchState() { return Plugin().results.search_state; }

std::int32_t QUIB_CDECL PluginFunc_Ask_IsAnyResultAvailable() {
  return Plugin().results.result_available;
}

std::int32_t QUIB_CDECL PluginFunc_Ask_HowManyItemResultsAreReady() {
  return Plugin().results.result_count;
}

std::int32_t QUIB_CDECL PluginFunc_Request_LockResults(std::int32_t lock) {
  quib::ResultState& results = Plugin().results;
  results.results_locked = lock;
  if (lock != 0) return 1;
  results.result_count = 0;
  results.result_available = 0;
  try {
    Plugin().host.NotifySearch(results.result_count, results.search_state);
  } catch (...) {
    // As for the end of a search.
  }
  return 1;
}

std::int32_t QUIB_CDECL PluginFunc_Request_ItemResultByIndex(
    std::int32_t result_number, char* details, char* caption, char* group, char* icon_path,
    std::int32_t* data_value, std::int32_t max_length, std::int32_t* kind, std::intptr_t,
    std::int32_t* flags) {
  try {
    if (!AdvConfigForm) return 0;
    const quib::ResultBuffers out{details, caption, group, icon_path,
                                  data_value, max_length, kind, flags};
    return quib::FetchResult(*AdvConfigForm, Plugin(), result_number, out) ? 1 : 0;
  } catch (...) {
    return 0;  // out of memory building the texts; this family reports nothing
  }
}

std::int32_t QUIB_CDECL PluginFunc_Request_TextResultCharp(const char** text) {
  if (text) *text = nullptr;
  return 0;
}

std::int32_t QUIB_CDECL PluginFunc_Do_AdjustResultScore() { return 0; }
std::int32_t QUIB_CDECL PluginFunc_Inform_WindowIsHiding() { return 0; }
std::int32_t QUIB_CDECL PluginFunc_Inform_WindowIsUnHiding() { return 0; }

std::int32_t QUIB_CDECL PluginFunc_Allow_ProcessTrigger(std::intptr_t, std::intptr_t,
                                                        std::intptr_t, std::int32_t first,
                                                        std::int32_t second, std::intptr_t,
                                                        std::intptr_t, std::int32_t row) {
  if (first != second) return 0;
  quib::PluginValues& plugin = Plugin();
  try {
    quib::LaunchResult(quib::Form(), plugin.host, plugin.results, row);
  } catch (...) {
    plugin.host.ReportError("ResultLaunch");
    return 0;
  }
  return 1;
}

}  // extern "C"
