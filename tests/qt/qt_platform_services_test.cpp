#include <QClipboard>
#include <QEventLoop>
#include <QGuiApplication>
#include <QTimer>

#include <gmock/gmock.h>

#include "tests/qt/qt_fixture.h"
#include "tests/support/temp_dir.h"
#include "ui/qt/qt_platform_services.h"

namespace velmor::test {
namespace {

TEST(QtPlatformServices, MissingFilesSystemFactsClipboardAndTheClock) {
    qtApplication();
    QtPlatformServices platform;
    TempDir dir;
    EXPECT_FALSE(platform.fileExists(dir.path())); // a folder is no file
    EXPECT_EQ(platform.showHelp(dir.file("velmor.html")), 2);
    std::string items;
    for (const auto& [item, value] : platform.systemFacts()) {
        items += item + ";";
        EXPECT_FALSE(value.empty()) << item;
    }
    EXPECT_EQ(items, "Velmor;Operating system;Desktop session;Qt;Processor;Cores;Memory;Screen;");
    platform.setClipboard("report", "");
    EXPECT_EQ(QGuiApplication::clipboard()->text(), "report");
    EXPECT_THAT(platform.nowText(),
                ::testing::MatchesRegex(
                    "[0-9]{1,2}/[0-9]{1,2}/[0-9]{4} [0-9]{1,2}:[0-9]{2}:[0-9]{2} (AM|PM)"));
}

TEST(QtPlatformServices, QuitEndsNestedLoopsAndTheMainLoop) {
    qtApplication();
    QtPlatformServices platform;
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
