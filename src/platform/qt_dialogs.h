#pragma once

#include <string>

#include "foundation/selecdir.h"

// The program's folder and save-file dialogs (QFileDialog over the active window), installed by the
// program's entry with SetDialogBackend.
class QtDialogBackend : public DialogBackend {
 public:
  std::string ChooseFolder(const std::string& startFolder, const std::string& caption) override;
  std::string ChooseSaveFile(const std::string& title, const std::string& filter,
                             const std::string& defaultSuffix) override;
};

// "Bitmap (*.bmp)|*.bmp|All|*.*" style filters as Qt writes them: "Bitmap (*.bmp);;All (*.*)";
// a pair whose description is its pattern becomes the bare pattern ("*.bmp|*.bmp" -> "*.bmp").
std::string QtFileFilter(const std::string& filter);

// The chosen name with "." and the suffix appended when its file name has no extension.
std::string WithDefaultSuffix(const std::string& fileName, const std::string& defaultSuffix);
