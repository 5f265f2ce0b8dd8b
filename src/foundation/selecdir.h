#pragma once

#include <string>

// The operator's choice of a folder or of a file to save; QFileDialog in the program, scripted in
// tests.
class DialogBackend {
 public:
  virtual ~DialogBackend() = default;
  // Empty when cancelled.
  virtual std::string ChooseFolder(const std::string& startFolder, const std::string& caption) = 0;
  virtual std::string ChooseSaveFile(const std::string& title, const std::string& filter,
                                     const std::string& defaultSuffix) = 0;
};

// Installs the backend (not owned), as the message boxes do; without one (nullptr) every dialog
// answers as cancelled.
void SetDialogBackend(DialogBackend* backend);

// Folder dialog starting at startFolder ("Select a folder:" when caption is null). On confirmation
// result becomes the folder with a trailing "/" and the answer is true; otherwise result is left.
bool BrowseForFolder(const std::string& startFolder, std::string& result, const char* caption);

// Save-file dialog; empty when cancelled.
std::string ChooseSaveFile(const std::string& title, const std::string& filter,
                           const std::string& defaultSuffix);
