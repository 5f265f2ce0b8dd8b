#include "foundation/myutl.h"

#include <QCoreApplication>
#include <QCursor>
#include <QGuiApplication>
#include <QProcess>
#include <QTemporaryDir>
#include <algorithm>
#include <cstdlib>
#include <ctime>
#include <set>

#include <fcntl.h>
#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include "support/temp_station.h"

namespace {

// Sets a file's last-write time to local noon of today moved by days.
void SetFileDate(const std::string& path, int days) {
  time_t now = time(nullptr);
  tm local{};
  localtime_r(&now, &local);
  local.tm_mday += days;
  local.tm_hour = 12;
  local.tm_min = 0;
  local.tm_sec = 0;
  local.tm_isdst = -1;
  timespec times[2] = {{mktime(&local), 0}, {mktime(&local), 0}};
  ASSERT_EQ(utimensat(AT_FDCWD, path.c_str(), times, 0), 0) << path;
}

std::set<std::string> AsSet(const std::vector<std::string>& names) {
  return {names.begin(), names.end()};
}

TEST(StrFormat, FormatsAnyLength) {
  EXPECT_EQ(StrFormat("%s - %d", "a", 5), "a - 5");
  EXPECT_EQ(StrFormat("%s", ""), "");
  EXPECT_EQ(StrFormat("%s", std::string(5000, 'q').c_str()), std::string(5000, 'q'));
}

TEST(CutText, NeverSplitsACharacter) {
  const std::string e = "\xC3\xA8";         // 2 bytes
  const std::string euro = "\xE2\x82\xAC";  // 3 bytes
  struct Case {
    const char* name;
    std::string text;
    size_t max;
    std::string expected;
  } cases[] = {
      {"short", "abc", 5, "abc"},
      {"exact", "abc", 3, "abc"},
      {"cut", "abcdef", 3, "abc"},
      {"zero", "abc", 0, ""},
      {"before a two-byte character", "ab" + e, 3, "ab"},
      {"after a two-byte character", "ab" + e, 4, "ab" + e},
      {"inside a three-byte character", "a" + euro, 3, "a"},
      {"before a three-byte character", "a" + euro + "b", 4, "a" + euro},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    EXPECT_EQ(CutText(c.text, c.max), c.expected);
  }
}

TEST(MaskMatches, FollowsTheWindowsRules) {
  struct Case {
    const char* mask;
    const char* name;
    bool matches;
  } cases[] = {
      {"*.*", "a.txt", true},
      {"*.*", "noext", true},
      {"*.*", "a.b.c", true},
      {"*", "noext", true},
      {"*", "a.txt", true},
      {"*.txt", "a.txt", true},
      {"*.txt", "A.TXT", true},
      {"*.TXT", "a.txt", true},
      {"*.txt", "a.txt.bak", false},
      {"*.txt", "atxt", false},
      {"?.dat", "c.dat", true},
      {"?.dat", "cc.dat", false},
      {"a?c", "abc", true},
      {"a?c", "ac", false},
      {"*.", "noext", true},
      {"*.", "a.txt", false},
      {"req*.txt", "REQ_1.txt", true},
      {"noext", "NOEXT", true},
      {"*è*", "PERCHÈ.txt", true},
      {"?.txt", "è.txt", true},
      {"*a*b", "xaxb", true},
      {"*a*b", "xaxbx", false},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(std::string(c.mask) + " ~ " + c.name);
    EXPECT_EQ(MaskMatches(c.mask, c.name), c.matches);
  }
}

class FolderTest : public ::testing::Test {
 protected:
  std::string Path(const std::string& relative) {
    return root.path().toStdString() + "/" + relative;
  }
  void Make(const std::string& relative, int days = 0) {
    WriteFileBytes(Path(relative), "x");
    SetFileDate(Path(relative), days);
  }
  void Folder(const std::string& relative) { ASSERT_EQ(mkdir(Path(relative).c_str(), 0755), 0); }
  bool Exists(const std::string& relative) {
    struct stat info;
    return stat(Path(relative).c_str(), &info) == 0;
  }
  QTemporaryDir root;
};

TEST_F(FolderTest, ListFilesAppliesMaskHiddenFilesAndFolders) {
  for (const char* name : {"a.txt", "b.TXT", "noext", "c.dat", ".hidden", ".hidden.txt"})
    Make(name);
  Folder("sub.txt");
  symlink("a.txt", Path("link.txt").c_str());
  struct Case {
    const char* mask;
    std::set<std::string> expected;
  } cases[] = {
      {"*.*", {"a.txt", "b.TXT", "noext", "c.dat", "link.txt"}},
      {"*", {"a.txt", "b.TXT", "noext", "c.dat", "link.txt"}},
      {"*.txt", {"a.txt", "b.TXT", "link.txt"}},
      {"?.dat", {"c.dat"}},
      {"*.", {"noext"}},
      {"*.bmp", {}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.mask);
    std::vector<std::string> names = {"left over"};
    int count = ListFiles(Path(c.mask), names, -1, false, 1000);
    EXPECT_EQ(count, static_cast<int>(c.expected.size()));
    EXPECT_EQ(AsSet(names), c.expected);
  }
}

TEST_F(FolderTest, ListFilesReturnsNothingForEmptyOrMissingFolders) {
  Folder("empty");
  for (const char* pattern : {"empty/*.*", "missing/*.*"}) {
    SCOPED_TRACE(pattern);
    std::vector<std::string> names = {"left over"};
    EXPECT_EQ(ListFiles(Path(pattern), names, -1, true, 1000), 0);
    EXPECT_TRUE(names.empty());
  }
}

TEST_F(FolderTest, ListFilesStopsAtTheMaximum) {
  Folder("many");
  for (int i = 0; i < 1500; ++i) WriteFileBytes(Path("many/f" + std::to_string(i) + ".txt"), "");
  struct Case {
    int maximum;
    int expected;
  } cases[] = {{1000, 1000}, {1500, 1500}, {2000, 1500}, {1, 1}, {0, 0}};
  for (const Case& c : cases) {
    SCOPED_TRACE(c.maximum);
    std::vector<std::string> names;
    EXPECT_EQ(ListFiles(Path("many/*.*"), names, -1, false, c.maximum), c.expected);
    EXPECT_EQ(names.size(), static_cast<size_t>(c.expected));
    EXPECT_EQ(AsSet(names).size(), names.size());
  }
}

TEST_F(FolderTest, ListFilesWalksSubfoldersDepthFirst) {
  Make("top.txt");
  Folder("a");
  Make("a/one.txt");
  Make("a/one.dat");
  Folder("a/b");
  Make("a/b/two.txt");
  Folder("c");
  Make("c/three.txt");
  Folder(".hidden");
  Make(".hidden/no.txt");
  std::vector<std::string> names;
  EXPECT_EQ(ListFiles(Path("*.txt"), names, -1, true, 1000), 4);
  ASSERT_EQ(names.size(), 4u);
  EXPECT_EQ(names[0], "top.txt");
  // "a/b" is listed right after "a", before or after "c" as the file system orders a and c.
  std::vector<std::string> rest(names.begin() + 1, names.end());
  auto a = std::find(rest.begin(), rest.end(), "a/one.txt");
  auto ab = std::find(rest.begin(), rest.end(), "a/b/two.txt");
  ASSERT_NE(a, rest.end());
  ASSERT_NE(ab, rest.end());
  EXPECT_EQ(ab - a, 1);
  EXPECT_EQ(AsSet(rest), (std::set<std::string>{"a/one.txt", "a/b/two.txt", "c/three.txt"}));

  std::vector<std::string> flat;
  EXPECT_EQ(ListFiles(Path("*.txt"), flat, -1, false, 1000), 1);
  std::vector<std::string> stopped;
  EXPECT_EQ(ListFiles(Path("*.txt"), stopped, -1, true, 2), 2);
}

TEST_F(FolderTest, ListFilesAgeLimitGoesByCalendarDate) {
  Make("today.txt", 0);
  Make("five.txt", -5);
  Make("six.txt", -6);
  Make("future.txt", 3);
  struct Case {
    int ageLimit;
    std::set<std::string> expected;
  } cases[] = {
      {-1, {"today.txt", "five.txt", "six.txt", "future.txt"}},
      {0, {"today.txt", "five.txt", "six.txt", "future.txt"}},
      {5, {"today.txt", "five.txt", "future.txt"}},
      {1, {"today.txt", "future.txt"}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.ageLimit);
    std::vector<std::string> names;
    ListFiles(Path("*.txt"), names, c.ageLimit, false, 1000);
    EXPECT_EQ(AsSet(names), c.expected);
  }
}

TEST_F(FolderTest, DeleteOldFilesByDateMaskAndKeptPart) {
  struct Case {
    const char* name;
    int age;
    const char* mask;
    const char* keep;
    std::set<std::string> left;
  } cases[] = {
      {"age -1 empties up to today", -1, "*.*", nullptr, {"future.txt", ".hidden", "sub"}},
      {"age 0 keeps today", 0, "*.*", nullptr, {"today.txt", "future.txt", ".hidden", "sub"}},
      {"age 5", 5, "*.*", nullptr, {"today.txt", "future.txt", "five.txt", ".hidden", "sub"}},
      {"kept part without regard to case",
       5,
       "*.*",
       "KEEP_me",
       {"today.txt", "future.txt", "old_keep_ME.txt", "five.txt", ".hidden", "sub"}},
      {"kept part", -1, "*.*", "keep", {"future.txt", "old_keep_ME.txt", ".hidden", "sub"}},
      {"mask",
       -1,
       "*.dat",
       nullptr,
       {"today.txt", "future.txt", "old.txt", "old_keep_ME.txt", "five.txt", ".hidden", "sub"}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    QTemporaryDir dir;
    root.swap(dir);
    Make("today.txt", 0);
    Make("future.txt", 3);
    Make("old.txt", -10);
    Make("old_keep_ME.txt", -10);
    Make("five.txt", -5);
    Make("old.dat", -10);
    Make(".hidden", -10);
    Folder("sub");
    Make("sub/inner.txt", -10);
    DeleteOldFiles(root.path().toStdString() + "/", c.mask, c.age, c.keep);
    std::set<std::string> present;
    for (const char* name : {"today.txt", "future.txt", "old.txt", "old_keep_ME.txt", "five.txt",
                             "old.dat", ".hidden", "sub"})
      if (Exists(name)) present.insert(name);
    EXPECT_EQ(present, c.left);
    EXPECT_TRUE(Exists("sub/inner.txt"));
  }
}

TEST_F(FolderTest, DeleteOldFilesRestoresTheCursor) {
  Make("old.txt", -10);
  ASSERT_NE(qobject_cast<QGuiApplication*>(QCoreApplication::instance()), nullptr);
  EXPECT_EQ(QGuiApplication::overrideCursor(), nullptr);
  DeleteOldFiles(root.path().toStdString(), "*.*", 1, nullptr);
  EXPECT_EQ(QGuiApplication::overrideCursor(), nullptr);
  EXPECT_FALSE(Exists("old.txt"));
  // A folder that cannot be listed is passed over.
  DeleteOldFiles(Path("missing"), "*.*", -1, nullptr);
}

TEST(Sort, SelectionSortKeepsTheFirstOfNearlyEqualValues) {
  struct RealCase {
    const char* name;
    std::vector<double> values;
    std::vector<double> expected;
  } reals[] = {
      {"three", {3, 1, 2}, {1, 2, 3}},
      {"empty", {}, {}},
      {"one", {5}, {5}},
      {"negative", {0.5, -2, 10, -2.5}, {-2.5, -2, 0.5, 10}},
      // Values closer than 1e-8 count as equal: the first met is taken first.
      {"closer than 1e-8", {1 + 5e-9, 1, 5}, {1 + 5e-9, 1, 5}},
      {"farther than 1e-8", {1 + 5e-8, 1, 5}, {1, 1 + 5e-8, 5}},
  };
  for (const RealCase& c : reals) {
    SCOPED_TRACE(c.name);
    std::vector<double> values = c.values;
    SortReals(static_cast<int>(values.size()), values.data());
    EXPECT_EQ(values, c.expected);
  }
  struct IntCase {
    std::vector<int32_t> values;
    std::vector<int32_t> expected;
  } ints[] = {
      {{3, 1, 2}, {1, 2, 3}},
      {{5, 5, -1, 2147483647, -2147483647 - 1}, {-2147483647 - 1, -1, 5, 5, 2147483647}},
      {{}, {}},
  };
  for (const IntCase& c : ints) {
    std::vector<int32_t> values = c.values;
    SortIntegers(static_cast<int>(values.size()), values.data());
    EXPECT_EQ(values, c.expected);
  }
}

// Run in a child process: prints whether the name is taken.
TEST(IsAlreadyRunningProbe, ReportsTheName) {
  const char* name = std::getenv("LUMIVEX_PROBE_NAME");
  if (name == nullptr) GTEST_SKIP() << "only run as a child of IsAlreadyRunning tests";
  std::printf("\nPROBE:%s\n", IsAlreadyRunning(name) ? "taken" : "free");
}

std::string Probe(const std::string& name, const QProcessEnvironment& environment) {
  QProcess child;
  QProcessEnvironment env = environment;
  env.insert("LUMIVEX_PROBE_NAME", QString::fromStdString(name));
  child.setProcessEnvironment(env);
  child.start(QCoreApplication::applicationFilePath(),
              {"--gtest_filter=IsAlreadyRunningProbe.ReportsTheName"});
  if (!child.waitForFinished(60000)) return "no answer";
  std::string out = child.readAllStandardOutput().toStdString();
  size_t at = out.find("PROBE:");
  if (at == std::string::npos) return "no probe";
  return out.substr(at + 6, out.find('\n', at) - at - 6);
}

class EnvironmentVariable {
 public:
  EnvironmentVariable(const char* name, const std::string& value) : name(name) {
    const char* old = std::getenv(name);
    if (old != nullptr) saved = old;
    hadValue = old != nullptr;
    setenv(name, value.c_str(), 1);
  }
  ~EnvironmentVariable() {
    if (hadValue)
      setenv(name, saved.c_str(), 1);
    else
      unsetenv(name);
  }

 private:
  const char* name;
  std::string saved;
  bool hadValue;
};

TEST(IsAlreadyRunning, ASecondProcessFindsTheNameTaken) {
  QTemporaryDir runtime;
  EnvironmentVariable xdg("XDG_RUNTIME_DIR", runtime.path().toStdString());
  QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
  std::string name = "LumivexTest";
  EXPECT_EQ(Probe(name, env), "free");  // the child's lock ends with the child
  EXPECT_FALSE(IsAlreadyRunning(name));
  EXPECT_EQ(Probe(name, env), "taken");
  EXPECT_EQ(Probe("Other", env), "free");
  // The same name asked again in this process is taken too, as the named mutex would be.
  EXPECT_TRUE(IsAlreadyRunning(name));
  struct stat info;
  EXPECT_EQ(stat((runtime.path().toStdString() + "/LumivexTest.lock").c_str(), &info), 0);

  // Another runtime folder is another user session.
  QTemporaryDir otherRuntime;
  QProcessEnvironment other = env;
  other.insert("XDG_RUNTIME_DIR", otherRuntime.path());
  EXPECT_EQ(Probe(name, other), "free");
}

TEST(IsAlreadyRunning, WithoutARuntimeFolderUsesAPrivateTemporaryFolder) {
  QTemporaryDir temporary;
  EnvironmentVariable xdg("XDG_RUNTIME_DIR", "");
  EnvironmentVariable tmp("TMPDIR", temporary.path().toStdString());
  QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
  std::string name = "LumivexTmpTest";
  EXPECT_FALSE(IsAlreadyRunning(name));
  EXPECT_EQ(Probe(name, env), "taken");
  std::string folder = temporary.path().toStdString() + "/lumivex-" + std::to_string(getuid());
  struct stat info;
  ASSERT_EQ(stat(folder.c_str(), &info), 0);
  EXPECT_TRUE(S_ISDIR(info.st_mode));
  EXPECT_EQ(info.st_mode & 0777, 0700u);
  EXPECT_EQ(stat((folder + "/LumivexTmpTest.lock").c_str(), &info), 0);
}

}  // namespace
