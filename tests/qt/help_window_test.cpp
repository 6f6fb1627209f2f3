#include <QAction>
#include <QLineEdit>
#include <QTextBlock>
#include <QTextBrowser>
#include <QTextCursor>
#include <QTextDocument>

#include "tests/qt/qt_fixture.h"
#include "ui/qt/help_window.h"
#include "ui/qt/qt_platform_services.h"

namespace velmor::test {
namespace {

class HelpWindowTest : public QtFixture {};

// The user's guide opens in the program's own window; a click on a contents link moves to its
// section, Back returns, and Ctrl+F finds text.
TEST_F(HelpWindowTest, OpensTheGuideFollowsAnInternalLinkAndFinds) {
    QtPlatformServices platform;
    ASSERT_EQ(platform.showHelp(VELMOR_SOURCE_DIR "/Help/velmor.html"), 0);
    HelpWindow* help = platform.helpWindow();
    ASSERT_NE(help, nullptr);
    activate(help);
    QTextBrowser* browser = help->browser();
    EXPECT_EQ(browser->documentTitle(), "Velmor Help");

    // Click the contents entry that leads to the delimiters section.
    QTextCursor link = browser->document()->find("Delimiters and velmor.ini");
    ASSERT_FALSE(link.isNull());
    ASSERT_TRUE(link.charFormat().isAnchor());
    link.setPosition(link.selectionStart() + 2);
    const QPoint at = browser->cursorRect(link).center();
    QTest::mouseClick(browser->viewport(), Qt::LeftButton, Qt::NoModifier, at);
    EXPECT_EQ(browser->source().fragment(), "delimiters");
    EXPECT_TRUE(browser->isBackwardAvailable());
    QTest::keyClick(help, Qt::Key_Left, Qt::AltModifier); // Back
    EXPECT_TRUE(browser->source().fragment().isEmpty());

    QTest::keyClick(help, Qt::Key_F, Qt::ControlModifier);
    ASSERT_TRUE(help->findField()->hasFocus());
    QTest::keyClicks(help->findField(), "Keyboard summary");
    QTest::keyClick(help->findField(), Qt::Key_Return);
    EXPECT_EQ(browser->textCursor().selectedText(), "Keyboard summary");

    // A second request reuses the window; a missing page is reported, not shown.
    EXPECT_EQ(platform.showHelp(VELMOR_SOURCE_DIR "/Help/velmor.html"), 0);
    EXPECT_EQ(platform.helpWindow(), help);
    EXPECT_EQ(platform.showHelp(VELMOR_SOURCE_DIR "/Help/missing.html"), 2);
}

} // namespace
} // namespace velmor::test
