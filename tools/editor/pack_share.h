#pragma once
#include <cstdint>
#include <string>

// After a Save As, the editor offers to share the pack in the world table's pack exchange:
// the author's name is typed (or left empty) and Enter sends the level file to the server
// (POST packs), which proves every level before it lists the pack; Esc leaves the offer. The
// answer comes in the background and stays in the message line.
class TPackShare {
 public:
  // A pack was saved as path: the offer stands from now.
  void Offer(const std::string& path);
  bool Offered() const { return offered_; }
  // A key while the offer stands (the editor's key codes: letters, digits, Space, Backspace,
  // Enter, Esc). True when it was the offer's; any other key, or one with Ctrl, leaves the
  // offer and is the editor's.
  bool Key(int32_t key, uint32_t shift);
  // Takes the server's answer when it has come; the line to show in the message area, "" for
  // none, and whether it tells of a failure.
  std::string Line(bool& bad);

  // The request's query for a pack's title and author ("title=...&author=...").
  static std::string Query(const std::string& title, const std::string& author);
  // The line for the server's answer to the sending of title.
  static std::string Outcome(const std::string& title, int32_t status, const std::string& body,
                             bool& bad);

 private:
  void Send();

  bool offered_ = false, sending_ = false, bad_ = false;
  std::string path_, title_, author_, result_;
};
