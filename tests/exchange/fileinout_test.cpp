#include "exchange/fileinout.h"

#include <algorithm>
#include <chrono>
#include <ctime>
#include <filesystem>
#include <string>
#include <vector>

#include <fcntl.h>
#include <gtest/gtest.h>
#include <sys/stat.h>

#include "foundation/log.h"
#include "foundation/myutl.h"
#include "support/message_box_recorder.h"
#include "support/temp_station.h"

namespace fs = std::filesystem;

namespace {

const char kIoc001[] =
    "IOC001: errore nella scrittura dei parametri cartella file ingresso-uscita.";
const char kIoc002[] = "IOC002: file con parametri cartella file ingresso-uscita non trovato.";
const char kIoc003[] =
    "IOC003: errore nella lettura da file dei parametri cartella ingresso-uscita.";

constexpr std::chrono::milliseconds kNoWait(0);

// The saved form of one folder text: length, characters, one zero byte.
std::string Folder(const std::string& text) {
  return Words({static_cast<int32_t>(text.size())}) + text + std::string(1, '\0');
}

std::vector<std::string> Listing(const std::string& folder) {
  std::vector<std::string> names;
  std::error_code error;
  for (const auto& entry : fs::directory_iterator(folder, error))
    names.push_back(entry.path().filename().string());
  std::sort(names.begin(), names.end());
  return names;
}

void SetModified(const std::string& path, time_t when) {
  timespec times[2] = {{when, 0}, {when, 0}};
  utimensat(AT_FDCWD, path.c_str(), times, 0);
}

class FileExchangeTest : public ::testing::Test {
 protected:
  void SetUp() override {
    in = station.Path("file_in_out/in/");
    out = station.Path("file_in_out/out/");
    elab = station.Path("file_in_out/elab/");
    cartellaFileIn = in;
    cartellaFileOut = out;
    cartellaFileElab = elab;
  }
  void TearDown() override {
    cartellaFileIn.clear();
    cartellaFileOut.clear();
    cartellaFileElab.clear();
  }

  // A dispatcher that counts its calls and answers reply.
  std::function<std::string()> Answer(const std::string& reply) {
    return [this, reply] {
      ++dispatches;
      return reply;
    };
  }

  std::string DataFile() const { return station.Path("Data/in_out_folder.dat"); }

