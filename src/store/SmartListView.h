// The clip list: the rows of the configuration window's list view, oldest first, and its
// data file. Entries are stored contiguously; a real list view draws its rows from this model.
#pragma once

#include <cstddef>
#include <algorithm>
#include <cstdint>
#include <optional>
#include <stdexcept>
#include <string>
#include <vector>

#include "platform/dialogs.h"
#include "platform/files.h"

namespace quib {

/// One clip entry: the recorded text, an image index carried through the data file, and
/// its sub-items (the last-recorded date and the last-recorded-from application).
struct TListItem {
  std::string Caption;
  std::int32_t ImageIndex = 0;
  std::vector<std::string> SubItems;
  bool Selected = false;
};

/// The most rows, sub-items per row and bytes per text the data file's 16-bit fields hold.
inline constexpr std::size_t kDataFileFieldMax = 0xFFFF;
/// Size of a data file holding no rows: the magic and the row count.
inline constexpr std::int64_t kDataFileHeaderSize = 5;

/// A save refused because the list does not fit the data file's 16-bit fields.
class DataFileLimitError : public std::runtime_error {
 public:
  using std::runtime_error::runtime_error;
};

/// Contiguous rows where removing the oldest costs O(1): removed rows at the front are
/// skipped until they fill half the storage, then the live rows move down at once.
/// Beside each row it keeps a fingerprint of its text, so that finding a text reads one
/// small array instead of every row's text. Any mutable access to a row forgets that row's
/// fingerprint; it is taken again from the text when next needed.
class ClipRows {
 public:
  std::size_t size() const { return rows_.size() - head_; }
  bool empty() const { return size() == 0; }
  TListItem& operator[](std::size_t index) { return Touched(head_ + index); }
  const TListItem& operator[](std::size_t index) const { return rows_[head_ + index]; }
  TListItem& at(std::size_t index) { return Touched(Checked(index) + head_); }
  const TListItem& at(std::size_t index) const { return rows_[Checked(index) + head_]; }
  const TListItem* begin() const { return rows_.data() + head_; }
  const TListItem* end() const { return rows_.data() + rows_.size(); }
  TListItem& emplace_back() {
    first_unknown_ = std::min(first_unknown_, rows_.size());
    fingerprints_.push_back(kUnknown);
    return rows_.emplace_back();
  }
  void erase(std::size_t index);
  void clear();
  void reserve(std::size_t count);
  void assign(std::vector<TListItem>&& rows);
  /// Index of the first row whose text is text, or nullopt.
  std::optional<std::size_t> Find(const std::string& text);

 private:
  static constexpr std::uint32_t kUnknown = 0;
  static std::uint32_t Fingerprint(const std::string& text);
  std::size_t Checked(std::size_t index) const {
    if (index >= size()) throw std::out_of_range("List index out of bounds");
    return index;
  }
  TListItem& Touched(std::size_t storage_index) {
    fingerprints_[storage_index] = kUnknown;
    first_unknown_ = std::min(first_unknown_, storage_index);
    return rows_[storage_index];
  }

  std::vector<TListItem> rows_;
  std::vector<std::uint32_t> fingerprints_;  // parallel to rows_
  std::size_t head_ = 0;
  /// Storage index from which fingerprints may be unknown; all before it are known.
  std::size_t first_unknown_ = 0;
};

class TSmartListView {
 public:
  /// A list without file services: the model works, SaveToFile and LoadFromFile throw.
  TSmartListView() = default;
  TSmartListView(Files& files, Dialogs& dialogs) : files_(&files), dialogs_(&dialogs) {}

  std::string Msg1 = "File \"%s\" does not exist!";
  std::string Msg2 = "File \"%s\" is not valid!";
  bool UseTempFile = false;
  /// The window that owns the list's message boxes; none until a real window sets it.
  WindowId OwnerWindow;

  std::size_t Count() const { return items_.size(); }
  bool Empty() const { return items_.empty(); }
  TListItem& Item(std::size_t index) { return items_.at(index); }
  const TListItem& Item(std::size_t index) const { return items_.at(index); }

  /// Index of the oldest entry whose text is text, or nullopt. Costs a read of a small
  /// array per entry, not of the entries' texts.
  std::optional<std::size_t> IndexOfText(const std::string& text) { return items_.Find(text); }
  /// Appends an entry with an empty text, no sub-items and image index 0, and returns it.
  TListItem& Add();
  void Delete(std::size_t index);
  void Clear();
  void Reserve(std::size_t count) { items_.reserve(count); }

  /// Index of the first selected entry, or nullopt when none is selected.
  std::optional<std::size_t> FirstSelected() const;
  std::size_t SelectedCount() const;
  void SetSelected(std::size_t index, bool selected) { items_.at(index).Selected = selected; }

  /// Writes the whole list to file_name in the data file format; with UseTempFile through
  /// file_name + ".tmp", rotated into place with the previous file kept as ".bak".
  /// Throws PlatformError when the target cannot be created or written (a partly written
  /// target is removed), DataFileLimitError before touching any file when the list does not
  /// fit the 16-bit fields.
  void SaveToFile(const std::string& file_name);
  /// Replaces the list with the rows of file_name. A missing or invalid file shows Msg1 or
  /// Msg2 and leaves the list unchanged; a file that ends early keeps every whole row.
  /// Throws PlatformError, with the list unchanged, when the file cannot be read.
  void LoadFromFile(const std::string& file_name);

  Files& files() const;
  /// The rows themselves, for moving a whole list at once.
  ClipRows& Rows() { return items_; }

 private:
  void WriteTo(const std::string& target) const;
  void ShowError(const std::string& format, const std::string& file_name) const;

  ClipRows items_;
  Files* files_ = nullptr;
  Dialogs* dialogs_ = nullptr;
};

/// The shutdown save: writes the list to data_file_path + ".tmp", then replaces the data
/// file with it in one step, the previous data file copied to ".bak" first. Throws when the
/// list could not be written, and when the new list did not reach the data file.
bool SaveDataFileWithBackup(TSmartListView& list, const std::string& data_file_path);

/// Size of a file in bytes, or 0 when it cannot be opened for reading.
std::int32_t FileSizeOf(Files& files, const std::string& path);

/// The part of path after its last backslash or colon.
std::string BareFileName(const std::string& path);

}  // namespace quib
