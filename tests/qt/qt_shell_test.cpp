#include <algorithm>
#include <functional>

#include <QAbstractButton>
#include <QComboBox>
#include <QFileDialog>
#include <QFocusEvent>
#include <QInputDialog>
#include <QLineEdit>
#include <QMessageBox>
#include <QPushButton>
#include <QTimer>

#include "tests/qt/qt_fixture.h"
#include "tests/qt/sample_form.h"
#include "tests/support/temp_dir.h"
#include "ui/qt/form_window.h"
#include "ui/qt/qt_shell.h"

namespace velmor::test {
namespace {

class QtShellTest : public QtFixture {
  protected:
    // Runs `act` on the modal widget of type W once it is up.
    template <class W> void whenShown(std::function<void(W&)> act) {
        auto* timer = new QTimer(&qtApplication());
        QObject::connect(timer, &QTimer::timeout, timer, [timer, act] {
            if (auto* w = qobject_cast<W*>(QApplication::activeModalWidget())) {
                timer->stop();
                timer->deleteLater();
                act(*w);
            }
        });
        timer->start(10);
    }

    QtShell shell;
};

TEST_F(QtShellTest, MessageBoxesShowButtonsInOrderAndEscapeCancels) {
    using B = MsgButtons;
    using R = MsgResult;
    struct Case {
        B buttons;
        MsgIcon icon;
        QString shown; // the QMessageBox::Icon value, then the buttons from left to right
        R onEscape, onDefault;
    } cases[] = {{B::OK, MsgIcon::Information, "1 OK", R::OK, R::OK},
                 {B::OKCancel, MsgIcon::Exclamation, "2 OK Cancel", R::Cancel, R::OK},
                 {B::YesNo, MsgIcon::Critical, "3 Yes No", R::No, R::Yes},
                 {B::YesNoCancel, MsgIcon::None, "0 Yes No Cancel", R::Cancel, R::Yes}};
    for (const auto& c : cases) {
        SCOPED_TRACE(c.shown.toStdString());
        QStringList shown;
        whenShown<QMessageBox>([&](QMessageBox& box) {
            auto buttons = box.buttons();
            std::sort(buttons.begin(), buttons.end(), [](auto* a, auto* b) {
                return a->mapToGlobal(QPoint()).x() < b->mapToGlobal(QPoint()).x();
            });
            shown << QString::number(box.icon());
            for (auto* b : buttons) shown << b->text().remove('&');
            shown << box.windowTitle() << box.text() << QString::number(box.textFormat());
            QTest::keyClick(&box, Qt::Key_Escape);
        });
        EXPECT_EQ(shell.msgBox("No. 13; <b>x</b>", c.buttons, c.icon, "frmVelmor"), c.onEscape);
        EXPECT_EQ(shown.join(" "), c.shown + " frmVelmor No. 13; <b>x</b> 0"); // 0: plain text

        whenShown<QMessageBox>(
            [](QMessageBox& box) { QTest::keyClick(box.defaultButton(), Qt::Key_Space); });
        EXPECT_EQ(shell.msgBox("Go on?", c.buttons, MsgIcon::None, kAppTitle), c.onDefault);
    }
}

TEST_F(QtShellTest, AQuestionMayMakeItsSecondButtonTheDefault) {
    whenShown<QMessageBox>([](QMessageBox& box) { QTest::keyClick(&box, Qt::Key_Return); });
    EXPECT_EQ(
        shell.msgBoxDefault("Drop it?", MsgButtons::YesNo, MsgIcon::Exclamation, kAppTitle, 1),
        MsgResult::No);
}

TEST_F(QtShellTest, InputAndFileDialogsGiveTheAnswerOrNothingOnCancel) {
    TempDir dir;
    std::string file = dir.write("a.txt", "x");
    FileDialog d{dir.path(), "Matrix Data File (*.txt)|*.txt|All files (*.*)|*.*", "Open", "", ""};
    QStringList shown;
    for (bool ok : {true, false}) {
        whenShown<QInputDialog>([&](QInputDialog& box) {
            shown << box.labelText() << box.windowTitle() << box.textValue();
            box.setTextValue(";");
            ok ? box.accept() : box.reject();
        });
        EXPECT_EQ(shell.inputBox("Delimiter?", "Input", ","), ok ? ";" : "");
        whenShown<QFileDialog>([&](QFileDialog& dialog) {
            shown << dialog.nameFilters() << dialog.windowTitle()
                  << dialog.directory().absolutePath();
            dialog.selectFile(QString::fromStdString(file));
            ok ? static_cast<QDialog&>(dialog).accept() : dialog.reject();
        });
        shell.showOpen(d);
        EXPECT_EQ(d.FileName, ok ? file : "");
    }
    QString folder = QString::fromStdString(dir.path());
    QStringList once{"Delimiter?",      "Input", ",",   "Matrix Data File (*.txt)",
                     "All files (*.*)", "Open",  folder};
    EXPECT_EQ(shown, once + once);
}

TEST_F(QtShellTest, SaveAddsTheDefaultExtensionUnderTheFirstFilterOnly) {
    TempDir dir;
    const struct {
        int filter; // chosen with the keyboard in the file type list
        const char* typed;
        const char* saved;
    } cases[] = {{0, "mywork", "mywork.txt"}, {0, "data.csv", "data.csv"}, {1, "mywork", "mywork"}};
    for (const auto& c : cases) {
        SCOPED_TRACE(c.typed + std::to_string(c.filter));
        FileDialog d{dir.path(), "Matrix Data File (*.txt)|*.txt|All files (*.*)|*.*", "Save", "",
                     "txt"};
        whenShown<QFileDialog>([&](QFileDialog& dialog) {
            auto* types = dialog.findChild<QComboBox*>("fileTypeCombo");
            for (int i = 0; i < c.filter; ++i) QTest::keyClick(types, Qt::Key_Down);
            auto* name = dialog.findChild<QLineEdit*>("fileNameEdit");
            QTest::keyClicks(name, c.typed);
            QTest::keyClick(name, Qt::Key_Return);
        });
        shell.showSave(d);
        EXPECT_EQ(d.FileName, dir.file(c.saved));
    }
}

TEST_F(QtShellTest, AModalFormRunsANestedLoopUntilUnloaded) {
    SampleForm f;
    f.cmdOK.onClick = [&] { f.form.unload(); };
    QPointer<QDialog> shown;
    whenShown<QDialog>([&](QDialog& d) {
        shown = &d;
        QTest::mouseClick(shell.windowOf(f.form)->widgetFor(f.cmdOK), Qt::LeftButton);
    });
    shell.showForm(f.form, true); // returns once the form is unloaded
    EXPECT_FALSE(f.form.Loaded());
    ASSERT_FALSE(shown.isNull());
    settle();
    EXPECT_TRUE(shown.isNull()); // the window is gone with the form
}

// The box's window handing the focus back on return must not complete the pending move.
TEST_F(QtShellTest, ABoxFromLostFocusThatKeepsTheFocusRaisesNoEventOnTheClickedControl) {
    SampleForm f;
    shell.showForm(f.form, false);
    FormWindow* w = shell.windowOf(f.form);
    activate(w->window());
    f.txtA.SetFocus();
    f.txtA.onLostFocus = [&] {
        f.log.push_back("txtA.LostFocus");
        whenShown<QMessageBox>([&](QMessageBox& box) {
            QFocusEvent back(QEvent::FocusIn, Qt::ActiveWindowFocusReason);
            QApplication::sendEvent(w->widgetFor(f.txtB), &back);
            box.done(0);
        });
        shell.msgBox("Numbers only!", MsgButtons::OK, MsgIcon::None, kAppTitle);
        f.txtA.SetFocus();
    };
    f.log.clear();
    QTest::mouseClick(w->widgetFor(f.txtB), Qt::LeftButton);
    settle();
    EXPECT_EQ(f.log, (std::vector<std::string>{"txtA.LostFocus", "txtA.GotFocus"}));
    EXPECT_EQ(w->window()->focusWidget(), w->widgetFor(f.txtA));
}

} // namespace
} // namespace velmor::test
