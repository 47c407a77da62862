// The recording and clearing commands behind the configuration window's buttons. From a
// hidden window (the host's search commands click them) they steer the host instead of
// moving the focus.
#include "plugin/Plugin.h"
#include "store/SettingsFile.h"
#include "ui/AdvConfigFormUnit.h"

namespace quib {
namespace {

constexpr unsigned kConfirm = box::kYesNo | box::kIconQuestion | box::kDefaultButton2;
constexpr unsigned kError = box::kOk | box::kIconError;
constexpr unsigned kInformation = box::kOk | box::kIconInformation;

}  // namespace

void TAdvConfigForm::FocusControl(const void* control) {
  if (Visible()) ActiveControl = control;
}

int TAdvConfigForm::ShowMessage(const std::string& text, const std::string& caption,
                                unsigned flags) {
  // A hidden window owns no box: it would keep the box from the front.
  const WindowId owner = Visible() ? desktop_.windowing.Handle(*this) : WindowId{};
  return desktop_.dialogs.ShowMessage(owner, text, caption, flags);
}

void TAdvConfigForm::SwitchRecording(bool on, const char* action) {
  try {
    const int answer =
        on ? ShowMessage("Start recording clipboard text to QuibVault?", "Start Recording?",
                         kConfirm)
           : ShowMessage("Stop recording clipboard text to QuibVault?", "Stop Recording?",
                         kConfirm);
    if (answer != box::kIdYes) {
      if (!Visible()) host_.Send("setsearch", "qv `");
      return;
    }
    // The monitor first: starting announces the clipboard while cmdStart is still enabled.
    SetRecordingState(on);
    // Without a start-up there is no plug-in folder to write the settings to.
    if (const std::string folder = Plugin().Folder(); !folder.empty())
      (void)SaveSettings(*this, folder);
    if (Visible())
      FocusControl(on ? &cmdStop : &cmdStart);
    else
      host_.Send("window.hide");
  } catch (...) {
    host_.ReportError(action);
  }
}

void TAdvConfigForm::cmdStartClick() { SwitchRecording(true, "StartRecordClick"); }

void TAdvConfigForm::cmdStopClick() { SwitchRecording(false, "EndRecordClick"); }

void TAdvConfigForm::cmdClearSelectedClick() {
  try {
    TSmartListView& list = lvwClipboard;
    const std::size_t selected = list.SelectedCount();
    if (selected == 0) {
      ShowMessage("You have not selected any entry or entries to clear.",
                  "Error: No entry or entries selected!", kError);
      return;
    }
    if (selected == list.Count()) {
      list.Clear();
    } else {
      // Downwards, so that the rows still to visit keep their indices.
      for (std::size_t i = list.Count(); i-- > 0;)
        if (list.Item(i).Selected) list.Delete(i);
    }
    FocusControl(&lvwClipboard);
  } catch (...) {
    host_.ReportError("ClearSelected");
  }
}

void TAdvConfigForm::cmdClearAllClick() {
  try {
    if (lvwClipboard.Empty()) {
      ShowMessage("No entries in QuibVault to clear.", "No entries.", kInformation);
      if (!Visible()) host_.Send("setsearch", "qv ");
      return;
    }
    if (ShowMessage("Clear all QuibVault entries?", "Clear all entries?", kConfirm) !=
        box::kIdYes)
      return;
    // Rows that capture added while the box was open go too.
    lvwClipboard.Clear();
    if (!Visible()) host_.Send("window.hide");
  } catch (...) {
    host_.ReportError("ClearAll");
  }
}

}  // namespace quib
