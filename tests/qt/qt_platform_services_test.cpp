#include <filesystem>
#include <regex>

#include <QEventLoop>
#include <QTimer>

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

TEST_F(QtPlatformServicesTest, ClockTextIsTheGeneralDateFormat) {
    std::string now = platform.nowText();
    EXPECT_TRUE(
        std::regex_match(now, std::regex(R"(\d{1,2}/\d{1,2}/\d{4} \d{1,2}:\d{2}:\d{2} (AM|PM))")))
        << now;
}

TEST_F(QtPlatformServicesTest, FilesAreFoundWithoutRegardToCase) {
    dir.write("Velmor.INI", "x");
    EXPECT_EQ(platform.findFileNoCase(dir.path(), "velmor.ini"), "Velmor.INI");
    EXPECT_EQ(platform.findFileNoCase(dir.path(), "other.ini"), "");
    EXPECT_TRUE(platform.fileExists(dir.file("Velmor.INI")));
    EXPECT_FALSE(platform.fileExists(dir.file("velmor.ini")));
    EXPECT_FALSE(platform.fileExists(dir.path())); // a folder is no file
    EXPECT_EQ(platform.currentDirectory(), std::filesystem::current_path().string());
}

TEST_F(QtPlatformServicesTest, OpeningAMissingDocumentReportsNotFound) {
    EXPECT_EQ(platform.openDocument(dir.file("Help/velmor.html"), dir.path()), 2);
    // A relative name is looked up below the working folder.
    EXPECT_EQ(platform.openDocument("Help/velmor.html", dir.path()), 2);
}

TEST_F(QtPlatformServicesTest, StartingAMissingProgramFails) {
    EXPECT_FALSE(platform.startProgram(dir.file("no-such-program")));
    std::string tool = platform.findSystemInfoTool();
    if (!tool.empty()) {
        EXPECT_TRUE(std::filesystem::exists(tool)) << tool;
    }
}

TEST_F(QtPlatformServicesTest, QuitEndsNestedLoopsAndTheMainLoop) {
    QTimer guard; // against a hang
    guard.setSingleShot(true);
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

    // Quit asked before the main loop runs (start-up gave up) still ends it.
    platform.quit();
    EXPECT_EQ(QCoreApplication::exec(), 0);
}

} // namespace
} // namespace velmor::test
