#pragma once

#include <QApplication>
#include <QStandardPaths>
#include <QTest>
#include <QWidget>

#include <gtest/gtest.h>

namespace velmor::test {

// Made on first use and never destroyed: Qt's statics are torn down before a static could be.
inline QApplication& qtApplication() {
    static int argc = 1;
    static char name[] = "velmor_qt_tests";
    static char* argv[] = {name, nullptr};
    // The user's settings folder of the tests is Qt's test folder, never the real one.
    QStandardPaths::setTestModeEnabled(true);
    static QApplication* app = new QApplication(argc, argv);
    return *app;
}

class QtFixture : public ::testing::Test {
  protected:
    static void SetUpTestSuite() { qtApplication(); }

    // Runs queued work: zero timers, deferred deletes, posted events.
    static void settle() {
        for (int i = 0; i < 3; ++i) {
            QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
            QCoreApplication::processEvents();
        }
    }

    static void activate(QWidget* window) {
        window->show();
        window->activateWindow();
        ASSERT_TRUE(QTest::qWaitForWindowActive(window));
    }
};

} // namespace velmor::test
