#include "foundation/selecdir.h"

#include <gtest/gtest.h>

namespace {

class ScriptedDialogs : public DialogBackend {
 public:
  ScriptedDialogs() { SetDialogBackend(this); }
  ~ScriptedDialogs() override { SetDialogBackend(nullptr); }
  std::string ChooseFolder(const std::string& startFolder, const std::string& caption) override {
    askedStart = startFolder;
    askedCaption = caption;
    return answer;
  }
  std::string ChooseSaveFile(const std::string& title, const std::string& filter,
                             const std::string& defaultSuffix) override {
    askedCaption = title;
    askedFilter = filter;
    askedSuffix = defaultSuffix;
    return answer;
  }
  std::string answer;
  std::string askedStart, askedCaption, askedFilter, askedSuffix;
};

TEST(BrowseForFolder, ConfirmedOrCancelled) {
  struct Case {
    const char* name;
    const char* caption;
    std::string answer;
    bool chosen;
    std::string result;
    std::string expectedCaption;
  } cases[] = {
      {"confirmed", "Cartella di ingresso", "/home/op/in", true, "/home/op/in/",
       "Cartella di ingresso"},
      {"default caption", nullptr, "/srv/x", true, "/srv/x/", "Select a folder:"},
      {"root keeps one separator", nullptr, "/", true, "/", "Select a folder:"},
      {"cancelled leaves the result", nullptr, "", false, "before", "Select a folder:"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    ScriptedDialogs dialogs;
    dialogs.answer = c.answer;
    std::string result = "before";
    EXPECT_EQ(BrowseForFolder("/start", result, c.caption), c.chosen);
    EXPECT_EQ(result, c.result);
    EXPECT_EQ(dialogs.askedStart, "/start");
    EXPECT_EQ(dialogs.askedCaption, c.expectedCaption);
  }
}

TEST(ChooseSaveFile, PassesTitleFilterAndSuffix) {
  ScriptedDialogs dialogs;
  dialogs.answer = "/home/op/frame.bmp";
  EXPECT_EQ(ChooseSaveFile("Salva immagine", "*.bmp|*.bmp", "bmp"), "/home/op/frame.bmp");
  EXPECT_EQ(dialogs.askedCaption, "Salva immagine");
  EXPECT_EQ(dialogs.askedFilter, "*.bmp|*.bmp");
  EXPECT_EQ(dialogs.askedSuffix, "bmp");
  dialogs.answer = "";
  EXPECT_EQ(ChooseSaveFile("Salva video", "*.avi|*.avi", "avi"), "");
}

TEST(DialogBackend, WithoutABackendTheDialogsAnswerCancelled) {
  std::string result = "before";
  EXPECT_FALSE(BrowseForFolder("/", result, nullptr));
  EXPECT_EQ(result, "before");
  EXPECT_EQ(ChooseSaveFile("t", "*.*|*.*", "txt"), "");
}

}  // namespace
