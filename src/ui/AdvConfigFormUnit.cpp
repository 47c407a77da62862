// The configuration window object: controls at their values at creation, recording state.
#include "ui/AdvConfigFormUnit.h"

#include "capture/Capture.h"
#include "capture/DateStamp.h"

namespace quib {
namespace {

void SetUpDigitField(TLDEdit& edit, const char* hint) {
  edit.MaxLength = 4;
  edit.AllowLetters = false;
  edit.AllowBlanks = false;
  edit.AllowSymbols = false;
  edit.Hint = hint;
}

}  // namespace

TAdvConfigForm::TAdvConfigForm(Desktop& desktop, const HostLink& host)
    : lvwClipboard(desktop.files, desktop.dialogs),
      WaveFile(desktop.sound, desktop.files),
      ProcessFinder(desktop.processes),
      desktop_(desktop),
      host_(host) {
  lvwClipboard.Msg1 = "The file \"%s\" does not exist!";
  lvwClipboard.Msg2 = "The file \"%s\" is not a valid QuibVault data file!";
  lvwClipboard.UseTempFile = false;

  cmdClearSelected.Caption = "Clear Selected (&Del)";
  cmdClearSelected.Hint =
      "This clears the current quibs that is currently selected if any. (Shortcut Key: Del)";
  cmdClearAll.Caption = "Clear &All (Shift+Del)";
  cmdClearAll.Hint =
      "This clears all of the quibs that are recorded if you confirm to remove all. (Shortcut "
      "Key: Shift+Del)";
  cmdStart.Caption = "&Start Recording";
  cmdStart.Hint = "Press this to enable recording of all text that is sent to clipboard.";
  cmdStop.Caption = "&Stop Recording";
  cmdStop.Hint = "Press this to disable recording of all text that is sent to clipboard.";
  cmdBrowse.Hint = "Browse for a sound file (*.wav) to play on quib copy if enabled.";
  cmdPreview.Hint = "This will preview the current wav file that you have selected.";

  lblMaxClips.Caption = "Max number (1-9999):";
  lblMaxLength.Caption = "Max length (1-9999):";
  lblDateFormat.Caption = "Record Date Format:";
  lblDateExample.Hint = "This is the preview for the current quib date format.";

  SetUpDigitField(txtMaxNumberClips,
                  "Max number of quibs you want QuibVault to keep before discarding the oldest "
                  "one.");
  SetUpDigitField(txtMaxLengthClips, "Max length of Quibs that QuibVault will capture.");

  chkCopyAndPaste.Caption = "Copy && Paste to Last Active";
  chkCopyAndPaste.Hint =
      "If this is checked then QuibVault will copy and paste the quib to the last active "
      "window. If unchecked just copies the quib.";
  chkPlaySound.Caption = "Play sound on quib copy:";
  chkPlaySound.Hint =
      "If checked then it enables quib copy sound else no sound is played upon quib copy.";
  txtPlaySound.Hint = "Path and FileName of wav file to play.";

  cboDateFormat.Items.assign(kDateFormats.begin(), kDateFormats.end());
  cboDateFormat.ItemIndex = 0;
  cboDateFormat.Hint =
      "This is the format of what the last recorded date will look like with a live preview "
      "to the right of this dropdown box.";

  // Joins the chain now; OnChange is not assigned yet, so the announcement only passes on.
  monitor_ = std::make_unique<TvxClipboardMonitor>(desktop.chain);
  monitor_->OnChange = [this](TvxClipboardMonitor&) { ClipboardMonitorChange(*this); };

  cmdStart.OnClick = [this] { cmdStartClick(); };
  cmdStop.OnClick = [this] { cmdStopClick(); };
  cmdClearSelected.OnClick = [this] { cmdClearSelectedClick(); };
  cmdClearAll.OnClick = [this] { cmdClearAllClick(); };

  FormCreate();
}

TAdvConfigForm::~TAdvConfigForm() {
  try {
    desktop_.windowing.Release(*this);
  } catch (...) {
    // Nothing can be reported from a destructor; the window goes with the process.
  }
}

void TAdvConfigForm::FormCreate() { (void)ProcessFinder.LoadLibraries(); }

void TAdvConfigForm::SetRecordingState(bool on) {
  monitor_->SetEnabled(on);
  TButton& now_off = on ? cmdStart : cmdStop;
  TButton& now_on = on ? cmdStop : cmdStart;
  now_off.Enabled = false;
  now_on.Enabled = true;
  now_off.Visible = false;
  now_on.Visible = true;
}

void TAdvConfigForm::ReRegisterMonitor() {
  struct Flag {
    bool& value;
    bool saved;
    explicit Flag(bool& v) : value(v), saved(v) { value = true; }
    ~Flag() { value = saved; }
  } held(InReRegistration);
  monitor_->SetEnabled(false);
  monitor_->SetEnabled(true);
}

void TAdvConfigForm::ShowModal() { desktop_.windowing.ShowModal(*this); }
void TAdvConfigForm::Show() { desktop_.windowing.Show(*this); }
void TAdvConfigForm::Hide() { desktop_.windowing.Hide(*this); }
bool TAdvConfigForm::Visible() const { return desktop_.windowing.IsVisible(*this); }

}  // namespace quib
