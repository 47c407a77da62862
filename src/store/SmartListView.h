// The clip list: the rows of the configuration window's list view, oldest first.
// Entries are stored contiguously; a real list view draws its rows from this model.
#pragma once

#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

namespace quib {

/// One clip entry: the recorded text, an image index carried through the data file, and
/// its sub-items (the last-recorded date and the last-recorded-from application).
struct TListItem {
  std::string Caption;
  std::int32_t ImageIndex = 0;
  std::vector<std::string> SubItems;
  bool Selected = false;
};

class TSmartListView {
 public:
  std::string Msg1 = "File \"%s\" does not exist!";
  std::string Msg2 = "File \"%s\" is not valid!";
  bool UseTempFile = false;

  std::size_t Count() const { return items_.size(); }
  bool Empty() const { return items_.empty(); }
  TListItem& Item(std::size_t index) { return items_.at(index); }
  const TListItem& Item(std::size_t index) const { return items_.at(index); }

  /// Appends an entry with an empty text, no sub-items and image index 0, and returns it.
  TListItem& Add();
  void Delete(std::size_t index);
  void Clear();
  void Reserve(std::size_t count) { items_.reserve(count); }

  /// Index of the first selected entry, or nullopt when none is selected.
  std::optional<std::size_t> FirstSelected() const;
  std::size_t SelectedCount() const;
  void SetSelected(std::size_t index, bool selected) { items_.at(index).Selected = selected; }

 private:
  std::vector<TListItem> items_;
};

}  // namespace quib
