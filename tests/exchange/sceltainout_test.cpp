#include "exchange/sceltainout.h"

#include <QPushButton>
#include <QRadioButton>
#include <QTimer>
#include <filesystem>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "exchange/cartellainoutform.h"
#include "exchange/rs232form.h"
#include "exchange/tcpipinoutform.h"
#include "platform/formcontrols.h"
#include "support/message_box_recorder.h"
#include "support/temp_station.h"

namespace fs = std::filesystem;

namespace {

const char kIo001[] = "IO001: errore nella lettura del file del metodo in-out.";
const char kIo002[] = "IO002: errore nella scrittura del file del metodo in-out.";
const char kIo003[] = "IO003: file del metodo in-out non trovato.";
const char kRestart[] = "Verrà riavviato l'applicativo affinchè le modifiche abbiano effetto.";

TEST(ExchangeMethodWordTest, WordPerMethod) {
  struct Case {
    int32_t metodo;
    const char* word;
  };
  const Case cases[] = {
      {0, "nessuno"}, {1, "scambio files"}, {2, "seriale RS232"}, {3, "Ethernet TCP/IP"}, {4, "-"},
      {-1, "-"}};
  for (const Case& c : cases) {
    SCOPED_TRACE(c.metodo);
    EXPECT_EQ(ExchangeMethodWord(c.metodo), c.word);
  }
}

TEST(MetodoInOutTest, PathIsInDataFolder) {
  TempStation station;
  fs::rename(station.Path("Data"), station.Path("data"));
  MetodoInOut method;
  EXPECT_EQ(method.path, station.Path("data/MetodoInOut.dat"));
  EXPECT_EQ(method.metodo, 0);
  EXPECT_FALSE(fs::exists(method.path));
}

TEST(MetodoInOutTest, Load) {
  struct Case {
    const char* name;
    bool present;
    std::string bytes;
    int32_t metodo;
    std::string errors;
    std::string events;
    bool box;
  };
  const std::string selected = "Impostazione metodo in-out selezionato: ";
  const std::string io001 = std::string(kIo001) + "\r\n";
  const Case cases[] = {
      {"missing file", false, "", 0, std::string(kIo003) + "\r\n", "", false},
      {"none", true, Words({0, 0}), 0, "", selected + "nessuno\r\n", false},
      {"files", true, Words({0, 1}), 1, "", selected + "scambio files\r\n", false},
      {"serial", true, Words({0, 2}), 2, "", selected + "seriale RS232\r\n", false},
      {"TCP/IP, first word ignored", true, Words({55, 3}), 3, "", selected + "Ethernet TCP/IP\r\n",
       false},
      {"out of range", true, Words({0, 7}), 7, "", selected + "-\r\n", false},
      {"longer file", true, Words({0, 2, 9}), 2, "", selected + "seriale RS232\r\n", false},
      {"six bytes keep what was read", true, Words({0}) + std::string("\x02\x00", 2), 2, io001,
       selected + "seriale RS232\r\n", true},
      {"four bytes", true, Words({0}), 0, io001, selected + "nessuno\r\n", true},
      {"empty file", true, "", 0, io001, selected + "nessuno\r\n", true},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    TempStation station;
    MessageBoxRecorder boxes;
    MetodoInOut method;
    method.metodo = 9;
    if (c.present) WriteFileBytes(method.path, c.bytes);
    method.Load();
    EXPECT_EQ(method.metodo, c.metodo);
    EXPECT_EQ(station.ErrorLogText(), c.errors);
    EXPECT_EQ(station.EventLogText(), c.events);
    ASSERT_EQ(boxes.Count(), c.box ? 1u : 0u);
    if (c.box) {
      EXPECT_EQ(boxes.Boxes()[0].text,
                "IO001: errore nella lettura del file del metodo in-out. Reimpostare i valori.");
      EXPECT_EQ(boxes.Boxes()[0].caption, "ERRORE");
      EXPECT_EQ(boxes.Boxes()[0].flags, 0x2010u);
    }
    if (!c.present) {
      EXPECT_FALSE(fs::exists(method.path));
    }
  }
}

TEST(MetodoInOutTest, SaveWritesEightBytes) {
  struct Case {
    int32_t metodo;
    std::string bytes;
    const char* word;
  };
  const Case cases[] = {
      {3, std::string("\x00\x00\x00\x00\x03\x00\x00\x00", 8), "Ethernet TCP/IP"},
      {1, std::string("\x00\x00\x00\x00\x01\x00\x00\x00", 8), "scambio files"},
      {-2, std::string("\x00\x00\x00\x00\xfe\xff\xff\xff", 8), "-"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.metodo);
    TempStation station;
    MessageBoxRecorder boxes;
    MetodoInOut method;
    WriteFileBytes(method.path, std::string(20, 'x'));  // replaced whole, not overwritten
    method.metodo = c.metodo;
    EXPECT_TRUE(method.Save());
    EXPECT_EQ(ReadFileBytes(method.path), c.bytes);
    EXPECT_EQ(
        station.EventLogText(),
        std::string("Modificata impostazione metodo in-out, nuovo metodo: ") + c.word + "\r\n");
    EXPECT_EQ(station.ErrorLogText(), "");
    EXPECT_EQ(boxes.Count(), 0u);
    std::vector<std::string> data;
    for (const auto& entry : fs::directory_iterator(station.Path("Data")))
      data.push_back(entry.path().filename().string());
    EXPECT_EQ(data, std::vector<std::string>{"MetodoInOut.dat"});
  }
}

TEST(MetodoInOutTest, SaveFailureIsIo002) {
  struct Case {
    const char* name;
    bool removeData;
  };
  const Case cases[] = {{"data folder missing", true}, {"a folder in the file's place", false}};
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    TempStation station;
    MessageBoxRecorder boxes;
    MetodoInOut method;
    if (c.removeData)
      fs::remove_all(station.Path("Data"));
    else
      fs::create_directory(method.path);
    method.metodo = 2;
    EXPECT_FALSE(method.Save());
    EXPECT_EQ(station.ErrorLogText(), std::string(kIo002) + "\r\n");
    EXPECT_EQ(station.EventLogText(), "");
    ASSERT_EQ(boxes.Count(), 1u);
    EXPECT_EQ(boxes.Boxes()[0].text, kIo002);
    EXPECT_EQ(boxes.Boxes()[0].caption, "ERRORE");
    EXPECT_EQ(boxes.Boxes()[0].flags, 0x2010u);
    if (!c.removeData) {
      EXPECT_TRUE(fs::is_directory(method.path));
    }
  }
}

