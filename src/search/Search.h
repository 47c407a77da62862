// The host's search: the built-in command texts, the information page shown inside the
// host, and the publish step that offers the whole clip list as the result set.
#pragma once

#include <string>
#include <string_view>

namespace quib {

class HostLink;
class TAdvConfigForm;
struct ResultState;

/// Runs the command the text names, shows the information page, or publishes. Texts are
/// compared exactly: a command in capitals or with a trailing blank publishes.
void RunSearch(TAdvConfigForm& form, const HostLink& host, ResultState& results,
               std::string_view text);

/// Offers every clip entry as a result and tells the host how many there are.
void PublishResults(const TAdvConfigForm& form, const HostLink& host, ResultState& results);

/// The end of a search: no results ready, and the host is told so.
void EndSearch(const HostLink& host, ResultState& results);

/// The information page, built from what the controls hold now; every line ends in CR LF.
std::string InformationPageText(const TAdvConfigForm& form);

/// Sends the information page and its status line to the host.
void ShowInformationPage(const TAdvConfigForm& form, const HostLink& host);

}  // namespace quib
