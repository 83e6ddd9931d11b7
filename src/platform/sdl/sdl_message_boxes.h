#pragma once
// Message boxes through SDL. Where SDL cannot show one (no display server,
// the dummy video driver) the question goes to the log and gets the answer
// for nobody there (mostly the first button), so a box never stops a player
// that nobody can see.

#include <ostream>

#include "platform/message_boxes.h"

struct SDL_Window;

namespace rivo {

class SdlMessageBoxes final : public MessageBoxes {
 public:
  explicit SdlMessageBoxes(std::ostream& log) : log_(log) {}

  using MessageBoxes::Show;
  MessageAnswer Show(const std::string& caption, const std::string& text, MessageButtons buttons, MessageIcon icon,
                     MessageAnswer unattended) override;
  void SetParent(SDL_Window* parent) { parent_ = parent; }

 private:
  std::ostream& log_;
  SDL_Window* parent_ = nullptr;
};

}  // namespace rivo
