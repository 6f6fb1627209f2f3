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

// The label texts are pinned by the controller test; here the window and its widgets.
TEST_F(AboutQtTest, ShowsEveryLineOnceAndClosesWithEnterOrEscape) {
    FormWindow& about = openAbout();
    FrmAbout& a = *frm->frmAbout;
    QWidget* window = about.window();
    EXPECT_EQ(window->windowTitle(), "About Velmor");
    EXPECT_FALSE(window->isModal()) << "the About box is modeless";
    // One paragraph that the label wraps, under the separator line.
    EXPECT_TRUE(label(about, a.lblDisclaimer).startsWith("Warning"));
    EXPECT_FALSE(label(about, a.lblDisclaimer).contains('\n'));
    auto* line = qobject_cast<QFrame*>(about.widgetFor(a.Line1));
    ASSERT_TRUE(line && line->isVisible());
    EXPECT_EQ(line->frameShape(), QFrame::HLine);
    EXPECT_TRUE(qobject_cast<QPushButton*>(about.widgetFor(a.cmdOK))->isDefault());
    // Every line of every label shows: only the descent of a last line may be cut.
    for (const Control* c : {&a.lblTitle, &a.lblVersion, &a.lblDescription, &a.lblDisclaimer}) {
        auto* l = qobject_cast<QLabel*>(about.widgetFor(*c));
        EXPECT_LE(l->heightForWidth(l->width()) - l->fontMetrics().descent(), l->height())
            << c->name();
    }

    // A second About brings the same window to the front.
    waitActive(main->window());
    main->actionFor(frm->mnuAbout)->trigger();
    settle();
    EXPECT_EQ(&dialogs.windowOf(frm->frmAbout->form), &about);
    waitActive(window);

    QPointer<QWidget> first = window;
    press(Qt::Key_Return);
    settle();
    EXPECT_FALSE(frm->frmAbout->form.Loaded()) << "Enter presses OK";
    EXPECT_TRUE(first.isNull() || !first->isVisible());

    waitActive(main->window()); // the desktop hands the activation back
    openAbout();
    press(Qt::Key_Escape);
    settle();
    EXPECT_FALSE(frm->frmAbout->form.Loaded()) << "Esc presses OK";
    EXPECT_TRUE(main->window()->isVisible()) << "Esc in the About box is no Exit";
    EXPECT_EQ(platform.quits, 0);
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
