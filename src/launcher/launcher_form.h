#pragma once
#include <array>
#include <cstdint>
#include <string>

#include "pixels/rect.h"

class TLauncherText;

// What the launcher's buttons and links do outside the launcher itself.
class ILauncherHost {
 public:
  virtual ~ILauncherHost() = default;
  // Hands an address (web page, mail, file) to the desktop.
  virtual void OpenAddress(const std::string& address) = 0;
  // Start: hide the launcher and bring up the game.
  virtual void StartGame() = 0;
  // The launcher closes (Exit, its close button).
  virtual void CloseLauncher() = 0;
};

// The launcher window's contents and behaviour, apart from any real window: where each control
// lies, which button has the focus, what keys and clicks do. Coordinates are the window's
// client pixels.
class TForm1 {
 public:
  static constexpr int32_t ClientWidth = 366, ClientHeight = 225;

  enum TControlId {
    Button1,  // "Start"
    Button5,  // "World table"
    Button7,  // "Help"
    Button4,  // "Web Site"
    Button2,  // "Exit"
    Image1,   // the game's picture
    Label1,   // the game's name
    Label2,   // version
    Label3,   // a line about the game
    Label4,   // web address (link)
    Label7,   // support mail address (link)
    ControlCount,
    NoControl = -1,
  };
  struct TControl {
    TRect Bounds;
    std::string Caption;
    bool Bold = false;
    bool Link = false;
  };

  static constexpr TRect PageControl1 = Bounds(2, 1, 257, 222);
  static constexpr TRect TabSheet1 = Bounds(6, 25, 249, 194);  // the "About" page
  static constexpr TRect AboutTab = Bounds(6, 5, 56, 21);      // its tab

  TForm1(ILauncherHost& host, const TLauncherText& text);

  // Sets the captions and places the labels, centred in the "About" page.
  void FormCreate();

  // Input. Keys are the game's key codes (13 Enter, 27 Esc, 9 Tab, 32 Space, 37..40 arrows);
  // shift bit 1 is Shift.
  void KeyDown(int32_t key, uint32_t shift);
  void MouseMove(int32_t x, int32_t y);
  void MouseDown(int32_t button, int32_t x, int32_t y, int32_t clicks);
  void MouseUp(int32_t button, int32_t x, int32_t y);
  void CloseRequest() { Button2Click(); }

  // The actions.
  void Button1Click();  // Start
  void Image1DblClick() { Button1Click(); }
  void Button2Click();  // Exit
  void Button4Click();  // web site
  void Button7Click();  // Help: Readme.html from the game's folder
  void Button5Click();  // the world table's pages
  void Button9Click();  // the online score page (its tab is hidden)
  void Label4Click() { Button4Click(); }
  void Label7Click();  // a mail to the support address

  // State.
  const TControl& Control(TControlId id) const { return controls_[id]; }
  // The control under a point: buttons, the picture and the links (NoControl elsewhere).
  TControlId ControlAt(int32_t x, int32_t y) const;
  TControlId Focused() const { return focused_; }
  TControlId Hot() const { return hot_; }          // under the pointer
  TControlId Pressed() const { return pressed_; }  // held down by the mouse
  bool OverLink() const { return hot_ != NoControl && controls_[hot_].Link; }
  bool Started() const { return started_; }
  bool Closed() const { return closed_; }
  // Only the "About" tab is shown; "Options" and "High Scores" stay hidden.
  static constexpr bool TabSheet3Visible = false, TabSheet4Visible = false;

 private:
  void MoveFocus(int step);
  void Click(TControlId id);

  ILauncherHost& host_;
  const TLauncherText& text_;
  std::array<TControl, ControlCount> controls_;
  TControlId focused_ = Button1;
  TControlId hot_ = NoControl;
  TControlId pressed_ = NoControl;
  bool started_ = false;
  bool closed_ = false;
};
