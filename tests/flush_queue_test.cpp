// Copies of the saves to lasting storage that runs on its own time: never two at once, none
// lost, and a failure told once.
#include <gtest/gtest.h>

#include "platform/flush_queue.h"

namespace {

TEST(FlushQueue, SavesDuringACopyAreTakenByOneMoreCopy) {
  TFlushQueue q;
  EXPECT_TRUE(q.Request());   // the first save starts a copy
  EXPECT_FALSE(q.Request());  // three saves while it runs ...
  EXPECT_FALSE(q.Request());
  EXPECT_FALSE(q.Request());
  EXPECT_TRUE(q.Finished(true));  // ... are taken by one copy after it
  EXPECT_TRUE(q.Running());
  EXPECT_FALSE(q.Finished(true));  // and nothing is left to copy
  EXPECT_FALSE(q.Running());
  EXPECT_TRUE(q.Request());  // the next save starts a copy at once
}

TEST(FlushQueue, AFailureIsToldOnceAndCopyingGoesOn) {
  TFlushQueue q;
  EXPECT_FALSE(q.TakeFailureNotice());
  q.Request();
  q.Request();
  EXPECT_TRUE(q.Finished(false));  // the save made meanwhile is still tried
  EXPECT_TRUE(q.TakeFailureNotice());
  EXPECT_FALSE(q.Finished(false));
  EXPECT_FALSE(q.TakeFailureNotice());  // said once only
  EXPECT_TRUE(q.Request());
  EXPECT_FALSE(q.Finished(true));
  EXPECT_FALSE(q.TakeFailureNotice());
}

}  // namespace
