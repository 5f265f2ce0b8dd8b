#pragma once

#include <QDialogButtonBox>
#include <QFont>
#include <QPushButton>
#include <QString>

class QDialog;
class QFrame;
class QLabel;
class QWidget;

// The station's pictures, built into the program (resources/): "camera", "stop", "save", "film",
// "filmstop", "options", "help", "info", "exit", "ok", "utilities", "autostart", "exchange",
// "display", "method_point" ... "method_dim", "folder", "serial", "network", "logo", "background"
// (the 1024 x 768 background bitmap, resource 1000) and "lumivex" (the application icon).
QString PicturePath(const char* name);

// Makes Tahoma known to the program: Debian's fonts-wine ships it outside fontconfig's folders.
void LoadStationFonts();
// Tahoma, 8 points, as the windows use it.
QFont StationFont(bool bold);

// The windows' controls are laid out at fixed positions; each carries its control name.
QPushButton* MakeImageButton(QWidget* parent, const char* name, const char* caption, int left,
                             int top, int width, int height, const char* picture);
QLabel* MakeLabel(QWidget* parent, const char* name, const char* caption, int left, int top);
// A lowered box frame (a bevel).
QFrame* MakeBevel(QWidget* parent, const char* name, int left, int top, int width, int height);

// The OK and Cancel buttons of a settings dialog, accepting and rejecting it; the caller places
// them in its layout.
QDialogButtonBox* MakeOkCancel(QDialog& dialog);

// Fixed client size, Tahoma 8, the caption; without closeBox no title-bar buttons at all.
void SetDialogFrame(QWidget* window, const char* caption, int clientWidth, int clientHeight,
                    bool closeBox);

// A button that shows its picture above its caption, 10 pixels apart, both centred.
class PictureAboveButton : public QPushButton {
 public:
  PictureAboveButton(QWidget* parent, const char* name, const char* caption, const char* picture,
                     int left, int top, int width, int height);

 protected:
  void paintEvent(QPaintEvent* event) override;
};
