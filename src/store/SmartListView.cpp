// The clip list model and its data file: the magic "QLV" and a 16-bit row count, then per
// row the sub-item count, the image index, the text and the sub-items, all little-endian.
#include "store/SmartListView.h"

#include <functional>

#include <algorithm>
#include <cstring>
#include <memory>

#include "store/FileRotation.h"

namespace quib {
namespace {

constexpr char kMagic[3] = {'Q', 'L', 'V'};
constexpr std::size_t kBufferSize = 64 * 1024;
/// The fewest bytes a row takes: sub-item count, image index and text length.
constexpr std::int64_t kMinRowSize = 8;

/// Buffered little-endian writes; a piece of a buffer's size or more goes out directly.
class DataWriter {
 public:
  explicit DataWriter(OutputFile& file) : file_(file), buffer_(new char[kBufferSize]) {}

  void U16(std::size_t value) {
    const unsigned char bytes[2] = {static_cast<unsigned char>(value), static_cast<unsigned char>(value >> 8)};
    Bytes(bytes, sizeof bytes);
  }
  void I32(std::int32_t value) {
    const auto bits = static_cast<std::uint32_t>(value);
    const unsigned char bytes[4] = {static_cast<unsigned char>(bits), static_cast<unsigned char>(bits >> 8),
                                    static_cast<unsigned char>(bits >> 16),
                                    static_cast<unsigned char>(bits >> 24)};
    Bytes(bytes, sizeof bytes);
  }
  void Text(const std::string& text) {
    U16(text.size());
    Bytes(text.data(), text.size());
  }
  void Bytes(const void* data, std::size_t size) {
    if (used_ + size > kBufferSize) {
      Flush();
      if (size >= kBufferSize) {
        file_.Write(data, size);
        return;
      }
    }
    std::memcpy(buffer_.get() + used_, data, size);
    used_ += size;
  }
  /// Writes what is buffered, flushes the file to the disk and closes it.
  void Finish() {
    Flush();
    file_.Commit();
  }

 private:
  void Flush() {
    if (used_ == 0) return;
    file_.Write(buffer_.get(), used_);
    used_ = 0;
  }

  OutputFile& file_;
  std::unique_ptr<char[]> buffer_;
  std::size_t used_ = 0;
};

/// Buffered little-endian reads that report the end of the file instead of reading past it.
class DataReader {
 public:
  explicit DataReader(InputFile& file) : file_(file), buffer_(new char[kBufferSize]) {}

  bool U16(std::uint16_t& value) {
    unsigned char bytes[2];
    if (!Exact(bytes, sizeof bytes)) return false;
    value = static_cast<std::uint16_t>(bytes[0] | bytes[1] << 8);
    return true;
  }
  bool I32(std::int32_t& value) {
    unsigned char bytes[4];
    if (!Exact(bytes, sizeof bytes)) return false;
    value = static_cast<std::int32_t>(std::uint32_t{bytes[0]} | std::uint32_t{bytes[1]} << 8 |
                                      std::uint32_t{bytes[2]} << 16 | std::uint32_t{bytes[3]} << 24);
    return true;
  }
  /// A 16-bit length and that many bytes, cut at the first NUL. The text grows only as the
  /// bytes arrive, so a length the file does not hold costs no more than the bytes there are.
  bool Text(std::string& text) {
    std::uint16_t length = 0;
    if (!U16(length)) return false;
    text.clear();
    std::size_t left = length;
    bool straddled = false;
    while (left > 0) {
      if (pos_ == end_ && !Fill()) return false;
      const std::size_t piece = std::min(left, end_ - pos_);
      straddled = straddled || piece < left;
      text.append(buffer_.get() + pos_, piece);
      pos_ += piece;
      left -= piece;
    }
    if (const auto nul = text.find('\0'); nul != std::string::npos) text.resize(nul);
    // A text read in two pieces may have grown to twice its first piece.
    if (straddled && text.capacity() > text.size() + text.size() / 8) text.shrink_to_fit();
    return true;
  }
  bool Exact(void* out, std::size_t size) {
    auto* bytes = static_cast<char*>(out);
    while (size > 0) {
      if (pos_ == end_ && !Fill()) return false;
      const std::size_t piece = std::min(size, end_ - pos_);
      std::memcpy(bytes, buffer_.get() + pos_, piece);
      pos_ += piece;
      bytes += piece;
      size -= piece;
    }
    return true;
  }

 private:
  bool Fill() {
    if (at_end_) return false;
    end_ = file_.Read(buffer_.get(), kBufferSize);
    pos_ = 0;
    at_end_ = end_ < kBufferSize;  // a short read happens only at the end of the file
    return end_ > 0;
  }

