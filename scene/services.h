// The host services that the scene classes and the workroom call: message boxes, pending-event
// processing, sounds, ending the program, the program directory, the program's title and the
// clipboard. The Qt program installs its own implementation; the default one is headless, so that
// these layers build and test without Qt and without sound.
#pragma once

#include <string>

namespace platform {
class Picture;
}

namespace kubisto {

// Message box styles and results, with the classic values: buttons + icon.
enum MsgBoxStyle : int {
  vbOKOnly = 0,
  vbOKCancel = 1,
  vbAbortRetryIgnore = 2,
  vbYesNoCancel = 3,
  vbYesNo = 4,
  vbRetryCancel = 5,
  vbCritical = 16,
  vbQuestion = 32,
  vbExclamation = 48,
  vbInformation = 64,
};

enum MsgBoxResult : int {
  vbOK = 1,
  vbCancel = 2,
  vbAbort = 3,
  vbRetry = 4,
  vbIgnore = 5,
  vbYes = 6,
  vbNo = 7
};

class Services {
 public:
  virtual ~Services() = default;

  // Shows a modal message box; returns one of MsgBoxResult.
  virtual int MessageBox(const std::string& text, int style, const std::string& caption) = 0;
  // Lets the user interface process its pending events once.
  virtual void DoEvents() = 0;
  // Plays a WAV file. wait: returns when the sound has finished. A missing file or no sound
  // device: silent, at once.
  virtual void PlayWave(const std::string& path, bool wait) = 0;
  // Ends the program at once, without running further commands.
  [[noreturn]] virtual void EndProgram() = 0;
  // The folder that holds the program file, without a trailing separator.
  virtual std::string ProgramDir() = 0;
  // The program's title (used as a caption by some messages).
  virtual std::string AppTitle() = 0;
  // Puts a picture on the clipboard; false when that failed.
  virtual bool SetClipboardPicture(const platform::Picture& picture) = 0;
  // True once the user has asked the program to end while a long operation runs: the operation
  // stops at its next step. Headless hosts never ask.
  virtual bool EndRequested() { return false; }
  // True when a sound played with waiting holds its caller for the sound's length: the sounds are
  // on and there is a device to play them. Otherwise long changes need not draw every step.
  virtual bool SoundsWait() { return true; }
};

// The services in force: the installed ones, or the headless defaults.
Services& services();
// Installs a host's services (nullptr restores the defaults). The caller keeps ownership.
void setServices(Services* host);

}  // namespace kubisto
