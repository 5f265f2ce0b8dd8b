#include "shell/avvioautomatico.h"

#include <QPushButton>
#include <QRadioButton>
#include <filesystem>
#include <memory>

#include <gtest/gtest.h>

#include "shell/avvioautoform.h"
#include "support/message_box_recorder.h"
#include "support/temp_station.h"

namespace {

constexpr const char* kReadErrorLine =
    "AP001: errore nella lettura del file di avvio automatico.\r\n";

class AvvioProgTest : public ::testing::Test {
 protected:
  std::string FilePath() const { return station.Path("Data/AvvioProg.dat"); }

  TempStation station;
  MessageBoxRecorder boxes;
};

struct LoadCase {
  const char* name;
  bool present;
  std::string bytes;
  int32_t startWindow;
  const char* eventLog;
  const char* errorLog;
};

TEST_F(AvvioProgTest, LoadReadsTheSecondWord) {
  const LoadCase cases[] = {
      {"missing", false, "", 0, "", "AP003: file di avvio automatico non trovato.\r\n"},
      {"none", true, Words({0, 0}), 0,
       "Apertura form in avvio automatico: nessun form da aprire\r\n", ""},
      {"whole image", true, Words({0, 5}), 5,
       "Apertura form in avvio automatico: form test per immagine\r\n", ""},
      {"out of range", true, Words({0, 9}), 9,
       "Apertura form in avvio automatico: nessun form da aprire\r\n", ""},
      {"first word ignored", true, Words({77, 2}), 2,
       "Apertura form in avvio automatico: form test per zona\r\n", ""},
      {"truncated keeps the bytes it has", true, std::string("\0\0\0\0\3\0", 6), 3,
       "Apertura form in avvio automatico: form test per linea verticale\r\n", ""},
      {"only the ignored word", true, Words({0}), 0,
       "Apertura form in avvio automatico: nessun form da aprire\r\n", ""},
      {"empty", true, "", 0, "Apertura form in avvio automatico: nessun form da aprire\r\n", ""},
      {"oversized reads the first eight bytes", true, Words({0, 6, 4, 4}), 6,
       "Apertura form in avvio automatico: form test per dimensioni\r\n", ""},
  };
  for (const LoadCase& c : cases) {
    SCOPED_TRACE(c.name);
    TempStation fresh;
    MessageBoxRecorder recorder;
    const std::string path = fresh.Path("Data/AvvioProg.dat");
    if (c.present) WriteFileBytes(path, c.bytes);
    AvvioProg setting;
    EXPECT_EQ(setting.path, path);
    setting.Load();
    EXPECT_EQ(setting.startWindow, c.startWindow);
    EXPECT_FALSE(setting.autoOpening);
    EXPECT_EQ(fresh.EventLogText(), c.eventLog);
    EXPECT_EQ(fresh.ErrorLogText(), c.errorLog);
    EXPECT_EQ(recorder.Count(), 0u);
    EXPECT_EQ(std::filesystem::exists(path), c.present);
  }
}

TEST_F(AvvioProgTest, UnreadableFileIsReportedAndKeepsTheValue) {
  std::filesystem::create_directory(FilePath());
  AvvioProg setting;
  setting.startWindow = 4;
  setting.Load();
  EXPECT_EQ(setting.startWindow, 4);
  EXPECT_EQ(station.ErrorLogText(), kReadErrorLine);
  EXPECT_EQ(station.EventLogText(),
            "Apertura form in avvio automatico: form test per linea orizzontale\r\n");
  ASSERT_EQ(boxes.Count(), 1u);
  EXPECT_EQ(boxes.Boxes()[0].text,
            "AP001: errore nella lettura del file di avvio automatico. Reimpostare i valori.");
  EXPECT_EQ(boxes.Boxes()[0].caption, "ERRORE");
  EXPECT_EQ(boxes.Boxes()[0].flags, kMbError);
}

TEST_F(AvvioProgTest, SaveWritesEightBytesAndLogsTheChoice) {
  const struct {
    int32_t startWindow;
    std::string bytes;
    const char* description;
  } cases[] = {
      {0, std::string("\0\0\0\0\0\0\0\0", 8), "nessun form da aprire"},
      {1, std::string("\0\0\0\0\1\0\0\0", 8), "form test per punto"},
      {6, std::string("\0\0\0\0\6\0\0\0", 8), "form test per dimensioni"},
      {-2, std::string("\0\0\0\0\xFE\xFF\xFF\xFF", 8), "nessun form da aprire"},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.startWindow);
    TempStation fresh;
    WriteFileBytes(fresh.Path("Data/AvvioProg.dat"), Words({0, 3, 3, 3}));
    AvvioProg setting;
    setting.startWindow = c.startWindow;
    EXPECT_TRUE(setting.Save());
    EXPECT_EQ(ReadFileBytes(fresh.Path("Data/AvvioProg.dat")), c.bytes);
    EXPECT_EQ(fresh.EventLogText(),
              std::string("Modificata impostazione apertura form in avvio automatico, nuova "
                          "impostazione: ") +
                  c.description + "\r\n");
    EXPECT_FALSE(std::filesystem::exists(fresh.Path("Data/AvvioProg.dat.tmp")));
  }
}

