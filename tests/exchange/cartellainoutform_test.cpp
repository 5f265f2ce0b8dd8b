#include "exchange/cartellainoutform.h"

#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <algorithm>
#include <deque>
#include <filesystem>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "exchange/fileinout.h"
#include "foundation/selecdir.h"
#include "support/message_box_recorder.h"
#include "support/temp_station.h"

namespace fs = std::filesystem;

namespace {

const char kConfirm[] =
    "La cartella dei file di ingresso non è vuota. I file verranno cancellati. Si vuole "
    "continuare?";

// Answers folder choices from a script (empty = cancelled) and records how it was asked.
class ScriptedDialogs : public DialogBackend {
 public:
  ScriptedDialogs() { SetDialogBackend(this); }
  ~ScriptedDialogs() override { SetDialogBackend(nullptr); }

  std::string ChooseFolder(const std::string& startFolder, const std::string& caption) override {
    starts.push_back(startFolder);
    captions.push_back(caption);
    if (answers.empty()) return std::string();
    std::string answer = answers.front();
    answers.pop_front();
    return answer;
  }
  std::string ChooseSaveFile(const std::string&, const std::string&, const std::string&) override {
    return std::string();
  }

  std::deque<std::string> answers;
  std::vector<std::string> starts;
  std::vector<std::string> captions;
};

std::string Folder(const std::string& text) {
  return Words({static_cast<int32_t>(text.size())}) + text + std::string(1, '\0');
}

class CartellaInOutTest : public ::testing::Test {
 protected:
  void SetUp() override {
    cartellaFileIn = station.Path("file_in_out/in/");
    cartellaFileOut = station.Path("file_in_out/out/");
    cartellaFileElab = station.Path("file_in_out/elab/");
  }
  void TearDown() override {
    cartellaFileIn.clear();
    cartellaFileOut.clear();
    cartellaFileElab.clear();
  }

  QLineEdit* Edit(TCartellaInOut& form, const char* name) {
    auto* edit = form.findChild<QLineEdit*>(name);
    EXPECT_NE(edit, nullptr) << name;
    return edit;
  }
  QPushButton* Button(TCartellaInOut& form, const char* name) {
    auto* button = form.findChild<QPushButton*>(name);
    EXPECT_NE(button, nullptr) << name;
    return button;
  }
  std::string Text(TCartellaInOut& form, const char* name) {
    return Edit(form, name)->text().toStdString();
  }
  std::string DataFile() const { return station.Path("Data/in_out_folder.dat"); }
  std::string Saved() const {
    return Words({0}) + Folder(cartellaFileIn) + Folder(cartellaFileOut) + Folder(cartellaFileElab);
  }

