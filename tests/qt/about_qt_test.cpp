#include <QAction>
#include <QClipboard>
#include <QDir>
#include <QGuiApplication>
#include <QMenu>
#include <QMenuBar>
#include <QPlainTextEdit>

#include "tests/qt/real_main_window.h"
#include "ui/dialogs/frm_about.h"

namespace velmor::test {
namespace {

class AboutQtTest : public RealMainWindow {
  protected:
    // Help > About through the menu bar, as the keyboard opens it: Alt+H, then A.
    FormWindow& openAbout() {
        press(Qt::Key_H, Qt::AltModifier);
        QWidget* popup = QApplication::activePopupWidget();
        if (!popup) throw std::logic_error("Alt+H opened no menu");
        QTest::keyClick(popup, Qt::Key_A);
        settle();
        if (!frm->frmAbout) throw std::logic_error("no About box");
        FormWindow& about = dialogs.windowOf(frm->frmAbout->form);
        waitActive(about.window());
        return about;
    }
    QString label(FormWindow& about, const Control& c) {
        return qobject_cast<QLabel*>(about.widgetFor(c))->text();
    }
};

TEST_F(AboutQtTest, ShowsTheApplicationDataAndClosesWithEnterOrEscape) {
    FormWindow& about = openAbout();
    FrmAbout& a = *frm->frmAbout;
    QWidget* window = about.window();
    EXPECT_EQ(window->windowTitle(), "About Velmor");
    EXPECT_FALSE(window->isModal()) << "the About box is modeless";
    EXPECT_EQ(label(about, a.lblVersion), "Version 1.1.0");
    EXPECT_TRUE(label(about, a.lblTitle).startsWith("Dravik Software - Velmor\r\n") ||
                label(about, a.lblTitle).startsWith("Dravik Software - Velmor\n"))
        << label(about, a.lblTitle).toStdString();
    EXPECT_EQ(label(about, a.lblDescription),
              "Perform matrix calculations: transpose, invert, multiply, scale, add, subtract, "
              "and compute determinants.");
    // One paragraph that the label wraps, under the separator line.
    EXPECT_TRUE(label(about, a.lblDisclaimer).startsWith("Warning"));
    EXPECT_FALSE(label(about, a.lblDisclaimer).contains('\n'));
    auto* line = qobject_cast<QFrame*>(about.widgetFor(a.Line1));
    ASSERT_TRUE(line && line->isVisible());
    EXPECT_EQ(line->frameShape(), QFrame::HLine);
    auto* ok = qobject_cast<QPushButton*>(about.widgetFor(a.cmdOK));
    EXPECT_EQ(ok->text(), "OK");
    EXPECT_TRUE(ok->isDefault());
    EXPECT_EQ(qobject_cast<QPushButton*>(about.widgetFor(a.cmdSysInfo))->text(), "&System Info...");
    // Every line of every label shows: only the descent of a last line may be cut.
    for (const Control* c : {&a.lblTitle, &a.lblVersion, &a.lblDescription, &a.lblDisclaimer}) {
        auto* l = qobject_cast<QLabel*>(about.widgetFor(*c));
        EXPECT_LE(l->heightForWidth(l->width()) - l->fontMetrics().descent(), l->height())
            << c->name();
    }

    QPointer<QWidget> first = window;
    press(Qt::Key_Return);
    settle();
    EXPECT_FALSE(frm->frmAbout->form.Loaded()) << "Enter presses OK";
    EXPECT_TRUE(first.isNull() || !first->isVisible());

    waitActive(main->window()); // the desktop hands the activation back
    FormWindow& again = openAbout();
    EXPECT_TRUE(again.window()->isVisible());
    press(Qt::Key_Escape);
    settle();
    EXPECT_FALSE(frm->frmAbout->form.Loaded()) << "Esc presses OK";
    EXPECT_TRUE(main->window()->isVisible()) << "Esc in the About box is no Exit";
    EXPECT_EQ(platform.quits, 0);
}

TEST_F(AboutQtTest, ASecondAboutBringsTheSameBoxToTheFront) {
    FormWindow& about = openAbout();
    waitActive(main->window());
    main->actionFor(frm->mnuAbout)->trigger();
    settle();
    EXPECT_EQ(&dialogs.windowOf(frm->frmAbout->form), &about);
    EXPECT_TRUE(about.window()->isVisible());
    waitActive(about.window());
    int abouts = 0;
    for (const Box& b : dialogs.boxes) abouts += b.kind == Box::FormShown && b.prompt == "frmAbout";
    EXPECT_EQ(abouts, 2);
    EXPECT_TRUE(dialogs.messages().empty());
}

TEST_F(AboutQtTest, SystemInfoShowsTheFactsAndCopiesThem) {
    FormWindow& about = openAbout();
    QString shown;
    dialogs.inModal([&](Form& f) {
        FormWindow& info = dialogs.windowOf(f);
        EXPECT_EQ(info.window()->windowTitle(), "System Information");
        shown = qobject_cast<QPlainTextEdit*>(info.widgetFor(*f.find("txtInfo")))->toPlainText();
        click(info.widgetFor(*f.find("cmdCopy")));
        press(Qt::Key_Escape);
    });
    click(about.widgetFor(frm->frmAbout->cmdSysInfo));
    settle();
    EXPECT_TRUE(shown.contains("Settings file:        " + QDir::currentPath() + "/velmor.ini"))
        << shown.toStdString();
    EXPECT_EQ(QGuiApplication::clipboard()->text(), shown);
    EXPECT_TRUE(frm->frmAbout->form.Loaded());
}

} // namespace
} // namespace velmor::test
