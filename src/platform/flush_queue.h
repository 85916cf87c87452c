#pragma once

// Saved files that must be copied to lasting storage by a copy that runs on its own time (the
// web browser's database, which the game's files only mirror). One copy runs at a time; saves
// made while it runs are taken by one more copy after it. The first copy that fails is
// reported once.
class TFlushQueue {
 public:
  // A file was saved (or the page is going away). True when a copy is to start now.
  bool Request();
  // The running copy ended. True when another is to start now.
  bool Finished(bool ok);
  // True once, after the first failed copy: the moment to say that nothing will be kept.
  bool TakeFailureNotice();
  bool Running() const { return running_; }

 private:
  bool running_ = false;
  bool pending_ = false;
  bool failed_ = false;
  bool noticed_ = false;
};
