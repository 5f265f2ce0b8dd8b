#pragma once

#include <deque>
#include <mutex>
#include <string>
#include <vector>

#include "foundation/mymessagebox.h"

// Records every message box and answers scripted buttons (the box's default when none is queued).
class MessageBoxRecorder : public MessageBoxBackend {
 public:
  struct Box {
    std::string text;
    std::string caption;
    unsigned flags;
  };

  MessageBoxRecorder();            // installs itself
  ~MessageBoxRecorder() override;  // restores the backend it replaced

  int Show(const std::string& text, const std::string& caption, unsigned flags) override;

  void QueueAnswer(int button);
  std::vector<Box> Boxes() const;
  size_t Count() const;
  void Clear();

 private:
  mutable std::mutex mutex;
  std::vector<Box> boxes;
  std::deque<int> answers;
  MessageBoxBackend* previous;
};
