#include "foundation/mymessagebox.h"

#include <QCoreApplication>
#include <QThread>
#include <atomic>
#include <chrono>
#include <thread>

#include <gtest/gtest.h>

#include "support/message_box_recorder.h"

namespace {

// Records the thread each box is shown on.
class ThreadRecorder : public MessageBoxBackend {
 public:
  ThreadRecorder() : previous(CurrentMessageBoxBackend()) { SetMessageBoxBackend(this); }
  ~ThreadRecorder() override { SetMessageBoxBackend(previous); }
  int Show(const std::string& text, const std::string&, unsigned) override {
    shownOn = QThread::currentThread();
    lastText = text;
    return kIdNo;
  }
  std::atomic<QThread*> shownOn{nullptr};
  std::string lastText;

 private:
  MessageBoxBackend* previous;
};

TEST(DefaultButton, IsYesForQuestionsAndOkOtherwise) {
  struct Case {
    unsigned flags;
    int expected;
  } cases[] = {{kMbOk, kIdOk},          {kMbError, kIdOk},     {kMbWarning, kIdOk},
               {kMbInformation, kIdOk}, {kMbQuestion, kIdYes}, {kMbYesNo, kIdYes}};
  for (const Case& c : cases) {
    SCOPED_TRACE(c.flags);
    EXPECT_EQ(DefaultButton(c.flags), c.expected);
  }
}

TEST(ShowMessageBox, GoesThroughTheBackendWithItsAnswer) {
  MessageBoxRecorder boxes;
  boxes.QueueAnswer(kIdNo);
  EXPECT_EQ(ShowMessageBox("Confermare?", "AVVISO", kMbQuestion), kIdNo);
  EXPECT_EQ(ShowMessageBox("WC001: errore", "ERRORE", kMbError), kIdOk);
  ASSERT_EQ(boxes.Count(), 2u);
  EXPECT_EQ(boxes.Boxes()[0].text, "Confermare?");
  EXPECT_EQ(boxes.Boxes()[0].caption, "AVVISO");
  EXPECT_EQ(boxes.Boxes()[0].flags, kMbQuestion);
  EXPECT_EQ(boxes.Boxes()[1].flags, kMbError);
}

TEST(ShowMessageBox, WithoutBackendAnswersTheDefault) {
  MessageBoxBackend* saved = CurrentMessageBoxBackend();
  SetMessageBoxBackend(nullptr);
  EXPECT_EQ(CurrentMessageBoxBackend(), nullptr);
  EXPECT_EQ(ShowMessageBox("?", "", kMbQuestion), kIdYes);
  EXPECT_EQ(ShowMessageBox("!", "", kMbWarning), kIdOk);
  SetMessageBoxBackend(saved);
}

TEST(ShowMessageBox, FromAnotherThreadIsShownOnTheUserInterfaceThread) {
  ThreadRecorder recorder;
  std::atomic<bool> done{false};
  int answer = 0;
  std::thread worker([&] {
    answer = ShowMessageBox("TCPS001: errore", "ERRORE", kMbError);
    done.store(true);
  });
  // The worker waits until this thread's event loop shows its box.
  auto giveUp = std::chrono::steady_clock::now() + std::chrono::seconds(60);
  while (!done.load() && std::chrono::steady_clock::now() < giveUp)
    QCoreApplication::processEvents(QEventLoop::AllEvents, 10);
  worker.join();
  EXPECT_EQ(recorder.shownOn.load(), QCoreApplication::instance()->thread());
  EXPECT_EQ(recorder.lastText, "TCPS001: errore");
  EXPECT_EQ(answer, kIdNo);
}

TEST(ShowMessageBox, ManyThreadsAtOnceAreAllAnswered) {
  MessageBoxRecorder boxes;
  constexpr int kThreads = 4;
  std::atomic<int> finished{0};
  std::vector<std::thread> workers;
  std::vector<int> answers(kThreads, 0);
  for (int t = 0; t < kThreads; ++t)
    workers.emplace_back([&, t] {
      answers[t] = ShowMessageBox("domanda " + std::to_string(t), "AVVISO", kMbQuestion);
      finished.fetch_add(1);
    });
  auto giveUp = std::chrono::steady_clock::now() + std::chrono::seconds(60);
  while (finished.load() < kThreads && std::chrono::steady_clock::now() < giveUp)
    QCoreApplication::processEvents(QEventLoop::AllEvents, 10);
  for (std::thread& worker : workers) worker.join();
  EXPECT_EQ(boxes.Count(), static_cast<size_t>(kThreads));
  for (int answer : answers) EXPECT_EQ(answer, kIdYes);
}

}  // namespace
