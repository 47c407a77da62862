// Result launch.
#include "search/Launch.h"

#include "capture/Capture.h"
#include "plugin/HostLink.h"
#include "search/ResultState.h"
#include "ui/AdvConfigFormUnit.h"

namespace quib {
namespace {

bool NewestIs(const TSmartListView& list, const std::string& text) {
  return !list.Empty() && list.Item(list.Count() - 1).Caption == text;
}

/// Puts text on the clipboard. While recording, the write is made with the monitor off;
/// switching it on again announces the clipboard, and capture takes the text from there.
void PutOnClipboard(TAdvConfigForm& form, const std::string& text) {
  if (!form.cmdStop.Enabled) {
    form.desktop().clipboard.SetText(text);
    return;
  }
  TvxClipboardMonitor& monitor = form.ClipboardMonitor();
  monitor.SetEnabled(false);
  try {
    form.desktop().clipboard.SetText(text);
  } catch (...) {
    // Recording is on: the monitor must not stay out of the chain.
    monitor.SetEnabled(true);
    throw;
  }
  monitor.SetEnabled(true);
}

}  // namespace

void LaunchResult(TAdvConfigForm& form, const HostLink& host, ResultState& results,
                  std::int32_t row) {
  TSmartListView& list = form.lvwClipboard;
  if (row < 0 || static_cast<std::size_t>(row) >= list.Count()) return;

  results.launched_text = list.Item(static_cast<std::size_t>(row)).Caption;
  const std::string& text = results.launched_text;

  // Set when the entry has left its row and only capture is left to bring it back.
  bool awaiting_capture = false;
  if (!NewestIs(list, text)) {
    if (form.cmdStart.Enabled) {
      // Added before the old row goes, so that a failed addition loses nothing.
      AddClipEntry(form, text);
      list.Delete(static_cast<std::size_t>(row));
    } else {
      list.Delete(static_cast<std::size_t>(row));
      awaiting_capture = true;
    }
  }

  try {
    PutOnClipboard(form, text);
  } catch (...) {
    if (awaiting_capture && !NewestIs(list, text)) AddClipEntry(form, text);
    throw;
  }
  // Capture skips a text equal to the one it recorded last, or one over the maximum
  // length; the entry is then added back here, so that a launch never loses one.
  if (awaiting_capture && !NewestIs(list, text)) AddClipEntry(form, text);

  if (form.chkCopyAndPaste.Checked) host.Send("PasteClipboardToLastActiveWindow");
}

}  // namespace quib
