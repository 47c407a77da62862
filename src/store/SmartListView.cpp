// The clip list model.
#include "store/SmartListView.h"

#include <algorithm>
#include <stdexcept>

namespace quib {

TListItem& TSmartListView::Add() { return items_.emplace_back(); }

void TSmartListView::Delete(std::size_t index) {
  if (index >= items_.size()) throw std::out_of_range("List index out of bounds");
  items_.erase(items_.begin() + static_cast<std::ptrdiff_t>(index));
}

void TSmartListView::Clear() { items_.clear(); }

std::optional<std::size_t> TSmartListView::FirstSelected() const {
  for (std::size_t i = 0; i < items_.size(); ++i)
    if (items_[i].Selected) return i;
  return std::nullopt;
}

std::size_t TSmartListView::SelectedCount() const {
  return static_cast<std::size_t>(
      std::count_if(items_.begin(), items_.end(), [](const TListItem& item) { return item.Selected; }));
}

}  // namespace quib
