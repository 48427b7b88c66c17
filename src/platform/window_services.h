#pragma once
// What the game asks of its window besides pixels: the pointer, the message box, closing.

#include <string>

namespace jizdavo {

class WindowServices {
 public:
  virtual ~WindowServices() = default;
  // Shape 1 is the game's own pointer, -1 no pointer, 0 the system arrow.
  virtual void SetPointerShape(int shape) = 0;
  virtual bool LoadPointer(const std::string& path) = 0;
  virtual void CenterPointer() = 0;
  // Blocks until the user closes it, or until the program is asked to end.
  virtual void MessageBox(const std::string& title, const std::string& text) = 0;
  virtual void Close() = 0;
  // Whether the program has been asked to end (the window closed, SIGTERM, SIGINT), for loops that
  // run outside the message loop, such as the intro film's.
  virtual bool QuitRequested() { return false; }
};

}  // namespace jizdavo
