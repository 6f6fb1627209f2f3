#include <algorithm>
#include <functional>

#include <QDialogButtonBox>
#include <QFocusEvent>
#include <QFileDialog>
#include <QInputDialog>
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
        timer->setInterval(10);
        QObject::connect(timer, &QTimer::timeout, timer, [timer, act] {
            if (auto* w = qobject_cast<W*>(QApplication::activeModalWidget())) {
                timer->stop();
                timer->deleteLater();
                act(*w);
            }
        });
        timer->start();
    }
    // Button texts in the order they stand on screen.
    static QStringList buttonsLeftToRight(QMessageBox& box) {
        auto buttons = box.buttons();
        std::sort(buttons.begin(), buttons.end(), [](QAbstractButton* a, QAbstractButton* b) {
            return a->mapToGlobal(QPoint()).x() < b->mapToGlobal(QPoint()).x();
        });
        QStringList texts;
        for (auto* b : buttons) texts << b->text().remove('&');
        return texts;
    }

    QtShell shell;
};

TEST_F(QtShellTest, MessageBoxesShowTheirButtonsInOrderAndEscapeCancels) {
    struct Case {
        MsgButtons buttons;
        QStringList texts;
        MsgResult onEscape;
        MsgResult onFirst;
    };
    const Case cases[] = {
        {MsgButtons::OK, {"OK"}, MsgResult::OK, MsgResult::OK},
        {MsgButtons::OKCancel, {"OK", "Cancel"}, MsgResult::Cancel, MsgResult::OK},
        {MsgButtons::YesNo, {"Yes", "No"}, MsgResult::No, MsgResult::Yes},
        {MsgButtons::YesNoCancel, {"Yes", "No", "Cancel"}, MsgResult::Cancel, MsgResult::Yes},
    };
    for (const auto& c : cases) {
        QStringList seen;
        QString title, text;
        whenShown<QMessageBox>([&](QMessageBox& box) {
            seen = buttonsLeftToRight(box);
            title = box.windowTitle();
            text = box.text();
            QTest::keyClick(&box, Qt::Key_Escape);
        });
        EXPECT_EQ(shell.msgBox("Do you want to save the matrices to a text file? ", c.buttons,
                               MsgIcon::None, "Save latest work?"),
                  c.onEscape);
        EXPECT_EQ(seen, c.texts);
        EXPECT_EQ(title, "Save latest work?");
        EXPECT_EQ(text, "Do you want to save the matrices to a text file? ");

        whenShown<QMessageBox>(
            [](QMessageBox& box) { QTest::keyClick(box.defaultButton(), Qt::Key_Space); });
        EXPECT_EQ(shell.msgBox("Go on?", c.buttons, MsgIcon::None, kAppTitle), c.onFirst);
    }
}

TEST_F(QtShellTest, MessageBoxIconsMapToQtIcons) {
    struct Case {
        MsgIcon icon;
        QMessageBox::Icon expected;
    };
    for (auto c : {Case{MsgIcon::None, QMessageBox::NoIcon},
                   Case{MsgIcon::Exclamation, QMessageBox::Warning},
                   Case{MsgIcon::Critical, QMessageBox::Critical}}) {
        QMessageBox::Icon seen{};
        Qt::TextFormat format{};
        whenShown<QMessageBox>([&](QMessageBox& box) {
            seen = box.icon();
            format = box.textFormat();
            box.accept();
            box.done(0);
        });
        shell.msgBox("Error No. 13; <b>Type mismatch</b>", MsgButtons::OK, c.icon, "frmVelmor");
        EXPECT_EQ(seen, c.expected);
        EXPECT_EQ(format, Qt::PlainText);
    }
}

TEST_F(QtShellTest, InputBoxGivesTheTextOrNothingOnCancel) {
    QString label, title, preset;
    whenShown<QInputDialog>([&](QInputDialog& d) {
        label = d.labelText();
        title = d.windowTitle();
        preset = d.textValue();
        d.setTextValue(";");
        d.accept();
    });
    EXPECT_EQ(shell.inputBox("Enter the delimiter", "Input Delimiter", ","), ";");
    EXPECT_EQ(label, "Enter the delimiter");
    EXPECT_EQ(title, "Input Delimiter");
    EXPECT_EQ(preset, ",");

    whenShown<QInputDialog>([](QInputDialog& d) {
        d.setTextValue("typed");
        d.reject();
    });
    EXPECT_EQ(shell.inputBox("Enter", "", "x"), "");
}