  InputFile& file_;
  std::unique_ptr<char[]> buffer_;
  std::size_t pos_ = 0;
  std::size_t end_ = 0;
  bool at_end_ = false;
};

/// Refuses, before any file is touched, a list whose counts or lengths the 16-bit fields
/// cannot hold: a file whose counts disagree with what follows them would load as garbage.
void CheckFitsDataFile(const ClipRows& items) {
  const auto too_big = [](const std::string& what, std::size_t size) {
    return DataFileLimitError("The clip list cannot be saved: " + what + " " + std::to_string(size) +
                              ", and the data file holds at most " +
                              std::to_string(kDataFileFieldMax) + ".");
  };
  if (items.size() > kDataFileFieldMax) throw too_big("the number of entries is", items.size());
  for (std::size_t i = 0; i < items.size(); ++i) {
    const TListItem& item = items[i];
    const auto entry = [i] { return "entry " + std::to_string(i); };
    if (item.SubItems.size() > kDataFileFieldMax)
      throw too_big("the number of sub-items of " + entry() + " is", item.SubItems.size());
    if (item.Caption.size() > kDataFileFieldMax)
      throw too_big("the length of the text of " + entry() + " is", item.Caption.size());
    for (const std::string& sub_item : item.SubItems)
      if (sub_item.size() > kDataFileFieldMax)
        throw too_big("the length of a sub-item of " + entry() + " is", sub_item.size());
  }
}

std::string FormatWithFileName(const std::string& format, const std::string& file_name) {
  std::string text = format;
  if (const auto at = text.find("%s"); at != std::string::npos) text.replace(at, 2, file_name);
  return text;
}

}  // namespace

TListItem& TSmartListView::Add() { return items_.emplace_back(); }

void ClipRows::erase(std::size_t index) {
  Checked(index);
  const auto at = static_cast<std::ptrdiff_t>(head_ + index);
  if (index != 0) {
    rows_.erase(rows_.begin() + at);
    fingerprints_.erase(fingerprints_.begin() + at);
    if (first_unknown_ > head_ + index) --first_unknown_;
    return;
  }
  rows_[head_] = TListItem();  // free its texts now
  if (++head_ * 2 >= rows_.size()) {
    const auto dead = static_cast<std::ptrdiff_t>(head_);
    rows_.erase(rows_.begin(), rows_.begin() + dead);
    fingerprints_.erase(fingerprints_.begin(), fingerprints_.begin() + dead);
    first_unknown_ = first_unknown_ > head_ ? first_unknown_ - head_ : 0;
    head_ = 0;
  }
}

void ClipRows::clear() {
  rows_.clear();
  fingerprints_.clear();
  head_ = 0;
  first_unknown_ = 0;
}

void ClipRows::reserve(std::size_t count) {
  rows_.reserve(head_ + count);
  fingerprints_.reserve(head_ + count);
}

void ClipRows::assign(std::vector<TListItem>&& rows) {
  rows_ = std::move(rows);
  fingerprints_.assign(rows_.size(), kUnknown);
  head_ = 0;
  first_unknown_ = 0;
}

std::uint32_t ClipRows::Fingerprint(const std::string& text) {
  const auto hash = static_cast<std::uint64_t>(std::hash<std::string>{}(text));
  const auto folded = static_cast<std::uint32_t>(hash ^ (hash >> 32));
  return folded == kUnknown ? 1 : folded;
}

namespace {

using Lanes = std::uint32_t __attribute__((vector_size(16)));
constexpr std::size_t kLanes = sizeof(Lanes) / sizeof(std::uint32_t);
constexpr std::size_t kFingerprintBlock = 4 * kLanes;

/// Whether any of the kFingerprintBlock fingerprints at block is wanted.
bool BlockHolds(const std::uint32_t* block, std::uint32_t wanted) {
  Lanes any{};
  for (std::size_t part = 0; part < kFingerprintBlock; part += kLanes) {
    Lanes lanes;
    std::memcpy(&lanes, block + part, sizeof lanes);
    any |= lanes == wanted;
  }
  for (std::size_t lane = 0; lane < kLanes; ++lane)
    if (any[lane]) return true;
  return false;
}

}  // namespace

std::optional<std::size_t> ClipRows::Find(const std::string& text) {
  // Rows touched since the last search get their fingerprints back first; usually that is
  // only the newest row.
  for (std::size_t i = std::max(first_unknown_, head_); i < rows_.size(); ++i)
    if (fingerprints_[i] == kUnknown) fingerprints_[i] = Fingerprint(rows_[i].Caption);
  first_unknown_ = rows_.size();

  const std::uint32_t wanted = Fingerprint(text);
  const std::uint32_t* fingerprints = fingerprints_.data();
  const std::size_t end = rows_.size();
  for (std::size_t i = head_; i < end;) {
    // Whole blocks without the fingerprint are skipped with vector compares.
    if (i + kFingerprintBlock <= end && !BlockHolds(fingerprints + i, wanted)) {
      i += kFingerprintBlock;
      continue;
    }
    for (const std::size_t block_end = std::min(end, i + kFingerprintBlock); i < block_end; ++i)
      if (fingerprints[i] == wanted && rows_[i].Caption == text) return i - head_;
  }
  return std::nullopt;
}

void TSmartListView::Delete(std::size_t index) { items_.erase(index); }

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

Files& TSmartListView::files() const {
  if (!files_) throw std::logic_error("The clip list has no file service");
  return *files_;
}

void TSmartListView::SaveToFile(const std::string& file_name) {
  Files& files = this->files();
  CheckFitsDataFile(items_);
  if (!UseTempFile) {
    WriteTo(file_name);
    return;
  }
  const std::string temp = file_name + ".tmp";
  if (files.FileExists(temp)) files.Delete(temp);
  WriteTo(temp);
  if (!files.FileExists(temp)) return;
  if (files.FileSize(temp) < kDataFileHeaderSize) {
    files.Delete(temp);
    return;
  }
  if (!ReplaceWithBackup(files, temp, file_name))
    throw PlatformError("Cannot replace file \"" + file_name + "\" with \"" + temp + "\".");
}

void TSmartListView::WriteTo(const std::string& target) const {
  Files& files = this->files();
  std::unique_ptr<OutputFile> file = files.Create(target);
  try {
    DataWriter writer(*file);
    writer.Bytes(kMagic, sizeof kMagic);
    writer.U16(items_.size());
    for (const TListItem& item : items_) {
      writer.U16(item.SubItems.size());
      writer.I32(item.ImageIndex);
      writer.Text(item.Caption);
      for (const std::string& sub_item : item.SubItems) writer.Text(sub_item);
    }
    writer.Finish();
  } catch (const std::exception&) {
    // A short write (a full disk) leaves no partial file that could pass for a saved list.
    file.reset();
    files.Delete(target);
    throw;
  }
}

void TSmartListView::LoadFromFile(const std::string& file_name) {
  Files& files = this->files();
  const std::string bare_name = BareFileName(file_name);
  if (!files.FileExists(file_name)) {
    ShowError(Msg1, bare_name);
    return;
  }
  std::vector<TListItem> rows;
  bool valid = false;
  {
    // The size only bounds the reservation: every row takes at least kMinRowSize bytes.
    const std::int64_t size = files.FileSize(file_name);
    std::unique_ptr<InputFile> file = files.OpenRead(file_name);
    DataReader reader(*file);
    char magic[sizeof kMagic];
    std::uint16_t row_count = 0;
    valid = reader.Exact(magic, sizeof magic) && std::memcmp(magic, kMagic, sizeof kMagic) == 0 &&
            reader.U16(row_count);
    if (valid) {
      if (size > kDataFileHeaderSize)
        rows.reserve(static_cast<std::size_t>(
            std::min<std::int64_t>(row_count, (size - kDataFileHeaderSize) / kMinRowSize)));
      // A file that ends early keeps every whole row; the partial one is dropped.
      for (std::size_t row = 0; row < row_count; ++row) {
        TListItem item;
        std::uint16_t sub_item_count = 0;
        if (!reader.U16(sub_item_count) || !reader.I32(item.ImageIndex) || !reader.Text(item.Caption))
          break;
        // Two sub-items is what every entry has; more grow as they arrive.
        item.SubItems.reserve(std::min<std::size_t>(sub_item_count, 2));
        bool whole = true;
        for (std::size_t i = 0; whole && i < sub_item_count; ++i)
          whole = reader.Text(item.SubItems.emplace_back());
        if (!whole) break;
        rows.push_back(std::move(item));
      }
    }
  }
  if (!valid) {
    ShowError(Msg2, bare_name);
    return;
  }
  items_.assign(std::move(rows));
}

void TSmartListView::ShowError(const std::string& format, const std::string& file_name) const {
  if (!dialogs_) throw std::logic_error("The clip list has no dialog service");
  dialogs_->ShowMessage(OwnerWindow, FormatWithFileName(format, file_name), "Error!",
                        box::kIconError | box::kOk);
}

bool SaveDataFileWithBackup(TSmartListView& list, const std::string& data_file_path) {
  Files& files = list.files();
  const std::string temp = data_file_path + ".tmp";
  if (files.FileExists(temp)) files.Delete(temp);
  list.SaveToFile(temp);
  if (!files.FileExists(temp)) return true;
  if (FileSizeOf(files, temp) <= 0) {
    files.Delete(temp);
    return true;
  }
  // The previous list stays in the data file until the replace; when that fails, the new
  // list is only in the ".tmp" file, which is never read back: say so.
  if (!ReplaceWithBackup(files, temp, data_file_path))
    throw PlatformError("Cannot replace file \"" + data_file_path + "\" with \"" + temp + "\".");
  return true;
}

std::int32_t FileSizeOf(Files& files, const std::string& path) {
  const std::int64_t size = files.FileSize(path);
  if (size < 0) return 0;
  // Beyond 2 GiB a size would wrap negative and pass for an empty file.
  return static_cast<std::int32_t>(std::min<std::int64_t>(size, INT32_MAX));
}

std::string BareFileName(const std::string& path) {
  const auto last = path.find_last_of("\\:");
  return last == std::string::npos ? path : path.substr(last + 1);
}

}  // namespace quib
