// Helpers for the persistence tests: raw file bytes, data files encoded independently of the
// writer, and a desktop whose file service injects faults.
#pragma once

#include <cstdint>
#include <fstream>
#include <iterator>
#include <ostream>
#include <string>
#include <vector>

#include "platform/sim/FaultyFiles.h"
#include "platform/sim/SimDesktop.h"
#include "store/SmartListView.h"

namespace quib::test {

inline void WriteFile(const std::string& path, const std::string& bytes) {
  std::ofstream out(StdFiles::NativePath(path), std::ios::binary | std::ios::trunc);
  out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
}

/// The file's bytes; "<missing>" when there is no readable file.
inline std::string ReadFile(const std::string& path) {
  std::ifstream in(StdFiles::NativePath(path), std::ios::binary);
  if (!in) return "<missing>";
  return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

/// One row as the data file holds it.
struct Row {
  std::string text;
  std::vector<std::string> sub_items{"09/01/2009", "Unknown"};
  std::int32_t image_index = 0;

  friend bool operator==(const Row&, const Row&) = default;
  friend void PrintTo(const Row& row, std::ostream* out) {
    *out << "{\"" << row.text.substr(0, 40) << (row.text.size() > 40 ? "...\"" : "\"") << ", "
         << row.sub_items.size() << " sub-items, image " << row.image_index << "}";
  }
};

inline std::string U16(std::size_t value) {
  return {static_cast<char>(value & 0xFF), static_cast<char>((value >> 8) & 0xFF)};
}

/// One row's bytes, encoded here rather than by the code under test.
inline std::string EncodeRow(const Row& row) {
  const auto bits = static_cast<std::uint32_t>(row.image_index);
  std::string bytes = U16(row.sub_items.size());
  for (int shift = 0; shift < 32; shift += 8) bytes += static_cast<char>((bits >> shift) & 0xFF);
  bytes += U16(row.text.size()) + row.text;
  for (const std::string& sub_item : row.sub_items) bytes += U16(sub_item.size()) + sub_item;
  return bytes;
}

inline std::string EncodeDataFile(const std::vector<Row>& rows) {
  std::string bytes = "QLV" + U16(rows.size());
  for (const Row& row : rows) bytes += EncodeRow(row);
  return bytes;
}

inline void Fill(TSmartListView& list, const std::vector<Row>& rows) {
  list.Clear();
  for (const Row& row : rows) {
    TListItem& item = list.Add();
    item.Caption = row.text;
    item.ImageIndex = row.image_index;
    item.SubItems = row.sub_items;
  }
}

inline std::vector<Row> RowsOf(const TSmartListView& list) {
  std::vector<Row> rows;
  for (std::size_t i = 0; i < list.Count(); ++i) {
    const TListItem& item = list.Item(i);
    rows.push_back(Row{item.Caption, item.SubItems, item.ImageIndex});
  }
  return rows;
}

/// A simulated desktop whose files go through a FaultyFiles over the real ones.
struct FaultyDesktop {
  SimDesktop sim;
  FaultyFiles files{sim.files};
  Desktop desktop{sim.clipboard, sim.clipboard, sim.processes, sim.sound, sim.dialogs,
                  files,         sim.clock,     sim.shell,     sim.windowing};
};

}  // namespace quib::test
