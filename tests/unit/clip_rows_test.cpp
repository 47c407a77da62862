// The clip list's row store: removing the oldest rows in turn, rows changed in place, and
// finding a text through the fingerprints, checked against a plain list kept beside it.
#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

#include "store/SmartListView.h"

namespace quib::test {
namespace {

/// The index a plain scan finds, for comparison.
std::optional<std::size_t> PlainFind(const std::vector<std::string>& texts, const std::string& text) {
  const auto at = std::find(texts.begin(), texts.end(), text);
  if (at == texts.end()) return std::nullopt;
  return static_cast<std::size_t>(at - texts.begin());
}

class ClipRowsTest : public ::testing::Test {
 protected:
  void Append(const std::string& text) {
    list.Add().Caption = text;
    plain.push_back(text);
  }
  void Remove(std::size_t index) {
    list.Delete(index);
    plain.erase(plain.begin() + static_cast<std::ptrdiff_t>(index));
  }
  void ExpectSameAsPlain(const std::vector<std::string>& probes) {
    ASSERT_EQ(list.Count(), plain.size());
    for (std::size_t i = 0; i < plain.size(); ++i) ASSERT_EQ(std::as_const(list).Item(i).Caption, plain[i]);
    for (const std::string& probe : probes) EXPECT_EQ(list.IndexOfText(probe), PlainFind(plain, probe)) << probe;
  }

  TSmartListView list;
  std::vector<std::string> plain;
};

TEST_F(ClipRowsTest, FindsTheOldestEqualTextAndNothingElse) {
  for (const char* text : {"a", "b", "a", "", "c"}) Append(text);
  ExpectSameAsPlain({"a", "b", "", "c", "d", "A"});
}

TEST_F(ClipRowsTest, RemovingTheOldestInTurnKeepsIndicesRight) {
  for (int i = 0; i < 50; ++i) Append("text " + std::to_string(i));
  // Far past the point where the removed rows are dropped from the storage, twice over.
  for (int round = 0; round < 200; ++round) {
    Remove(0);
    Append("text " + std::to_string(50 + round));
    if (round % 37 == 0) Remove(plain.size() / 2);
    ExpectSameAsPlain({"text " + std::to_string(round), "text " + std::to_string(round + 30),
                       "text " + std::to_string(49 + round), "missing"});
  }
}

TEST_F(ClipRowsTest, ARowChangedInPlaceIsFoundByItsNewText) {
  for (int i = 0; i < 40; ++i) Append("row " + std::to_string(i));
  ExpectSameAsPlain({"row 7"});  // every fingerprint taken
  list.Item(7).Caption = "changed";
  plain[7] = "changed";
  list.Item(0).Caption += "!";
  plain[0] += "!";
  ExpectSameAsPlain({"row 7", "changed", "row 0", "row 0!", "row 39"});
}

TEST_F(ClipRowsTest, ClearAndReloadStartAfresh) {
  for (int i = 0; i < 20; ++i) Append(std::to_string(i));
  list.IndexOfText("3");
  list.Clear();
  plain.clear();
  ExpectSameAsPlain({"3"});
  Append("again");
  ExpectSameAsPlain({"again", "3"});
}

}  // namespace
}  // namespace quib::test
