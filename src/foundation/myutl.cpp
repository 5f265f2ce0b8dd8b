#include "foundation/myutl.h"

#include <QCoreApplication>
#include <QCursor>
#include <QGuiApplication>
#include <QString>
#include <QThread>
#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <ctime>
#include <filesystem>
#include <tuple>

#include <dirent.h>
#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

namespace {

constexpr int kMaxSubfolders = 1000;

// Calendar date in local time, comparable as a tuple.
using Date = std::tuple<int, int, int>;

Date DateOf(time_t seconds) {
  tm local{};
  localtime_r(&seconds, &local);
  return {local.tm_year + 1900, local.tm_mon + 1, local.tm_mday};
}

// Today moved by days (negative: into the past), in local time.
Date TodayPlus(int days) {
  time_t now = time(nullptr);
  tm local{};
  localtime_r(&now, &local);
  local.tm_mday += days;
  local.tm_hour = 12;  // clear of daylight-saving changes
  local.tm_min = 0;
  local.tm_sec = 0;
  local.tm_isdst = -1;
  mktime(&local);
  return {local.tm_year + 1900, local.tm_mon + 1, local.tm_mday};
}

bool RegularFile(const std::string& path, Date* date) {
  struct stat info;
  if (stat(path.c_str(), &info) != 0 || !S_ISREG(info.st_mode)) return false;
  if (date != nullptr) *date = DateOf(info.st_mtim.tv_sec);
  return true;
}

// Names of the ordinary, not hidden files of folder that match mask, in the file system's order.
std::vector<std::string> MatchingFiles(const std::string& folder, const std::string& mask) {
  std::vector<std::string> names;
  DIR* dir = opendir(folder.empty() ? "." : folder.c_str());
  if (dir == nullptr) return names;
  while (dirent* entry = readdir(dir)) {
    if (entry->d_name[0] == '.') continue;
    if (MaskMatches(mask, entry->d_name)) names.emplace_back(entry->d_name);
  }
  closedir(dir);
  return names;
}

// Sub-folders of base + relative at any depth, depth-first, as relative paths; symbolic links to
// folders are not followed so that a loop cannot repeat the same folders.
void CollectSubfolders(const std::string& base, const std::string& relative,
                       std::vector<std::string>& folders) {
  std::string here = relative.empty() ? base : base + relative + "/";
  DIR* dir = opendir(here.empty() ? "." : here.c_str());
  if (dir == nullptr) return;
  std::vector<std::string> children;
  while (dirent* entry = readdir(dir)) {
    if (entry->d_name[0] == '.') continue;
    struct stat info;
    if (lstat((here + entry->d_name).c_str(), &info) != 0 || !S_ISDIR(info.st_mode)) continue;
    children.emplace_back(entry->d_name);
  }
  closedir(dir);
  for (const std::string& child : children) {
    if (static_cast<int>(folders.size()) >= kMaxSubfolders) return;
    std::string path = relative.empty() ? child : relative + "/" + child;
    folders.push_back(path);
    CollectSubfolders(base, path, folders);
  }
}

bool WildcardMatch(const QString& mask, const QString& name) {
  qsizetype m = 0, n = 0, starMask = -1, starName = 0;
  while (n < name.size()) {
    if (m < mask.size() && (mask[m] == u'?' || mask[m].toCaseFolded() == name[n].toCaseFolded())) {
      ++m;
      ++n;
    } else if (m < mask.size() && mask[m] == u'*') {
      starMask = m++;
      starName = n;
    } else if (starMask >= 0) {
      m = starMask + 1;
      n = ++starName;
    } else {
      return false;
    }
  }
  while (m < mask.size() && mask[m] == u'*') ++m;
  return m == mask.size();
}

bool ContainsNoCase(const std::string& text, const std::string& part) {
  return QString::fromUtf8(text).contains(QString::fromUtf8(part), Qt::CaseInsensitive);
}

// The busy cursor while old files are deleted, when there is a screen to show it on.
class BusyCursor {
 public:
  BusyCursor() {
    auto* app = qobject_cast<QGuiApplication*>(QCoreApplication::instance());
    shown = app != nullptr && QThread::currentThread() == app->thread();
    if (shown) QGuiApplication::setOverrideCursor(Qt::WaitCursor);
  }
  ~BusyCursor() {
    if (shown) QGuiApplication::restoreOverrideCursor();
  }
  BusyCursor(const BusyCursor&) = delete;
  BusyCursor& operator=(const BusyCursor&) = delete;

 private:
  bool shown;
};

}  // namespace

std::string StrFormat(const char* format, ...) {
  va_list args;
  va_start(args, format);
  va_list copy;
  va_copy(copy, args);
  int length = std::vsnprintf(nullptr, 0, format, copy);
  va_end(copy);
  std::string text;
  if (length > 0) {
    text.resize(static_cast<size_t>(length) + 1);
    std::vsnprintf(text.data(), text.size(), format, args);
    text.resize(static_cast<size_t>(length));
  }
  va_end(args);
  return text;
}

