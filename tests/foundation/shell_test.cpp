#include "foundation/shell.h"

#include <QDesktopServices>
#include <QObject>
#include <QUrl>

#include <gtest/gtest.h>

namespace {

// Takes the desktop's "open" requests instead of xdg-open.
class UrlCatcher : public QObject {
  Q_OBJECT
 public:
  QList<QUrl> urls;
 public slots:
  void Open(const QUrl& url) { urls.append(url); }
};

TEST(OpenWithShell, HandsTheFileToTheDesktop) {
  UrlCatcher catcher;
  QDesktopServices::setUrlHandler("file", &catcher, "Open");
  struct Case {
    const char* file;
    const char* workingFolder;
  } cases[] = {{"/opt/lumivex/help/help.pdf", nullptr},
               {"/opt/lumivex/help/perch\xC3\xA8 spazi.pdf", "/opt/lumivex/help"}};
  for (const Case& c : cases) {
    SCOPED_TRACE(c.file);
    catcher.urls.clear();
    EXPECT_EQ(OpenWithShell(c.file, c.workingFolder), 42);
    ASSERT_EQ(catcher.urls.size(), 1);
    EXPECT_EQ(catcher.urls[0], QUrl::fromLocalFile(QString::fromUtf8(c.file)));
    EXPECT_EQ(catcher.urls[0].toLocalFile().toStdString(), c.file);
  }
  QDesktopServices::unsetUrlHandler("file");
}

}  // namespace

#include "shell_test.moc"
