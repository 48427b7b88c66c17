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
  // Blocks until the user closes it.
  virtual void MessageBox(const std::string& title, const std::string& text) = 0;
  virtual void Close() = 0;
};

}  // namespace jizdavo
