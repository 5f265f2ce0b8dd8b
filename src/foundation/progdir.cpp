#include "foundation/progdir.h"

#include <vector>

#include <dirent.h>
#include <strings.h>
#include <sys/stat.h>
#include <unistd.h>

#include "foundation/mymessagebox.h"
#include "foundation/myutl.h"

std::string programFolder;

namespace {

bool IsFolder(const std::string& path) {
  struct stat info;
  return stat(path.c_str(), &info) == 0 && S_ISDIR(info.st_mode);
}

// The entry of folder named like name without regard to case; an exact match wins.
std::string MatchingEntry(const std::string& folder, const std::string& name) {
  if (IsFolder(folder + "/" + name)) return name;
  DIR* dir = opendir(folder.empty() ? "/" : folder.c_str());
  if (dir == nullptr) return name;
  std::string found = name;
  while (dirent* entry = readdir(dir)) {
    if (strcasecmp(entry->d_name, name.c_str()) == 0 && IsFolder(folder + "/" + entry->d_name)) {
      found = entry->d_name;
      break;
    }
  }
  closedir(dir);
  return found;
}

}  // namespace

std::string ProgramFolderOf(const std::string& executablePath) {
  std::string folder = CutText(executablePath, kMaxPathText);
  size_t separator = folder.rfind('/');
  if (separator == std::string::npos) return std::string();
  folder.resize(separator);
  if (folder.size() >= 2 && folder.compare(folder.size() - 2, 2, "/.") == 0)
    folder.resize(folder.size() - 2);
  return folder;
}

void FindProgramFolder() {
  std::vector<char> buffer(4096);
  ssize_t length = readlink("/proc/self/exe", buffer.data(), buffer.size() - 1);
  if (length < 0) {
    programFolder.clear();
    ShowMessageBox("PD001: errore nella ricerca del percorso programma", "ERRORE", kMbError);
    return;
  }
  std::string path(buffer.data(), static_cast<size_t>(length));
  if (CutText(path, kMaxPathText).find('/') == std::string::npos) {
    programFolder.clear();
    ShowMessageBox("PD002: errore nella ricerca del percorso programma", "ERRORE", kMbError);
    return;
  }
  programFolder = ProgramFolderOf(path);
}

std::string ProgramSubfolder(const std::string& name) {
  // Each component is looked up on its own: "file_in_out/in" may be spelt in any case.
  std::string folder = programFolder;
  size_t start = 0;
  while (start <= name.size()) {
    size_t end = name.find('/', start);
    if (end == std::string::npos) end = name.size();
    std::string part = name.substr(start, end - start);
    if (!part.empty()) folder += "/" + MatchingEntry(folder, part);
    start = end + 1;
  }
  return folder;
}

std::string DataFilePath(const std::string& fileName) {
  return ProgramSubfolder("Data") + "/" + fileName;
}
