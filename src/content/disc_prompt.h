#pragma once
// DiscPrompt: how the file manager asks the user for another disc. The host
// implements it with the platform's message boxes and the project's texts
// (the disc-change prompt and the exit confirmation, captioned with the
// game's title); tests answer with a script.

namespace rivo {

class DiscPrompt {
 public:
  virtual ~DiscPrompt() = default;
  // The disc-change question (OK and Cancel) for disc disk_no, counted from
  // 1. True for OK.
  virtual bool AskForDisc(int disk_no) = 0;
  // The exit confirmation (OK and Cancel). True for OK: the player ends.
  virtual bool ConfirmExit() = 0;
  // Starts an orderly close of the player.
  virtual void RequestClose() = 0;
};

}  // namespace rivo