std::string CutText(const std::string& text, size_t maxBytes) {
  if (text.size() <= maxBytes) return text;
  size_t cut = maxBytes;
  // Step back over the continuation bytes of a sequence that would be split.
  while (cut > 0 && (static_cast<unsigned char>(text[cut]) & 0xC0) == 0x80) --cut;
  return text.substr(0, cut);
}

bool MaskMatches(const std::string& mask, const std::string& name) {
  QString wideMask = QString::fromUtf8(mask);
  QString wideName = QString::fromUtf8(name);
  if (WildcardMatch(wideMask, wideName)) return true;
  // A name without extension matches as if it ended in a dot: "*.*" and "*." take it.
  return !wideName.contains(u'.') && WildcardMatch(wideMask, wideName + u'.');
}

int ListFiles(const std::string& pattern, std::vector<std::string>& names, int ageLimitDays,
              bool includeSubfolders, int maximum) {
  names.clear();
  if (maximum <= 0) return 0;
  size_t separator = pattern.rfind('/');
  std::string folder = separator == std::string::npos ? "" : pattern.substr(0, separator + 1);
  std::string mask = separator == std::string::npos ? pattern : pattern.substr(separator + 1);
  bool ageRule = ageLimitDays > 0;
  Date oldest = ageRule ? TodayPlus(-ageLimitDays) : Date{};

  // Stores the files of one folder; false once the maximum is reached.
  auto listFolder = [&](const std::string& relative) {
    std::string here = relative.empty() ? folder : folder + relative + "/";
    for (const std::string& name : MatchingFiles(here, mask)) {
      Date date;
      if (!RegularFile(here + name, &date)) continue;
      if (ageRule && date < oldest) continue;
      names.push_back(relative.empty() ? name : relative + "/" + name);
      if (static_cast<int>(names.size()) >= maximum) return false;
    }
    return true;
  };

  if (!listFolder("")) return static_cast<int>(names.size());
  if (includeSubfolders) {
    std::vector<std::string> subfolders;
    CollectSubfolders(folder, "", subfolders);
    for (const std::string& relative : subfolders)
      if (!listFolder(relative)) break;
  }
  return static_cast<int>(names.size());
}

void DeleteOldFiles(const std::string& folder, const std::string& mask, int ageDays,
                    const char* keepPart) {
  BusyCursor cursor;
  Date threshold = TodayPlus(-ageDays);
  std::string base = folder;
  if (!base.empty() && base.back() == '/') base.pop_back();
  std::string prefix = base + "/";
  for (const std::string& name : MatchingFiles(prefix, mask)) {
    Date date;
    if (!RegularFile(prefix + name, &date) || !(date < threshold)) continue;
    if (keepPart != nullptr && ContainsNoCase(name, keepPart)) continue;
    unlink((prefix + name).c_str());  // a file that cannot be deleted stays
  }
}

bool IsAlreadyRunning(const std::string& name) {
  std::string fileName = name.empty() ? std::string("_") : name;
  for (char& c : fileName)
    if (c == '/') c = '_';
  fileName += ".lock";

  std::vector<std::string> folders;
  const char* runtime = std::getenv("XDG_RUNTIME_DIR");
  if (runtime != nullptr && runtime[0] != '\0') folders.emplace_back(runtime);
  std::error_code error;
  std::string temporary = std::filesystem::temp_directory_path(error).string();
  if (error || temporary.empty()) temporary = "/tmp";
  std::string own = temporary + "/lumivex-" + std::to_string(getuid());
  folders.push_back(own);

  for (const std::string& dir : folders) {
    if (dir == own) {
      mkdir(own.c_str(), 0700);
      struct stat info;
      // Only a private folder of this user holds the lock.
      if (lstat(own.c_str(), &info) != 0 || !S_ISDIR(info.st_mode) || info.st_uid != getuid())
        continue;
    }
    int file = open((dir + "/" + fileName).c_str(), O_RDWR | O_CREAT | O_CLOEXEC, 0600);
    if (file < 0) continue;
    if (flock(file, LOCK_EX | LOCK_NB) == 0) return false;  // kept open until the process ends
    bool taken = errno == EWOULDBLOCK;
    close(file);
    if (taken) return true;
  }
  return true;  // the name could not be taken
}

void SortIntegers(int n, int32_t* values) {
  if (values == nullptr) return;
  for (int i = 0; i < n - 1; ++i) {
    int smallest = i;
    for (int j = i + 1; j < n; ++j)
      if (static_cast<double>(values[j]) < static_cast<double>(values[smallest]) - 1e-8)
        smallest = j;
    std::swap(values[i], values[smallest]);
  }
}

void SortReals(int n, double* values) {
  if (values == nullptr) return;
  for (int i = 0; i < n - 1; ++i) {
    int smallest = i;
    for (int j = i + 1; j < n; ++j)
      if (values[j] < values[smallest] - 1e-8) smallest = j;
    std::swap(values[i], values[smallest]);
  }
}
