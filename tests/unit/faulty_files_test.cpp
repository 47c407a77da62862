// The fault-injecting file service the persistence tests stand on: which operation fails,
// for how long, and what a stopped process can still do.
#include <string>

#include "StoreTestSupport.h"
#include "TestSupport.h"

namespace quib::test {
namespace {

using Op = FaultyFiles::Op;

class FaultyFilesTest : public ::testing::Test {
 protected:
  SimDesktop sim;
  FaultyFiles files{sim.files};
  TempFolder folder;
  std::string a = folder.File("a.txt"), b = folder.File("b.txt");
};

TEST_F(FaultyFilesTest, CountsEveryOperationAndFailsOnlyTheChosenOnes) {
  WriteFile(a, "abc");
  files.FailAt(2);
  files.Fail(Op::kCopy, 2, /*persistent=*/true);
  EXPECT_TRUE(files.FileExists(a));
  EXPECT_FALSE(files.FileExists(a)) << "the second operation fails";
  EXPECT_TRUE(files.FileExists(a)) << "once only";
  EXPECT_TRUE(files.Copy(a, b));
  for (int i = 0; i < 3; ++i) EXPECT_FALSE(files.Copy(a, folder.File("c" + std::to_string(i)))) << i;
  EXPECT_EQ(ReadFile(folder.File("c0")), "<missing>") << "a failed copy does not act";
  EXPECT_EQ(files.operations(), 7);
  EXPECT_EQ(files.log().front(), "FileExists " + a);
}

TEST_F(FaultyFilesTest, AFailedWriteWritesHalfAndRaisesLikeAFullDisk) {
  files.Fail(Op::kWrite);
  auto out = files.Create(a);
  EXPECT_THROW(out->Write("12345678", 8), PlatformError);
  out.reset();
  EXPECT_EQ(ReadFile(a), "1234");
}

TEST_F(FaultyFilesTest, AStoppedProcessRunsTheChosenOperationAndNothingAfterIt) {
  files.StopAfter(2);
  auto out = files.Create(a);
  EXPECT_THROW(out->Write("data", 4), ProcessStopped);
  EXPECT_TRUE(files.stopped());
  EXPECT_THROW(out->Commit(), ProcessStopped);
  EXPECT_THROW(files.Delete(a), ProcessStopped);
  out.reset();
  EXPECT_EQ(ReadFile(a), "data") << "the operation that stopped the process did run";
  files.Restart();
  EXPECT_TRUE(files.Delete(a));
  EXPECT_EQ(files.operations(), 1);
}

}  // namespace
}  // namespace quib::test