TEST_F(AvvioProgTest, FailedSaveIsReportedAndLogsNoChange) {
  std::filesystem::remove_all(station.Path("Data"));
  AvvioProg setting;
  setting.startWindow = 2;
  EXPECT_FALSE(setting.Save());
  EXPECT_EQ(station.ErrorLogText(),
            "AP002: errore nella scrittura del file di avvio automatico.\r\n");
  EXPECT_EQ(station.EventLogText(), "");
  ASSERT_EQ(boxes.Count(), 1u);
  EXPECT_EQ(boxes.Boxes()[0].text, "AP002: errore nella scrittura del file di avvio automatico.");
  EXPECT_EQ(boxes.Boxes()[0].caption, "ERRORE");
  EXPECT_EQ(boxes.Boxes()[0].flags, kMbError);
}

// The window over the global setting.
class AvvioAutoFormTest : public AvvioProgTest {
 protected:
  void SetUp() override {
    autoStart = new AvvioProg();
    form = std::make_unique<TAvvioAutoForm>(nullptr);
  }
  void TearDown() override {
    form.reset();
    delete autoStart;
    autoStart = nullptr;
  }
  QRadioButton* Radio(const char* name) { return form->findChild<QRadioButton*>(name); }

  std::unique_ptr<TAvvioAutoForm> form;
};

TEST_F(AvvioAutoFormTest, ShowChecksTheRadioButtonOfTheSetting) {
  const struct {
    int32_t startWindow;
    const char* checked;
  } cases[] = {{0, "NoOpRB"}, {1, "PuntoRB"}, {2, "ZonaRB"}, {3, "LineaVertRB"}, {4, "LineaOriRB"},
               {5, "ImgRB"},  {6, "DimRB"},   {9, "NoOpRB"}, {-1, "NoOpRB"}};
  for (const auto& c : cases) {
    SCOPED_TRACE(c.startWindow);
    TAvvioAutoForm window(nullptr);
    autoStart->startWindow = c.startWindow;
    window.show();
    for (const char* name :
         {"NoOpRB", "PuntoRB", "ZonaRB", "LineaVertRB", "LineaOriRB", "ImgRB", "DimRB"})
      EXPECT_EQ(window.findChild<QRadioButton*>(name)->isChecked(), std::string(name) == c.checked)
          << name;
    window.ExitButtonClick();
  }
}

TEST_F(AvvioAutoFormTest, OkSavesTheCheckedChoice) {
  form->show();
  Radio("DimRB")->click();
  form->findChild<QPushButton*>("ExitButton")->click();
  EXPECT_EQ(ReadFileBytes(FilePath()), std::string("\0\0\0\0\6\0\0\0", 8));
  EXPECT_EQ(autoStart->startWindow, 6);
  EXPECT_FALSE(form->isVisible());
}

TEST_F(AvvioAutoFormTest, OkWithoutChangeRewritesTheFileAndLogsAgain) {
  WriteFileBytes(FilePath(), Words({0, 3}));
  autoStart->Load();
  form->show();
  form->ExitButtonClick();
  EXPECT_EQ(ReadFileBytes(FilePath()), Words({0, 3}));
  EXPECT_EQ(station.EventLogText(),
            "Apertura form in avvio automatico: form test per linea verticale\r\n"
            "Modificata impostazione apertura form in avvio automatico, nuova impostazione: form "
            "test per linea verticale\r\n");
}

TEST_F(AvvioAutoFormTest, LayoutAndCaptions) {
  EXPECT_EQ(form->windowTitle(), "AVVIO AUTOMATICO");
  EXPECT_EQ(form->size(), QSize(484, 339));
  const struct {
    const char* name;
    int top;
    const char* caption;
  } radios[] = {
      {"NoOpRB", 20, "Nessuna operazione all'avvio del programma"},
      {"PuntoRB", 50, "Seleziona riconoscimento per punto all'avvio programma"},
      {"ZonaRB", 80, "Seleziona riconoscimento per zona all'avvio programma"},
      {"LineaVertRB", 111, "Seleziona riconoscimento per linea verticale all'avvio programma"},
      {"LineaOriRB", 141, "Seleziona riconoscimento per linea orizzontale all'avvio programma"},
      {"ImgRB", 171, "Seleziona riconoscimento per immagine all'avvio programma"},
      {"DimRB", 202, "Seleziona riconoscimento per dimensioni all'avvio programma"},
  };
  for (const auto& r : radios) {
    SCOPED_TRACE(r.name);
    QRadioButton* radio = Radio(r.name);
    ASSERT_NE(radio, nullptr);
    EXPECT_EQ(radio->pos(), QPoint(22, r.top));
    EXPECT_EQ(radio->text().toStdString(), r.caption);
  }
  auto* ok = form->findChild<QPushButton*>("ExitButton");
  EXPECT_EQ(ok->text(), " OK");
  EXPECT_EQ(ok->geometry(), QRect(140, 258, 203, 58));
}

}  // namespace
