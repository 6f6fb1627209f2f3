#include <chrono>
#include <cstring>
#include <random>
#include <thread>

#include <QMessageBox>
#include <QProgressDialog>
#include <QPushButton>
#include <QTimer>

#include "engine/cvelmor.h"
#include "tests/qt/qt_fixture.h"
#include "ui/qt/qt_shell.h"

namespace velmor::test {
namespace {

Variant randomMatrix(int n, unsigned seed) {
    std::mt19937_64 rng(seed);
    std::uniform_real_distribution<double> d(-1, 1);
    Array a = Array::matrix(n, n);
    for (int i = 1; i <= n; ++i)
        for (int j = 1; j <= n; ++j) a.at(i, j) = d(rng) + (i == j ? n : 0);
    return a;
}

bool sameBits(const Variant& x, const Variant& y) {
    const Array &a = x.array(), &b = y.array();
    if (a.ubound(1) != b.ubound(1) || a.ubound(2) != b.ubound(2)) return false;
    for (int i = 1; i <= a.ubound(1); ++i)
        for (int j = 1; j <= a.ubound(2); ++j) {
            double p = a.at(i, j).number(), q = b.at(i, j).number();
            if (std::memcmp(&p, &q, sizeof p) != 0) return false;
        }
    return true;
}

class LongWorkTest : public QtFixture {
  protected:
    QtShell shell;
    NumberFormat format;
    CVelmor engine{format};
};

TEST_F(LongWorkTest, ResultsOnTheWorkerAreBitForBitTheInlineOnes) {
    Variant a = randomMatrix(300, 1), b = randomMatrix(300, 2);
    const Variant product = engine.Multiply(a, b).value, inverse = engine.Invert(a).value;
    Variant onWorker[2];
    std::thread::id worker;
    ASSERT_TRUE(shell.runLongWork("Multiply", [&](Progress& p) {
        worker = std::this_thread::get_id();
        engine.progress = &p;
        onWorker[0] = engine.Multiply(a, b).value;
        onWorker[1] = engine.Invert(a).value;
        engine.progress = nullptr;
    }));
    EXPECT_NE(worker, std::this_thread::get_id());
    EXPECT_TRUE(sameBits(onWorker[0], product));
    EXPECT_TRUE(sameBits(onWorker[1], inverse));
}

// Work that runs until stopped: after half a second the dialog names it, and its Cancel
// stops it; a box the work asked for is shown on the window's thread once the work ended.
TEST_F(LongWorkTest, ProgressDialogAppearsAndCancelStopsTheWork) {
    QString label, boxText;
    QTimer timer;
    QObject::connect(&timer, &QTimer::timeout, [&] {
        if (auto* d = qobject_cast<QProgressDialog*>(QApplication::activeModalWidget())) {
            label = d->labelText();
            d->findChild<QPushButton*>()->click();
        } else if (auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget())) {
            boxText = box->text();
            box->buttons().front()->click();
        }
    });
    timer.start(20);
    const auto start = std::chrono::steady_clock::now();
    bool done = shell.runLongWork("Invert", [&](Progress& p) {
        shell.msgBox("asked by the work", MsgButtons::OK, MsgIcon::None, "Velmor");
        for (;;) {
            checkProgress(&p, 1, 2);
            std::this_thread::sleep_for(std::chrono::milliseconds(2));
        }
    });
    EXPECT_FALSE(done);
    EXPECT_GE(std::chrono::steady_clock::now() - start, std::chrono::milliseconds(450));
    EXPECT_EQ(label, "Invert");
    EXPECT_EQ(boxText, "asked by the work");
}

TEST_F(LongWorkTest, FailuresOfTheWorkReachTheCaller) {
    EXPECT_THROW(shell.runLongWork("Open", [](Progress&) { throw RuntimeError(err::Overflow); }),
                 RuntimeError);
    EXPECT_TRUE(shell.runLongWork("Open", [](Progress&) {}));
}

} // namespace
} // namespace velmor::test
