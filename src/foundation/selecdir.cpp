#include "foundation/selecdir.h"

#include <atomic>

namespace {

std::atomic<DialogBackend*> installedBackend{nullptr};

DialogBackend* Backend() {
  return installedBackend.load();
}

}  // namespace

void SetDialogBackend(DialogBackend* backend) {
  installedBackend.store(backend);
}

bool BrowseForFolder(const std::string& startFolder, std::string& result, const char* caption) {
  DialogBackend* backend = Backend();
  if (backend == nullptr) return false;
  std::string folder =
      backend->ChooseFolder(startFolder, caption != nullptr ? caption : "Select a folder:");
  if (folder.empty()) return false;
  result = folder.back() == '/' ? folder : folder + "/";
  return true;
}

std::string ChooseSaveFile(const std::string& title, const std::string& filter,
                           const std::string& defaultSuffix) {
  DialogBackend* backend = Backend();
  if (backend == nullptr) return std::string();
  return backend->ChooseSaveFile(title, filter, defaultSuffix);
}
