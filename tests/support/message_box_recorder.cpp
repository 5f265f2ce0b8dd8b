#include "message_box_recorder.h"

MessageBoxRecorder::MessageBoxRecorder() : previous(CurrentMessageBoxBackend()) {
  SetMessageBoxBackend(this);
}

MessageBoxRecorder::~MessageBoxRecorder() {
  SetMessageBoxBackend(previous);
}

int MessageBoxRecorder::Show(const std::string& text, const std::string& caption, unsigned flags) {
  std::lock_guard lock(mutex);
  boxes.push_back({text, caption, flags});
  if (answers.empty()) return DefaultButton(flags);
  int answer = answers.front();
  answers.pop_front();
  return answer;
}

void MessageBoxRecorder::QueueAnswer(int button) {
  std::lock_guard lock(mutex);
  answers.push_back(button);
}

std::vector<MessageBoxRecorder::Box> MessageBoxRecorder::Boxes() const {
  std::lock_guard lock(mutex);
  return boxes;
}

size_t MessageBoxRecorder::Count() const {
  std::lock_guard lock(mutex);
  return boxes.size();
}

void MessageBoxRecorder::Clear() {
  std::lock_guard lock(mutex);
  boxes.clear();
  answers.clear();
}
