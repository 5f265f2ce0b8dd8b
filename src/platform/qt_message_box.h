#pragma once

#include <string>

#include "foundation/mymessagebox.h"

// The program's message boxes: a QMessageBox, application-modal, over the active window. Shown on
// the user-interface thread (ShowMessageBox brings calls from other threads there).
class QtMessageBoxBackend : public MessageBoxBackend {
 public:
  int Show(const std::string& text, const std::string& caption, unsigned flags) override;
};

// Closes every box the Qt backend has open as if its default button were pressed (OK, or Yes for
// a question), and answers every box asked for afterwards with its default at once: the station is
// ending (SIGTERM, SIGINT). Safe to call from any thread; the boxes are closed on the
// user-interface thread.
void AnswerOpenMessageBoxesWithDefault();
