// The application object of the Win32 programs: the instance, the hidden application window
// that owns the main window, the title, the message loop, and the nesting level of the modal
// loops that dialogs and message boxes run.
#pragma once

#include <windows.h>

#include <string>

namespace hx {

class TApplication {
 public:
  static TApplication& Instance();

  // Creates the application window (hidden), installs the wait-cursor hooks and takes the
  // decimal separator from the user's locale. Calling it again does nothing.
  void Initialize(HINSTANCE instance);

  HINSTANCE Module() const { return module_; }
  // The application window: the owner of the main window.
  HWND Handle() const { return handle_; }

  const std::string& Title() const { return title_; }
  void SetTitle(const std::string& title);

  // Hides the application window, makes it a tool window and shows it again, so that the
  // program has no task-bar button.
  void HideTaskbarButton();

  // Runs the message loop until Terminate; returns the exit code.
  int Run();
  void Terminate(int exit_code = 0);
  bool Terminated() const { return terminated_; }
  // Handles the messages that are waiting, then returns.
  void ProcessMessages();

  // Modal loops running (dialogs, message boxes); TModalScope counts one for its lifetime.
  int ModalLevel() const { return modal_level_; }
  class TModalScope {
   public:
    TModalScope() { ++Instance().modal_level_; }
    ~TModalScope() { --Instance().modal_level_; }
    TModalScope(const TModalScope&) = delete;
    TModalScope& operator=(const TModalScope&) = delete;
  };

 private:
  TApplication() = default;

  HINSTANCE module_ = nullptr;
  HWND handle_ = nullptr;
  std::string title_;
  int modal_level_ = 0;
  bool terminated_ = false;
};

}  // namespace hx
