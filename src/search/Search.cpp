// The host's search.
#include "search/Search.h"

#include <limits>

#include "plugin/HostLink.h"
#include "plugin/Plugin.h"
#include "search/ResultState.h"
#include "ui/AdvConfigFormUnit.h"

namespace quib {
namespace {

constexpr std::string_view kInformationTexts[] = {"`", "about", "help"};
constexpr std::string_view kOpenConfigurationTexts[] = {"`p", "`pref"};
constexpr std::string_view kClearAllText = "`c";
constexpr std::string_view kRecordingTexts[] = {"`t", "`start", "`stop"};

constexpr const char* kStatusText = "QuibVault Information and Command Center";
constexpr std::intptr_t kRichEditHeight = 270;

template <std::size_t N>
bool IsOneOf(std::string_view text, const std::string_view (&texts)[N]) {
  for (std::string_view known : texts)
    if (text == known) return true;
  return false;
}

std::int32_t EntryCount(const TAdvConfigForm& form) {
  const std::size_t count = form.lvwClipboard.Count();
  constexpr auto kMax = static_cast<std::size_t>(std::numeric_limits<std::int32_t>::max());
  return static_cast<std::int32_t>(count < kMax ? count : kMax);
}

/// Re-joins the viewer chain; the announcement this brings records nothing.
void RejoinChain(TAdvConfigForm& form) {
  struct Suppressed {
    bool& flag;
    explicit Suppressed(bool& f) : flag(f) { flag = true; }
    // Cleared on every path: a flag left set would stop capture until the next start-up.
    ~Suppressed() { flag = false; }
  } suppressed(form.SuppressCapture);
  form.ReRegisterMonitor();
}

void OpenConfiguration(TAdvConfigForm& form, const HostLink& host) {
  host.Send("window.hide");
  form.Show();
  form.ShowHostOnClose = true;
}

}  // namespace

void PublishResults(const TAdvConfigForm& form, const HostLink& host, ResultState& results) {
  results.search_state = 1;
  results.result_count = EntryCount(form);
  results.result_available = 1;
  results.search_state = 0;
  host.NotifySearch(results.result_count, results.search_state);
}

void EndSearch(const HostLink& host, ResultState& results) {
  results.search_state = 0;
  results.result_count = 0;
  results.result_available = 0;
  host.NotifySearch(results.result_count, results.search_state);
}

std::string InformationPageText(const TAdvConfigForm& form) {
  constexpr const char* kEnd = "\r\n";
  std::string page;
  page += "QuibVault - 0.5.0.7 (Sept 25th, 2009) by ";
  page += kAuthorName;
  page += kEnd;
  page += kEnd;
  if (!form.cmdStart.Enabled)
    page += std::string(" QuibVault Recording = ON") + kEnd;
  else if (!form.cmdStop.Enabled)
    page += std::string(" QuibVault Recording = OFF") + kEnd;
  page += form.chkPlaySound.Checked ? " QuibVault Quib Sound = ON" : " QuibVault Quib Sound = OFF";
  page += kEnd;
  page += " Sound File = " + form.txtPlaySound.Text + kEnd;
  page += form.chkCopyAndPaste.Checked ? " Quib Launch Action = Copy+Paste to Last Active Window"
                                       : " Quib Launch Action = Copy To Clipboard Only";
  page += kEnd;
  page += " Max Quibs = " + form.txtMaxNumberClips.Text + kEnd;
  page += " Max Quib Length = " + form.txtMaxLengthClips.Text + kEnd;
  page += " Total Quibs Saved = " + std::to_string(form.lvwClipboard.Count()) + kEnd + kEnd;
  page += std::string(" qv `  -- Currently viewing.") + kEnd;
  page += std::string(" qv `t -- Toggles recording all text that the clipboard receives.") + kEnd;
  page += std::string(" qv `p -- Opens up the gui of the configuration.") + kEnd;
  page += std::string(" qv `c -- Clears all QuibVault entries.") + kEnd;
  return page;
}

void ShowInformationPage(const TAdvConfigForm& form, const HostLink& host) {
  host.SendNumber("window.richeditheight", kRichEditHeight);
  host.Send("statusbar", kStatusText);
  const std::string page = InformationPageText(form);
  host.SendNumber("window.richeditheight", kRichEditHeight);
  host.Send("window.richeditmode", page);
  host.Send("statusbar", kStatusText);
}

void RunSearch(TAdvConfigForm& form, const HostLink& host, ResultState& results,
               std::string_view text) {
  if (text.empty()) {
    if (form.RecordingOn()) RejoinChain(form);
    PublishResults(form, host, results);
  } else if (IsOneOf(text, kInformationTexts)) {
    ShowInformationPage(form, host);
  } else if (IsOneOf(text, kOpenConfigurationTexts)) {
    OpenConfiguration(form, host);
  } else if (text == kClearAllText) {
    form.cmdClearAll.Click();
  } else if (IsOneOf(text, kRecordingTexts)) {
    // Every recording text toggles: the available command is the one that applies.
    if (form.cmdStart.Enabled)
      form.cmdStart.Click();
    else
      form.cmdStop.Click();
  } else {
    PublishResults(form, host, results);
  }
}

}  // namespace quib