  TempStation station;
  MessageBoxRecorder boxes;
  std::string in, out, elab;
  int dispatches = 0;
};

// ---- in_out_folder.dat ----

TEST_F(FileExchangeTest, SaveWritesExactBytes) {
  cartellaFileIn = "/srv/plc/in/";
  cartellaFileOut = "/srv/plc/uscita è/";
  cartellaFileElab = "";
  ASSERT_TRUE(SaveExchangeFolders(false));
  EXPECT_EQ(ReadFileBytes(DataFile()),
            Words({0, 12}) + "/srv/plc/in/" + std::string(1, '\0') + Words({19}) +
                "/srv/plc/uscita è/" + std::string(1, '\0') + Words({0}) + std::string(1, '\0'));
  EXPECT_EQ(station.EventLogText(), "");
  EXPECT_EQ(boxes.Count(), 0u);
}

TEST_F(FileExchangeTest, SaveReplacesWholeFileAndLogsChangeWhenAsked) {
  WriteFileBytes(DataFile(), std::string(400, 'x'));
  cartellaFileIn = "/a/";
  cartellaFileOut = "/b/";
  cartellaFileElab = "/c/";
  ASSERT_TRUE(SaveExchangeFolders(true));
  EXPECT_EQ(ReadFileBytes(DataFile()), Words({0}) + Folder("/a/") + Folder("/b/") + Folder("/c/"));
  EXPECT_EQ(station.EventLogText(),
            "Modificata impostazione cartelle per scambio dati con files:\r\n"
            "  Cartella file ingresso: /a/\r\n"
            "  Cartella file uscita: /b/\r\n"
            "  Cartella file elaborati: /c/\r\n");
  EXPECT_EQ(Listing(station.Path("Data")), std::vector<std::string>{"in_out_folder.dat"});
}

TEST_F(FileExchangeTest, SaveFailureIsIoc001) {
  struct Case {
    const char* name;
    bool removeData;
    size_t inLength;
  };
  const Case cases[] = {
      {"data folder missing", true, 10},
      {"folder text over 299 bytes could not be read back", false, 300},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    TempStation local;
    MessageBoxRecorder recorder;
    std::string old = Words({0}) + Folder("/x/") + Folder("/y/") + Folder("/z/");
    WriteFileBytes(local.Path("Data/in_out_folder.dat"), old);
    if (c.removeData) fs::remove_all(local.Path("Data"));
    cartellaFileIn = "/" + std::string(c.inLength - 2, 'a') + "/";
    cartellaFileOut = "/b/";
    cartellaFileElab = "/c/";
    EXPECT_FALSE(SaveExchangeFolders(true));
    EXPECT_EQ(local.ErrorLogText(), std::string(kIoc001) + "\r\n");
    EXPECT_EQ(local.EventLogText(), "");
    ASSERT_EQ(recorder.Count(), 1u);
    EXPECT_EQ(recorder.Boxes()[0].text, kIoc001);
    EXPECT_EQ(recorder.Boxes()[0].caption, "ERRORE");
    EXPECT_EQ(recorder.Boxes()[0].flags, 0x2010u);
    if (!c.removeData) {
      EXPECT_EQ(ReadFileBytes(local.Path("Data/in_out_folder.dat")), old);
    }
  }
}

TEST_F(FileExchangeTest, LoadReadsFoldersAndLogsThem) {
  std::string longest(299, 'L');
  WriteFileBytes(DataFile(),
                 Words({0}) + Folder("/dati/in gresso/") + Folder(longest) + Folder(""));
  EXPECT_TRUE(LoadExchangeFolders());
  EXPECT_EQ(cartellaFileIn, "/dati/in gresso/");
  EXPECT_EQ(cartellaFileOut, longest);
  EXPECT_EQ(cartellaFileElab, "");
  // The log cuts the long line.
  EXPECT_EQ(station.EventLogText(),
            "Cartelle per scambio dati con files:\r\n"
            "  Cartella file ingresso: /dati/in gresso/\r\n" +
                LogLineText("  Cartella file uscita: " + longest) +
                "\r\n  Cartella file elaborati: \r\n");
  EXPECT_EQ(station.ErrorLogText(), "");
  EXPECT_EQ(boxes.Count(), 0u);
}

TEST_F(FileExchangeTest, SaveThenLoadGivesTheSameFolders) {
  cartellaFileIn = station.Path("file_in_out/in/");
  cartellaFileOut = "/mnt/plc/uscita ò ü/";
  cartellaFileElab = std::string(299, 'e');
  ASSERT_TRUE(SaveExchangeFolders(false));
  std::string savedIn = cartellaFileIn, savedOut = cartellaFileOut, savedElab = cartellaFileElab;
  cartellaFileIn = cartellaFileOut = cartellaFileElab = "changed";
  ASSERT_TRUE(LoadExchangeFolders());
  EXPECT_EQ(cartellaFileIn, savedIn);
  EXPECT_EQ(cartellaFileOut, savedOut);
  EXPECT_EQ(cartellaFileElab, savedElab);
}

TEST_F(FileExchangeTest, MissingFileIsIoc002WithDefaults) {
  struct Case {
    const char* name;
    const char* folderOnDisk;  // how the installation spells file_in_out
  };
  const Case cases[] = {{"lower case", "file_in_out"}, {"other case", "File_In_Out"}};
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    TempStation local;
    MessageBoxRecorder recorder;
    if (std::string(c.folderOnDisk) != "file_in_out")
      fs::rename(local.Path("file_in_out"), local.Path(c.folderOnDisk));
    EXPECT_FALSE(LoadExchangeFolders());
    std::string base = local.Path(c.folderOnDisk);
    EXPECT_EQ(cartellaFileIn, base + "/in/");
    EXPECT_EQ(cartellaFileOut, base + "/out/");
    EXPECT_EQ(cartellaFileElab, base + "/elab/");
    EXPECT_EQ(local.ErrorLogText(), std::string(kIoc002) + "\r\n");
    EXPECT_EQ(local.EventLogText(), "");
    EXPECT_EQ(recorder.Count(), 0u);
    EXPECT_FALSE(fs::exists(local.Path("Data/in_out_folder.dat")));
  }
}

