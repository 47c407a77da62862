// Fuzzes the data file loader: any bytes give either the invalid-file message with the list
// untouched, or a list that saves and loads back the same.
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string>

#include "MemoryFiles.h"
#include "platform/sim/SimDesktop.h"
#include "store/SmartListView.h"

using namespace quib;

namespace {

bool SameRows(const TSmartListView& a, const TSmartListView& b) {
  if (a.Count() != b.Count()) return false;
  for (std::size_t i = 0; i < a.Count(); ++i) {
    const TListItem &x = a.Item(i), &y = b.Item(i);
    if (x.Caption != y.Caption || x.ImageIndex != y.ImageIndex || x.SubItems != y.SubItems) return false;
  }
  return true;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const std::string path = "C:\\QuibVault\\quibvault_data.dat";
  fuzz::MemoryFiles files;
  SimDialogs dialogs;
  files.files[path].assign(reinterpret_cast<const char*>(data), size);

  TSmartListView list(files, dialogs);
  list.Add().Caption = "held";
  list.LoadFromFile(path);

  const bool has_header = size >= 5 && std::string(reinterpret_cast<const char*>(data), 3) == "QLV";
  if (!dialogs.shown.empty()) {
    if (has_header) fuzz::Violated("a file with the header was refused");
    if (list.Count() != 1 || list.Item(0).Caption != "held") fuzz::Violated("a refused file changed the list");
    return 0;
  }
  if (!has_header) fuzz::Violated("a file without the header was loaded");
  const std::size_t announced = data[3] | data[4] << 8;
  if (list.Count() > announced) fuzz::Violated("more rows than the file announces");

  // Whatever loaded fits the fields it came from, so it saves; and it loads back the same.
  list.SaveToFile("C:\\QuibVault\\again.dat");
  TSmartListView again(files, dialogs);
  again.LoadFromFile("C:\\QuibVault\\again.dat");
  if (!dialogs.shown.empty() || !SameRows(list, again)) fuzz::Violated("the round trip changed the list");
  if (files.files["C:\\QuibVault\\again.dat"].size() > size) fuzz::Violated("the saved file grew");
  return 0;
}
