#include "shell/stationwindows.h"

#include "exchange/rs232form.h"
#include "exchange/sceltainout.h"
#include "exchange/tcpipinoutform.h"
#include "inspection/methodwindows.h"
#include "platform/modalwindow.h"
#include "shell/about.h"
#include "shell/avvioautoform.h"
#include "shell/mainform.h"
#include "shell/opzioni.h"
#include "shell/utilita.h"

namespace {

// A start-up window: a method's teach or test window by method number, or another window class.
struct StartupWindow {
  enum class Kind { kTeach, kTest, kOther } kind;
  int32_t number;
  HiddenWindow (*create)();
};

constexpr StartupWindow Teach(int32_t number) {
  return {StartupWindow::Kind::kTeach, number, nullptr};
}
constexpr StartupWindow Test(int32_t number) {
  return {StartupWindow::Kind::kTest, number, nullptr};
}
template <class Window, Window*& Global>
StartupWindow Other() {
  return {StartupWindow::Kind::kOther, 0, [] { return HiddenWindow::Create(Global, nullptr); }};
}

// The order in which start-up creates the windows after the main window. Method windows are named
// by method number (1 point, 2 zone, 3 vertical line, 4 horizontal line, 5 whole image,
// 6 dimension); a method without windows is passed over.
const StartupWindow kStartupOrder[] = {
    Test(1),
    Teach(5),
    Teach(4),
    Teach(3),
    Teach(1),
    Test(5),
    Test(4),
    Test(3),
    Teach(2),
    Test(2),
    Other<TAboutForm, AboutForm>(),
    Test(6),
    Teach(6),
    Other<TOptionsForm, OptionsForm>(),
    Other<TAvvioAutoForm, AvvioAutoForm>(),
    Other<TUtlForm, UtlForm>(),
    Other<TSceltaInOutForm, SceltaInOutForm>(),
    Other<TRS232_Form, RS232_Form>(),
    Other<TTCPIP_InOutForm, TCPIP_InOutForm>(),
};

void Create(const StartupWindow& entry, std::vector<HiddenWindow>& windows) {
  if (entry.kind == StartupWindow::Kind::kOther) {
    windows.push_back(entry.create());
    return;
  }
  const MethodWindows* method = FindMethodWindows(entry.number);
  if (!method) return;
  windows.push_back(entry.kind == StartupWindow::Kind::kTeach ? method->createHiddenTeach()
                                                              : method->createHiddenTest());
}

}  // namespace

StationWindows::StationWindows() {
  windows.push_back(HiddenWindow::Create(MainForm));
  for (const StartupWindow& entry : kStartupOrder) Create(entry, windows);
}

StationWindows::~StationWindows() {
  while (!windows.empty()) windows.pop_back();
}