TEST_F(FileExchangeTest, UnreadableFileIsIoc003WithFoldersAsFarAsRead) {
  struct Case {
    const char* name;
    std::string bytes;
    std::string in, out, elab;
  };
  std::string good = Words({0}) + Folder("/i/") + Folder("/o/") + Folder("/e/");
  const Case cases[] = {
      {"empty file", "", "", "", ""},
      {"header only", Words({0}), "", "", ""},
      {"first text cut short", Words({0, 3}) + "/i", "", "", ""},
      {"zero byte of the last text missing", good.substr(0, good.size() - 1), "/i/", "/o/", ""},
      {"second length 300",
       Words({0}) + Folder("/i/") + Words({300}) + std::string(301, 'o') + Folder("/e/"), "/i/", "",
       ""},
      {"third length huge",
       Words({0}) + Folder("/i/") + Folder("/o/") + Words({0x7FFFFFFF}) + std::string(64, 'e'),
       "/i/", "/o/", ""},
      {"first length negative", Words({0, -1}) + std::string(64, 'i'), "", "", ""},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    TempStation local;
    MessageBoxRecorder recorder;
    WriteFileBytes(local.Path("Data/in_out_folder.dat"), c.bytes);
    cartellaFileIn = cartellaFileOut = cartellaFileElab = "before";
    EXPECT_FALSE(LoadExchangeFolders());
    EXPECT_EQ(cartellaFileIn, c.in);
    EXPECT_EQ(cartellaFileOut, c.out);
    EXPECT_EQ(cartellaFileElab, c.elab);
    EXPECT_EQ(local.ErrorLogText(), std::string(kIoc003) + "\r\n");
    EXPECT_EQ(local.EventLogText(), "");
    ASSERT_EQ(recorder.Count(), 1u);
    EXPECT_EQ(recorder.Boxes()[0].text, kIoc003);
    EXPECT_EQ(recorder.Boxes()[0].caption, "ERRORE");
    EXPECT_EQ(recorder.Boxes()[0].flags, 0x2010u);
  }
}

// ---- the channel ----

