#pragma once

#include <QWidget>
#include <functional>
#include <memory>
#include <utility>

// Every window class has one global reference: its hidden start-up instance, then the window open
// at the moment, or none. A window opened from a button is created anew, so that no flag carries
// over from one opening to the next.

// Creates the window, shows it modally, and deletes it when it has closed; the global reference
// points at it meanwhile and is cleared afterwards.
template <class Window, class... Args>
void RunModal(Window*& global, QWidget* owner, Args&&... args) {
  auto window = std::make_unique<Window>(owner, std::forward<Args>(args)...);
  global = window.get();
  window->exec();
  global = nullptr;
}

// The hidden instance that start-up creates of a window class, stored in its global reference and
// deleted with this owner, which first clears the reference if it still points at the instance.
class HiddenWindow {
 public:
  template <class Window, class... Args>
  static HiddenWindow Create(Window*& global, Args&&... args) {
    auto window = std::make_unique<Window>(std::forward<Args>(args)...);
    Window* instance = window.get();
    global = instance;
    return HiddenWindow(std::move(window), [&global, instance] {
      if (global == instance) global = nullptr;
    });
  }

  HiddenWindow(HiddenWindow&&) = default;
  HiddenWindow& operator=(HiddenWindow&&) = default;
  ~HiddenWindow() {
    if (clearGlobal) clearGlobal();
  }

  QWidget* Window() const { return window.get(); }

 private:
  HiddenWindow(std::unique_ptr<QWidget> window, std::function<void()> clearGlobal)
      : window(std::move(window)), clearGlobal(std::move(clearGlobal)) {}

  std::unique_ptr<QWidget> window;
  std::function<void()> clearGlobal;
};