// ---- the window ----

class SceltaInOutFormTest : public ::testing::Test {
 protected:
  void SetUp() override {
    savedMethod = exchangeMethod;
    exchangeMethod = &method;
    savedQuit = requestQuitWithoutShutdown;
    requestQuitWithoutShutdown = [this] {
      ++quits;
      boxesAtQuit = boxes.Count();
    };
  }
  void TearDown() override {
    exchangeMethod = savedMethod;
    requestQuitWithoutShutdown = savedQuit;
  }

  template <typename T>
  T* Find(TSceltaInOutForm& form, const char* name) {
    T* child = form.findChild<T*>(name);
    EXPECT_NE(child, nullptr) << name;
    return child;
  }

  TempStation station;
  MessageBoxRecorder boxes;
  MetodoInOut method;
  MetodoInOut* savedMethod = nullptr;
  std::function<void()> savedQuit;
  int quits = 0;
  size_t boxesAtQuit = 0;
};

const char* const kRadios[] = {"NoneRB", "FilesRB", "RS232RB", "TCPIP_RB"};
const char* const kButtons[] = {"InOutFileFoldersBtn", "InOutRS232Btn", "InOut_TCPIP_Btn"};

TEST_F(SceltaInOutFormTest, LayoutAndCaptions) {
  TSceltaInOutForm form(nullptr);
  EXPECT_EQ(form.windowTitle().toStdString(), "SCELTA IN-OUT");
  EXPECT_EQ(form.size(), QSize(505, 334));
  EXPECT_TRUE(form.font().bold());
  EXPECT_FALSE(form.windowFlags() & Qt::WindowCloseButtonHint);
  struct Case {
    const char* name;
    const char* caption;
  };
  const Case cases[] = {
      {"NoneRB", "Nessuna comunicazione"},
      {"FilesRB", "Tramite files"},
      {"RS232RB", "Tramite seriale RS232"},
      {"TCPIP_RB", "Tramite TCP/IP (Ethernet)"},
      {"InOutFileFoldersBtn", "Cartelle files in-out"},
      {"InOutRS232Btn", "Parametri RS232"},
      {"InOut_TCPIP_Btn", "Parametri TCP/IP"},
      {"ExitButton", "   Ok"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    auto* control = Find<QAbstractButton>(form, c.name);
    ASSERT_NE(control, nullptr);
    EXPECT_EQ(control->text().toStdString(), c.caption);
    EXPECT_TRUE(form.rect().contains(control->geometry()));
  }
  // Each parameter button stands to the right of its radio button.
  for (int i = 0; i < 3; ++i) {
    QRect radio = Find<QRadioButton>(form, kRadios[i + 1])->geometry();
    QRect button = Find<QPushButton>(form, kButtons[i])->geometry();
    EXPECT_GE(button.left(), radio.right());
    EXPECT_TRUE(button.top() <= radio.center().y() && radio.center().y() <= button.bottom());
  }
}

TEST(ExchangeWindows, UseTheStationsBoldFontAndPictureButtons) {
  struct Case {
    const char* name;
    std::function<std::unique_ptr<QDialog>()> make;
  };
  const Case cases[] = {
      {"method", [] { return std::make_unique<TSceltaInOutForm>(nullptr); }},
      {"folders", [] { return std::make_unique<TCartellaInOut>(nullptr); }},
      {"serial", [] { return std::make_unique<TRS232_Form>(nullptr); }},
      {"TCP/IP", [] { return std::make_unique<TTCPIP_InOutForm>(nullptr); }},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    std::unique_ptr<QDialog> window = c.make();
    EXPECT_EQ(window->font(), StationFont(true));
    for (QPushButton* button : window->findChildren<QPushButton*>()) {
      SCOPED_TRACE(button->objectName().toStdString());
      EXPECT_FALSE(button->icon().isNull());
      EXPECT_FALSE(button->autoDefault());
    }
  }
}

TEST_F(SceltaInOutFormTest, FormShowChecksTheMethodAndEnablesItsButton) {
  struct Case {
    int32_t metodo;
    int checked;  // index into kRadios, -1 for none
  };
  const Case cases[] = {{0, 0}, {1, 1}, {2, 2}, {3, 3}, {7, -1}, {-1, -1}};
  for (const Case& c : cases) {
    SCOPED_TRACE(c.metodo);
    method.metodo = c.metodo;
    TSceltaInOutForm form(nullptr);
    form.show();
    for (int i = 0; i < 4; ++i)
      EXPECT_EQ(Find<QRadioButton>(form, kRadios[i])->isChecked(), i == c.checked) << kRadios[i];
    for (int i = 0; i < 3; ++i)
      EXPECT_EQ(Find<QPushButton>(form, kButtons[i])->isEnabled(), i + 1 == c.checked)
          << kButtons[i];
    form.hide();
  }
}

TEST_F(SceltaInOutFormTest, RadioClickAppliesEnablingRuleAtOnce) {
  method.metodo = 3;
  TSceltaInOutForm form(nullptr);
  form.show();
  struct Case {
    int click;
  };
  const Case cases[] = {{1}, {2}, {0}, {3}, {1}};
  for (const Case& c : cases) {
    SCOPED_TRACE(kRadios[c.click]);
    Find<QRadioButton>(form, kRadios[c.click])->click();
    for (int i = 0; i < 4; ++i)
      EXPECT_EQ(Find<QRadioButton>(form, kRadios[i])->isChecked(), i == c.click) << kRadios[i];
    for (int i = 0; i < 3; ++i)
      EXPECT_EQ(Find<QPushButton>(form, kButtons[i])->isEnabled(), i + 1 == c.click) << kButtons[i];
  }
  EXPECT_EQ(method.metodo, 3);  // nothing is stored before Ok
}

TEST_F(SceltaInOutFormTest, OkWithoutChangeClosesAndWritesNothing) {
  struct Case {
    int32_t metodo;
  };
  const Case cases[] = {{0}, {1}, {2}, {3}};
  for (const Case& c : cases) {
    SCOPED_TRACE(c.metodo);
    method.metodo = c.metodo;
    TSceltaInOutForm form(nullptr);
    form.show();
    Find<QPushButton>(form, "ExitButton")->click();
    EXPECT_FALSE(form.isVisible());
    EXPECT_EQ(form.result(), QDialog::Accepted);
  }
  EXPECT_FALSE(fs::exists(method.path));
  EXPECT_EQ(station.EventLogText(), "");
  EXPECT_EQ(station.ErrorLogText(), "");
  EXPECT_EQ(boxes.Count(), 0u);
  EXPECT_EQ(quits, 0);
}

TEST_F(SceltaInOutFormTest, OkAfterChangeSavesWarnsAndQuits) {
  struct Case {
    const char* name;
    int32_t before;
    int click;  // index into kRadios, -1 for none
    int32_t after;
    std::string bytes;
    const char* word;
  };
  const Case cases[] = {
      {"files to TCP/IP", 1, 3, 3, std::string("\x00\x00\x00\x00\x03\x00\x00\x00", 8),
       "Ethernet TCP/IP"},
      {"none to serial", 0, 2, 2, std::string("\x00\x00\x00\x00\x02\x00\x00\x00", 8),
       "seriale RS232"},
      {"unknown method becomes none", 7, -1, 0, std::string(8, '\0'), "nessuno"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    TempStation local;
    MessageBoxRecorder recorder;
    MetodoInOut fresh;
    exchangeMethod = &fresh;
    fresh.metodo = c.before;
    quits = 0;
    requestQuitWithoutShutdown = [&] {
      ++quits;
      boxesAtQuit = recorder.Count();
    };
    TSceltaInOutForm form(nullptr);
    form.show();
    if (c.click >= 0) Find<QRadioButton>(form, kRadios[c.click])->click();
    Find<QPushButton>(form, "ExitButton")->click();
    EXPECT_EQ(fresh.metodo, c.after);
    EXPECT_EQ(ReadFileBytes(fresh.path), c.bytes);
    EXPECT_EQ(
        local.EventLogText(),
        std::string("Modificata impostazione metodo in-out, nuovo metodo: ") + c.word + "\r\n");
    ASSERT_EQ(recorder.Count(), 1u);
    EXPECT_EQ(recorder.Boxes()[0].text, kRestart);
    EXPECT_EQ(recorder.Boxes()[0].caption, "AVVISO");
    EXPECT_EQ(recorder.Boxes()[0].flags, 0x2030u);
    EXPECT_EQ(quits, 1);
    EXPECT_EQ(boxesAtQuit, 1u);  // the quit comes after the box is closed
    EXPECT_FALSE(form.isVisible());
  }
}

TEST_F(SceltaInOutFormTest, SaveFailureStillWarnsAndQuits) {
  fs::remove_all(station.Path("Data"));
  method.metodo = 1;
  TSceltaInOutForm form(nullptr);
  form.show();
  Find<QRadioButton>(form, "NoneRB")->click();
  Find<QPushButton>(form, "ExitButton")->click();
  EXPECT_EQ(method.metodo, 0);
  EXPECT_EQ(station.ErrorLogText(), std::string(kIo002) + "\r\n");
  EXPECT_EQ(station.EventLogText(), "");
  ASSERT_EQ(boxes.Count(), 2u);
  EXPECT_EQ(boxes.Boxes()[0].text, kIo002);
  EXPECT_EQ(boxes.Boxes()[1].text, kRestart);
  EXPECT_EQ(quits, 1);
}

TEST_F(SceltaInOutFormTest, FoldersButtonOpensOwnedFoldersWindow) {
  method.metodo = 1;
  TSceltaInOutForm form(nullptr);
  form.show();
  QWidget* seenOwner = nullptr;
  bool seenModal = false;
  QTimer::singleShot(0, [&] {
    ASSERT_NE(CartellaInOut, nullptr);
    seenOwner = CartellaInOut->parentWidget();
    seenModal = CartellaInOut->isModal() && CartellaInOut->isVisible();
    CartellaInOut->findChild<QPushButton*>("ExitButton")->click();
  });
  Find<QPushButton>(form, "InOutFileFoldersBtn")->click();
  EXPECT_EQ(seenOwner, &form);
  EXPECT_TRUE(seenModal);
  EXPECT_EQ(CartellaInOut, nullptr);
  EXPECT_TRUE(form.isVisible());
  EXPECT_EQ(quits, 0);
}

}  // namespace
