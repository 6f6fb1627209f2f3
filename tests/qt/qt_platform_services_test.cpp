#include <QEventLoop>
#include <QTimer>

#include <gmock/gmock.h>

#include "tests/qt/qt_fixture.h"
#include "tests/support/temp_dir.h"
#include "ui/qt/qt_platform_services.h"

namespace velmor::test {
namespace {

class QtPlatformServicesTest : public QtFixture {
  protected:
    QtPlatformServices platform;
    TempDir dir;
};

TEST_F(QtPlatformServicesTest, FilesDocumentsProgramsAndClock) {
    dir.write("Velmor.INI", "x");
    EXPECT_EQ(platform.findFileNoCase(dir.path(), "velmor.ini"), "Velmor.INI");
    EXPECT_EQ(platform.findFileNoCase(dir.path(), "other.ini"), "");
    EXPECT_FALSE(platform.fileExists(dir.file("velmor.ini")));
    EXPECT_FALSE(platform.fileExists(dir.path())); // a folder is no file
    // Missing documents report "not found", a relative name looked up below the folder.
    EXPECT_EQ(platform.openDocument(dir.file("Help/velmor.html"), dir.path()), 2);
    EXPECT_EQ(platform.openDocument("Help/velmor.html", dir.path()), 2);
    EXPECT_FALSE(platform.startProgram(dir.file("no-such-program")));
    EXPECT_THAT(platform.nowText(),
                ::testing::MatchesRegex(
                    "[0-9]{1,2}/[0-9]{1,2}/[0-9]{4} [0-9]{1,2}:[0-9]{2}:[0-9]{2} (AM|PM)"));
}

TEST_F(QtPlatformServicesTest, QuitEndsNestedLoopsAndTheMainLoop) {
    QTimer guard; // against a hang
    QObject::connect(&guard, &QTimer::timeout, [] { QCoreApplication::exit(99); });
    guard.start(5000);
    int nestedResult = -2;
    QTimer::singleShot(0, [&] {
        QEventLoop nested; // a modal window's loop
        QTimer::singleShot(0, [&] { platform.quit(); });
        nestedResult = nested.exec();
    });
    EXPECT_EQ(QCoreApplication::exec(), 0);
    EXPECT_EQ(nestedResult, 0);
    platform.quit(); // before the main loop runs, as when start-up gives up
    EXPECT_EQ(QCoreApplication::exec(), 0);
}

} // namespace
} // namespace velmor::test
