#include "platform/flush_queue.h"

bool TFlushQueue::Request() {
  if (running_) {
    pending_ = true;
    return false;
  }
  running_ = true;
  return true;
}

bool TFlushQueue::Finished(bool ok) {
  if (!ok) failed_ = true;
  running_ = pending_;
  pending_ = false;
  return running_;
}

bool TFlushQueue::TakeFailureNotice() {
  if (!failed_ || noticed_) return false;
  noticed_ = true;
  return true;
}
