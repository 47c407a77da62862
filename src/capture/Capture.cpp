// Capture of clipboard changes into the clip list.
#include "capture/Capture.h"

#include <algorithm>
#include <cmath>
#include <exception>
#include <limits>
#include <utility>

#include "capture/DateStamp.h"
#include "capture/FloatText.h"
#include "capture/SourceApplication.h"
#include "ui/AdvConfigFormUnit.h"

namespace quib {
namespace {

/// A field's number truncated toward zero; throws the conversion's message for non-numbers.
long long FieldNumber(const TEdit& field) {
  const double value = std::trunc(StrToFloat(field.Text));
  constexpr double kBig = 1e15;  // far beyond any list or text; keeps the cast defined
  if (std::isnan(value)) return 0;
  return static_cast<long long>(std::fmax(-kBig, std::fmin(kBig, value)));
}

/// A limit from a field, no larger than the data file can hold: a text or a list beyond it
/// could never be saved, and a refused save would cost the whole list.
long long FieldLimit(const TEdit& field) {
  return std::min<long long>(FieldNumber(field), static_cast<long long>(kDataFileFieldMax));
}

/// The field's number when it holds one, without raising.
bool TryFieldNumber(const TEdit& field, long long& number) {
  try {
    number = FieldLimit(field);
    return true;
  } catch (const std::exception&) {
    return false;
  }
}

void Record(TAdvConfigForm& form) {
  Clipboard& clipboard = form.desktop().clipboard;
  TSmartListView& list = form.lvwClipboard;

  // 3-4: only plain text, and only while the monitor is on.
  if (!clipboard.HasText()) return;
  if (!form.ClipboardMonitor().Enabled()) return;
  // Secrets that a password manager marks for clipboard histories to skip.
  if (clipboard.HasExcludeMarker()) return;

  // 5-6. A text the platform reports as longer than the maximum is not copied whole: a
  // prefix one byte longer than the maximum stands for it, which no recordable text equals.
  long long early_max = 0;
  const auto size = clipboard.TextSize();
  if (size && TryFieldNumber(form.txtMaxLengthClips, early_max) && early_max >= 0 &&
      *size > static_cast<unsigned long long>(early_max)) {
    form.PendingText = clipboard.GetText(static_cast<std::size_t>(early_max) + 1);
    return;
  }
  form.PendingText = clipboard.GetText();
  const long long max_length = FieldLimit(form.txtMaxLengthClips);

  // 7-10: nothing new to record.
  const std::string& text = form.PendingText;
  if (text.empty()) return;
  if (static_cast<long long>(text.size()) > max_length) return;
  if (text == form.LastRecordedText) return;
  if (!list.Empty() && std::as_const(list).Item(list.Count() - 1).Caption == text) return;

  // 11-13: the text moves to the newest end, replacing the oldest equal entry.
  form.LastRecordedText = text;
  if (const auto older = list.IndexOfText(text)) list.Delete(*older);
  AddClipEntry(form, text);

  // 14: the sound plays what the player loaded last; the file is only tested for existence.
  if (form.chkPlaySound.Checked) {
    if (form.desktop().files.FileExists(form.txtPlaySound.Text)) {
      form.WaveFile.Wave_Loop = false;
      form.WaveFile.Play();
    } else {
      form.chkPlaySound.Checked = false;
    }
  }

  // 15-17: one entry trimmed per recorded text.
  form.PendingText.clear();
  const long long max_number = FieldLimit(form.txtMaxNumberClips);
  if (static_cast<long long>(list.Count()) > max_number) list.Delete(0);
}

}  // namespace

void AddClipEntry(TAdvConfigForm& form, const std::string& text) {
  LookUpSourceApplication(form);
  TListItem& item = form.lvwClipboard.Add();
  item.Caption = text;
  item.SubItems.push_back(MakeDateStamp(form.cboDateFormat.Text(), form.desktop().clock));
  item.SubItems.push_back(form.SourceApplication.empty() ? "Unknown" : form.SourceApplication);
}

void ClipboardMonitorChange(TAdvConfigForm& form) {
  // 1: re-register while the list is empty and nothing new is pending. The announcement
  // runs this handler again, nested; a run inside a re-registration does not repeat it.
  if (!form.InReRegistration && form.lvwClipboard.Empty() &&
      form.PendingText == form.LastRecordedText && form.RecordingOn())
    form.ReRegisterMonitor();

  // 2: a notification while one is handled records nothing.
  if (form.SuppressCapture) return;
  form.SuppressCapture = true;
  try {
    Record(form);
  } catch (const std::exception& failure) {
    form.SuppressCapture = false;
    form.host().ReportError(failure.what());
    return;
  } catch (...) {
    form.SuppressCapture = false;
    form.host().ReportError("");
    return;
  }
  form.SuppressCapture = false;
}

}  // namespace quib