TEST_F(FileExchangeTest, RequestIsAnsweredAndMoved) {
  struct Case {
    const char* name;
    std::string reply;
    std::string content;
  };
  const Case cases[] = {
      {"failing test", "0", "qualsiasi contenuto"},
      {"zone passing", "1", ""},
      {"point passing", "1,120,45", std::string("\x00\xff\r\n binario", 12)},
      {"dimension passing", "1,10,20,30,40", "T\r\n"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    TempStation local;
    cartellaFileIn = local.Path("file_in_out/in/");
    cartellaFileOut = local.Path("file_in_out/out/");
    cartellaFileElab = local.Path("file_in_out/elab/");
    WriteFileBytes(cartellaFileIn + "A.txt", c.content);
    EXPECT_TRUE(PollFileExchangeWith(Answer(c.reply), kNoWait));
    EXPECT_EQ(ReadFileBytes(cartellaFileOut + "A.txt"), c.reply + "\r\n");
    EXPECT_EQ(Listing(cartellaFileIn), std::vector<std::string>{});
    EXPECT_EQ(ReadFileBytes(cartellaFileElab + "A.txt"), c.content);
    EXPECT_EQ(local.EventLogText(),
              "Trovato file ingresso A.txt\r\n"
              "Generato file uscita A.txt con contenuto: " +
                  c.reply + "\r\n");
    EXPECT_EQ(local.ErrorLogText(), "");
  }
}

TEST_F(FileExchangeTest, OlderReplyAndProcessedFilesAreReplaced) {
  WriteFileBytes(in + "A.txt", "nuova");
  WriteFileBytes(out + "A.txt", "1,999,999\r\nvecchia risposta lunga\r\n");
  WriteFileBytes(elab + "A.txt", "vecchia richiesta");
  EXPECT_TRUE(PollFileExchangeWith(Answer("1"), kNoWait));
  EXPECT_EQ(ReadFileBytes(out + "A.txt"), "1\r\n");
  EXPECT_EQ(ReadFileBytes(elab + "A.txt"), "nuova");
  EXPECT_FALSE(fs::exists(in + "A.txt"));
}

TEST_F(FileExchangeTest, NothingToDoWithoutRequestOrFolders) {
  struct Case {
    const char* name;
    std::string in, out, elab;
    const char* file;  // placed in the station's input folder
  };
  const Case cases[] = {
      {"empty input folder", in, out, elab, nullptr},
      {"hidden file is no request", in, out, elab, ".A.txt"},
      {"input folder text empty", "", out, elab, "A.txt"},
      {"output folder text empty", in, "", elab, "A.txt"},
      {"processed folder text empty", in, out, "", "A.txt"},
      {"input folder typed without separator", in.substr(0, in.size() - 1), out, elab, "A.txt"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    for (const std::string& name : Listing(in)) fs::remove(in + name);
    if (c.file != nullptr) WriteFileBytes(in + c.file, "x");
    cartellaFileIn = c.in;
    cartellaFileOut = c.out;
    cartellaFileElab = c.elab;
    dispatches = 0;
    EXPECT_FALSE(PollFileExchangeWith(Answer("1"), kNoWait));
    EXPECT_EQ(dispatches, 0);
    if (c.file != nullptr) {
      EXPECT_TRUE(fs::exists(in + c.file));
    }
    EXPECT_EQ(Listing(out), std::vector<std::string>{});
    EXPECT_EQ(Listing(elab), std::vector<std::string>{});
  }
  EXPECT_EQ(station.EventLogText(), "");
}

TEST_F(FileExchangeTest, FolderWithoutSeparatorIsAPlainPrefix) {
  // ".../file_in_out/in" lists ".../file_in_out/in*.*": "inbox.txt" there is listed, but
  // ".../file_in_out/ininbox.txt" does not exist, so nothing is answered.
  WriteFileBytes(station.Path("file_in_out/inbox.txt"), "x");
  WriteFileBytes(in + "A.txt", "x");
  cartellaFileIn = in.substr(0, in.size() - 1);
  EXPECT_FALSE(PollFileExchangeWith(Answer("1"), kNoWait));
  EXPECT_EQ(dispatches, 0);
  EXPECT_TRUE(fs::exists(station.Path("file_in_out/inbox.txt")));
  EXPECT_TRUE(fs::exists(in + "A.txt"));
}

TEST_F(FileExchangeTest, ThreeFilesAreAnsweredOnThreePollsInListingOrder) {
  for (const char* name : {"B.txt", "A.txt", "C.dat"}) WriteFileBytes(in + name, name);
  std::vector<std::string> order;
  ASSERT_EQ(ListFiles(in + "*.*", order, -1, false, 1000), 3);
  for (size_t poll = 0; poll < 3; ++poll) {
    SCOPED_TRACE(order[poll]);
    EXPECT_TRUE(PollFileExchangeWith(Answer("0"), kNoWait));
    EXPECT_EQ(Listing(elab).size(), poll + 1);
    EXPECT_EQ(ReadFileBytes(elab + order[poll]), order[poll]);
    EXPECT_EQ(ReadFileBytes(out + order[poll]), "0\r\n");
  }
  EXPECT_FALSE(PollFileExchangeWith(Answer("0"), kNoWait));
  EXPECT_EQ(dispatches, 3);
  std::string expected;
  for (const std::string& name : order)
    expected += "Trovato file ingresso " + name + "\r\nGenerato file uscita " + name +
                " con contenuto: 0\r\n";
  EXPECT_EQ(station.EventLogText(), expected);
}

TEST_F(FileExchangeTest, BurstOfAThousandRequestsLosesNothing) {
  for (int i = 0; i < 1000; ++i) WriteFileBytes(in + StrFormat("req%04d.txt", i), "x");
  int handled = 0;
  while (handled < 1001 && PollFileExchangeWith(Answer("1"), kNoWait)) ++handled;
  EXPECT_EQ(handled, 1000);
  EXPECT_EQ(dispatches, 1000);
  EXPECT_EQ(Listing(in).size(), 0u);
  EXPECT_EQ(Listing(out).size(), 1000u);
  EXPECT_EQ(Listing(elab).size(), 1000u);
  EXPECT_EQ(ReadFileBytes(out + "req0999.txt"), "1\r\n");
}

TEST_F(FileExchangeTest, NamesWithSpacesAndAccentsAreAnswered) {
  const std::string name = "richiesta n° 1 è pronta.txt";
  WriteFileBytes(in + name, "x");
  EXPECT_TRUE(PollFileExchangeWith(Answer("1,3,4"), kNoWait));
  EXPECT_EQ(ReadFileBytes(out + name), "1,3,4\r\n");
  EXPECT_EQ(ReadFileBytes(elab + name), "x");
  EXPECT_EQ(station.EventLogText(), "Trovato file ingresso " + name + "\r\nGenerato file uscita " +
                                        name + " con contenuto: 1,3,4\r\n");
}

TEST_F(FileExchangeTest, OutputFolderMissingLogsNoReplyLineAndConsumesRequest) {
  fs::remove_all(out);
  WriteFileBytes(in + "A.txt", "richiesta");
  EXPECT_TRUE(PollFileExchangeWith(Answer("1"), kNoWait));
  EXPECT_EQ(station.EventLogText(), "Trovato file ingresso A.txt\r\n");
  std::string errors = station.ErrorLogText();
  EXPECT_EQ(
      errors.rfind("FRW001: errore nell'apertura in scrittura del file: " + out + "A.txt. ", 0), 0u)
      << errors;
  EXPECT_NE(errors.find(" - tentativo 1/1\r\n"), std::string::npos) << errors;
  ASSERT_EQ(boxes.Count(), 1u);
  EXPECT_EQ(boxes.Boxes()[0].text + "\r\n", errors);
  EXPECT_EQ(boxes.Boxes()[0].caption, "ERRORE");
  EXPECT_FALSE(fs::exists(in + "A.txt"));
  EXPECT_EQ(ReadFileBytes(elab + "A.txt"), "richiesta");
}

TEST_F(FileExchangeTest, ProcessedFolderMissingKeepsRequestForNextPoll) {
  fs::remove_all(elab);
  WriteFileBytes(in + "A.txt", "richiesta");
  EXPECT_TRUE(PollFileExchangeWith(Answer("0"), kNoWait));
  EXPECT_EQ(ReadFileBytes(out + "A.txt"), "0\r\n");
  EXPECT_EQ(ReadFileBytes(in + "A.txt"), "richiesta");
  // Handled again, the reply rewritten, until the move succeeds.
  EXPECT_TRUE(PollFileExchangeWith(Answer("1"), kNoWait));
  EXPECT_EQ(ReadFileBytes(out + "A.txt"), "1\r\n");
  fs::create_directory(elab);
  EXPECT_TRUE(PollFileExchangeWith(Answer("1"), kNoWait));
  EXPECT_FALSE(fs::exists(in + "A.txt"));
  EXPECT_EQ(ReadFileBytes(elab + "A.txt"), "richiesta");
  EXPECT_EQ(dispatches, 3);
  EXPECT_EQ(station.ErrorLogText(), "");
}

TEST_F(FileExchangeTest, RequestVanishingDuringTheTestIsStillAnswered) {
  WriteFileBytes(in + "A.txt", "x");
  auto vanish = [this] {
    ++dispatches;
    fs::remove(in + "A.txt");
    return std::string("1");
  };
  EXPECT_TRUE(PollFileExchangeWith(vanish, kNoWait));
  EXPECT_EQ(ReadFileBytes(out + "A.txt"), "1\r\n");
  EXPECT_EQ(Listing(elab), std::vector<std::string>{});
  EXPECT_FALSE(PollFileExchangeWith(vanish, kNoWait));
  EXPECT_EQ(dispatches, 1);
}

TEST_F(FileExchangeTest, RequestWhosePathsExceed299BytesIsMovedUnanswered) {
  // An output folder of 290 bytes: "A.txt" still fits, a 10-character name does not.
  std::string longOut = station.Path("lungo");
  while (longOut.size() < 290 - 51) longOut += "/" + std::string(50, 'd');
  longOut += "/" + std::string(288 - longOut.size(), 'd') + "/";
  ASSERT_EQ(longOut.size(), 290u);
  fs::create_directories(longOut);
  cartellaFileOut = longOut;
  struct Case {
    const char* name;
    std::string request;
    bool answered;
  };
  const Case cases[] = {
      {"295 bytes fit", "A.txt", true},
      {"299 bytes fit", "ABCDEFGHI", true},
      {"300 bytes do not", "ABCDEFGHIJ", false},
      {"name of 250 bytes", std::string(246, 'n') + ".txt", false},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    dispatches = 0;
    WriteFileBytes(in + c.request, "x");
    EXPECT_TRUE(PollFileExchangeWith(Answer("1"), kNoWait));
    EXPECT_EQ(dispatches, c.answered ? 1 : 0);
    EXPECT_EQ(fs::exists(longOut + c.request), c.answered);
    EXPECT_FALSE(fs::exists(in + c.request));
    EXPECT_EQ(ReadFileBytes(elab + c.request), "x");
  }
  std::string events = station.EventLogText();
  EXPECT_NE(events.find("Trovato file ingresso ABCDEFGHIJ\r\n"), std::string::npos);
  EXPECT_EQ(events.find("Generato file uscita ABCDEFGHIJ"), std::string::npos);
  EXPECT_NE(events.find("Generato file uscita ABCDEFGHI con contenuto: 1\r\n"), std::string::npos);
}

TEST_F(FileExchangeTest, OpenEmptiesInputFolderButKeepsFilesDatedLater) {
  WriteFileBytes(in + "today.txt", "x");
  WriteFileBytes(in + "old.txt", "x");
  SetModified(in + "old.txt", time(nullptr) - 3 * 86400);
  WriteFileBytes(in + "future.txt", "domani");
  SetModified(in + "future.txt", time(nullptr) + 3 * 86400);
  EXPECT_TRUE(OpenFileExchange());
  EXPECT_EQ(Listing(in), std::vector<std::string>{"future.txt"});
  EXPECT_EQ(Listing(out), std::vector<std::string>{});
  // The survivor is then answered like any request.
  EXPECT_TRUE(PollFileExchangeWith(Answer("0"), kNoWait));
  EXPECT_EQ(ReadFileBytes(out + "future.txt"), "0\r\n");
  EXPECT_EQ(ReadFileBytes(elab + "future.txt"), "domani");
}

TEST_F(FileExchangeTest, OpenWithEmptyInputFolderDeletesNothing) {
  WriteFileBytes(in + "A.txt", "x");
  cartellaFileIn.clear();
  EXPECT_FALSE(OpenFileExchange());
  EXPECT_TRUE(fs::exists(in + "A.txt"));
  EXPECT_TRUE(CloseFileExchange());
}

TEST_F(FileExchangeTest, PollWithoutTestWindowAnswersZero) {
  WriteFileBytes(in + "A.txt", "");
  EXPECT_TRUE(PollFileExchange());
  EXPECT_EQ(ReadFileBytes(out + "A.txt"), "0\r\n");
  EXPECT_EQ(ReadFileBytes(elab + "A.txt"), "");
}

}  // namespace