  TempStation station;
  MessageBoxRecorder boxes;
  ScriptedDialogs dialogs;
};

TEST_F(CartellaInOutTest, LayoutAndFormShow) {
  TCartellaInOut form(nullptr);
  form.show();
  EXPECT_EQ(form.windowTitle().toStdString(), "CARTELLE IN-OUT");
  EXPECT_EQ(form.size(), QSize(725, 291));
  EXPECT_TRUE(form.font().bold());
  EXPECT_FALSE(form.windowFlags() & Qt::WindowCloseButtonHint);
  struct Row {
    const char* label;
    const char* edit;
    const char* button;
    const std::string* folder;
  };
  const Row rows[] = {
      {"Cartella File Ingresso Test Immagine", "CartellaFileInEdit", "FileInBtn", &cartellaFileIn},
      {"Cartella File Uscita Test Immagine", "CartellaFileOutEdit", "FileOutBtn", &cartellaFileOut},
      {"Cartella File Elaborati Test Immagine", "CartellaFileElabEdit", "FileElabBtn",
       &cartellaFileElab},
  };
  std::vector<std::string> labels;
  for (QLabel* label : form.findChildren<QLabel*>()) labels.push_back(label->text().toStdString());
  for (const Row& row : rows) {
    SCOPED_TRACE(row.edit);
    EXPECT_NE(std::find(labels.begin(), labels.end(), row.label), labels.end());
    QLineEdit* edit = Edit(form, row.edit);
    QPushButton* button = Button(form, row.button);
    ASSERT_TRUE(edit && button);
    EXPECT_EQ(edit->text().toStdString(), *row.folder);
    EXPECT_EQ(edit->width(), 667);
    EXPECT_EQ(button->size(), QSize(32, 32));
    EXPECT_GE(button->x(), edit->geometry().right());
    EXPECT_TRUE(form.rect().contains(button->geometry()));
  }
  EXPECT_EQ(Button(form, "ExitButton")->text().toStdString(), "   Ok");
}

TEST_F(CartellaInOutTest, BrowseStoresAndSavesAtOnce) {
  struct Case {
    const char* name;
    const char* button;
    const char* edit;
    std::string* folder;
    std::string typed;  // edit text before the click
    std::string answer;
    std::string startExpected;
    std::string stored;  // empty: nothing changes
  };
  std::string chosen = station.Path("scelta");
  const Case cases[] = {
      {"input row starts at its text", "FileInBtn", "CartellaFileInEdit", &cartellaFileIn,
       "/digitata/", chosen, "/digitata/", chosen + "/"},
      {"output row starts at the program folder", "FileOutBtn", "CartellaFileOutEdit",
       &cartellaFileOut, "", chosen + "/", station.Path(), chosen + "/"},
      {"processed row", "FileElabBtn", "CartellaFileElabEdit", &cartellaFileElab, "/x/",
       "/percorso con spazi/è/", "/x/", "/percorso con spazi/è/"},
      {"cancelled", "FileInBtn", "CartellaFileInEdit", &cartellaFileIn, "/digitata/", "",
       "/digitata/", ""},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    fs::remove(DataFile());
    dialogs.starts.clear();
    dialogs.captions.clear();
    dialogs.answers = {c.answer};
    std::string before = *c.folder;
    TCartellaInOut form(nullptr);
    form.show();
    Edit(form, c.edit)->setText(QString::fromStdString(c.typed));
    Button(form, c.button)->click();
    ASSERT_EQ(dialogs.starts.size(), 1u);
    EXPECT_EQ(dialogs.starts[0], c.startExpected);
    EXPECT_EQ(dialogs.captions[0], "Select a folder:");
    if (c.stored.empty()) {
      EXPECT_EQ(Text(form, c.edit), c.typed);
      EXPECT_EQ(*c.folder, before);
      EXPECT_FALSE(fs::exists(DataFile()));
    } else {
      EXPECT_EQ(Text(form, c.edit), c.stored);
      EXPECT_EQ(*c.folder, c.stored);
      EXPECT_EQ(ReadFileBytes(DataFile()), Saved());
    }
    EXPECT_TRUE(form.isVisible());
  }
  EXPECT_EQ(station.EventLogText(), "");  // saved without change lines
  EXPECT_EQ(boxes.Count(), 0u);
}

TEST_F(CartellaInOutTest, BrowsedInputFolderWithFilesIsNotQuestionedAtOk) {
  std::string busy = station.Path("occupata");
  fs::create_directory(busy);
  WriteFileBytes(busy + "/A.txt", "x");
  dialogs.answers = {busy};
  TCartellaInOut form(nullptr);
  form.show();
  Button(form, "FileInBtn")->click();
  Button(form, "ExitButton")->click();
  EXPECT_EQ(boxes.Count(), 0u);
  EXPECT_FALSE(form.isVisible());
  EXPECT_EQ(cartellaFileIn, busy + "/");
  EXPECT_TRUE(fs::exists(busy + "/A.txt"));
}

TEST_F(CartellaInOutTest, OkStoresTypedFolders) {
  struct Case {
    const char* name;
    bool inputHoldsFiles;
    bool inputChanged;
    int answer;  // to CONFERMA, when asked
    bool asked;
    bool stored;
  };
  const Case cases[] = {
      {"nothing changed", true, false, kIdNo, false, true},
      {"new empty input folder", false, true, kIdNo, false, true},
      {"new input folder with files, Yes", true, true, kIdYes, true, true},
      {"new input folder with files, No", true, true, kIdNo, true, false},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    TempStation local;
    MessageBoxRecorder recorder;
    std::string oldIn = local.Path("file_in_out/in/");
    cartellaFileIn = oldIn;
    cartellaFileOut = local.Path("file_in_out/out/");
    cartellaFileElab = local.Path("file_in_out/elab/");
    ASSERT_TRUE(SaveExchangeFolders(false));
    std::string oldFile = ReadFileBytes(local.Path("Data/in_out_folder.dat"));
    std::string newIn = local.Path("nuova/");
    fs::create_directory(newIn);
    if (c.inputHoldsFiles) {
      WriteFileBytes(newIn + "A.txt", "x");
      WriteFileBytes(oldIn + "B.txt", "x");
    }
    std::string typedIn = c.inputChanged ? newIn : oldIn;
    recorder.QueueAnswer(c.answer);

    TCartellaInOut form(nullptr);
    form.show();
    Edit(form, "CartellaFileInEdit")->setText(QString::fromStdString(typedIn));
    Edit(form, "CartellaFileOutEdit")->setText("/uscita digitata");
    Button(form, "ExitButton")->click();

    ASSERT_EQ(recorder.Count(), c.asked ? 1u : 0u);
    if (c.asked) {
      EXPECT_EQ(recorder.Boxes()[0].text, kConfirm);
      EXPECT_EQ(recorder.Boxes()[0].caption, "CONFERMA");
      EXPECT_EQ(recorder.Boxes()[0].flags, 0x2024u);
    }
    if (c.stored) {
      EXPECT_FALSE(form.isVisible());
      EXPECT_EQ(cartellaFileIn, typedIn);
      EXPECT_EQ(cartellaFileOut, "/uscita digitata");
      EXPECT_EQ(
          ReadFileBytes(local.Path("Data/in_out_folder.dat")),
          Words({0}) + Folder(typedIn) + Folder("/uscita digitata") + Folder(cartellaFileElab));
      EXPECT_EQ(local.EventLogText(),
                "Modificata impostazione cartelle per scambio dati con files:\r\n"
                "  Cartella file ingresso: " +
                    typedIn + "\r\n  Cartella file uscita: /uscita digitata\r\n" +
                    "  Cartella file elaborati: " + cartellaFileElab + "\r\n");
    } else {
      EXPECT_TRUE(form.isVisible());
      EXPECT_EQ(cartellaFileIn, oldIn);
      EXPECT_EQ(cartellaFileOut, local.Path("file_in_out/out/"));
      EXPECT_EQ(ReadFileBytes(local.Path("Data/in_out_folder.dat")), oldFile);
      EXPECT_EQ(local.EventLogText(), "");
    }
    // Ok never deletes requests: the next start with the file method does.
    if (c.inputHoldsFiles) {
      EXPECT_TRUE(fs::exists(newIn + "A.txt"));
    }
  }
}

}  // namespace
