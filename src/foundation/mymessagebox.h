#pragma once

#include <string>

// Flag combinations of the station's message boxes.
constexpr unsigned kMbOk = 0x0000;           // OK only, no icon
constexpr unsigned kMbError = 0x2010;        // task-modal, stop icon, OK
constexpr unsigned kMbWarning = 0x2030;      // task-modal, exclamation icon, OK
constexpr unsigned kMbInformation = 0x2040;  // task-modal, information icon, OK
constexpr unsigned kMbQuestion = 0x2024;     // task-modal, question icon, Yes and No

constexpr unsigned kMbIconMask = 0x00F0;
constexpr unsigned kMbButtonMask = 0x000F;
constexpr unsigned kMbYesNo = 0x0004;

constexpr int kIdOk = 1;
constexpr int kIdYes = 6;
constexpr int kIdNo = 7;

// Where message boxes are shown: QMessageBox in the program, a recorder in tests.
class MessageBoxBackend {
 public:
  virtual ~MessageBoxBackend() = default;
  virtual int Show(const std::string& text, const std::string& caption, unsigned flags) = 0;
};

// Installs the backend (not owned); nullptr restores "no backend" (boxes answer their default).
void SetMessageBoxBackend(MessageBoxBackend* backend);
MessageBoxBackend* CurrentMessageBoxBackend();

// Shows a modal box and answers the button pressed (kIdOk, kIdYes, kIdNo). Called from another
// thread, the box is shown on the user-interface thread while the caller waits.
int ShowMessageBox(const std::string& text, const std::string& caption, unsigned flags);

// The button a box answers when nobody can press one: OK, or Yes for a question.
int DefaultButton(unsigned flags);