TEST_F(QtShellTest, FileDialogsUseFolderFilterAndTitleAndEmptyMeansCancelled) {
    TempDir dir;
    std::string file = dir.write("a.txt", "x");
    FileDialog d{dir.path(), "Matrix Data File (*.txt)|*.txt|All files (*.*)|*.*",
                 "Select Matrix Data File", ""};
    QStringList filters;
    QString title, folder;
    whenShown<QFileDialog>([&](QFileDialog& dialog) {
        filters = dialog.nameFilters();
        title = dialog.windowTitle();
        folder = dialog.directory().absolutePath();
        dialog.selectFile(QString::fromStdString(file));
        static_cast<QDialog&>(dialog).accept(); // QFileDialog hides it
    });
    shell.showOpen(d);
    EXPECT_EQ(d.FileName, file);
    EXPECT_EQ(filters, (QStringList{"Matrix Data File (*.txt)", "All files (*.*)"}));
    EXPECT_EQ(title, "Select Matrix Data File");
    EXPECT_EQ(folder.toStdString(), dir.path());

    bool confirmsOverwrite = true;
    whenShown<QFileDialog>([&](QFileDialog& dialog) {
        confirmsOverwrite = !dialog.testOption(QFileDialog::DontConfirmOverwrite);
        dialog.reject();
    });
    shell.showSave(d);
    EXPECT_EQ(d.FileName, "");
    EXPECT_FALSE(confirmsOverwrite); // the program asks its own question
}

TEST_F(QtShellTest, ModalFormRunsUntilUnloaded) {
    SampleForm f;
    f.cmdOK.onClick = [&] { f.form.unload(); };
    bool wasModal = false;
    QPointer<QWidget> shown;
    QTimer::singleShot(20, [&] {
        FormWindow* w = shell.windowOf(f.form);
        ASSERT_NE(w, nullptr);
        shown = w->window();
        wasModal = shown->isModal() && shown->isVisible();
        QTest::mouseClick(w->widgetFor(f.cmdOK), Qt::LeftButton);
    });
    shell.showForm(f.form, true);
    EXPECT_TRUE(wasModal);
    EXPECT_FALSE(f.form.Loaded());
    EXPECT_EQ(shell.windowOf(f.form), nullptr);
    settle();
    EXPECT_TRUE(shown.isNull()); // the window is gone with the form
}

TEST_F(QtShellTest, ModelessFormIsShownOnceAndBroughtBack) {
    SampleForm f;
    f.form.unload();
    shell.showForm(f.form, false);
    EXPECT_TRUE(f.form.Loaded());
    FormWindow* w = shell.windowOf(f.form);
    ASSERT_NE(w, nullptr);
    EXPECT_TRUE(w->window()->isVisible());
    EXPECT_FALSE(w->window()->isModal());
    w->window()->hide();
    shell.showForm(f.form, false);
    EXPECT_EQ(shell.windowOf(f.form), w);
    EXPECT_TRUE(w->window()->isVisible());
    // Unloaded and shown again: a fresh window.
    f.form.unload();
    EXPECT_EQ(shell.windowOf(f.form), nullptr);
    shell.showForm(f.form, false);
    ASSERT_NE(shell.windowOf(f.form), nullptr);
    f.form.unload();
    settle();
}

TEST_F(QtShellTest, ABoxFromLostFocusThatKeepsTheFocusRaisesNoEventOnTheClickedControl) {
    SampleForm f;
    shell.showForm(f.form, false);
    FormWindow* w = shell.windowOf(f.form);
    activate(w->window());
    f.txtA.SetFocus();
    // A validation that refuses to let go: a box, then the focus back.
    f.txtA.onLostFocus = [&] {
        f.log.push_back("txtA.LostFocus");
        whenShown<QMessageBox>([&](QMessageBox& box) {
            // The clicked box's window handing it the focus back while the box is up.
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
    EXPECT_EQ(f.form.ActiveControl(), &f.txtA);
    // The box took the activation; the window gives the focus to this widget on its return.
    EXPECT_EQ(w->window()->focusWidget(), w->widgetFor(f.txtA));
    f.form.unload();
    settle();
}

} // namespace
} // namespace velmor::test
