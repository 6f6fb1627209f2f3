#include <QLineEdit>
#include <QPlainTextEdit>

#include "tests/qt/qt_fixture.h"
#include "tests/qt/sample_form.h"
#include "ui/qt/form_window.h"

namespace velmor::test {
namespace {

class TextBindingTest : public QtFixture {
  protected:
    void SetUp() override {
        window = std::make_unique<FormWindow>(f.form);
        window->present(false);
        activate(window->window());
        a = qobject_cast<QLineEdit*>(window->widgetFor(f.txtA));
        ASSERT_NE(a, nullptr);
    }
    void focusA() {
        QTest::mouseClick(a, Qt::LeftButton);
        f.log.clear();
    }

    SampleForm f;
    std::unique_ptr<FormWindow> window;
    QLineEdit* a = nullptr;
};

TEST_F(TextBindingTest, TypedCharactersGoThroughTheTextBox) {
    focusA();
    std::vector<int> keyDowns;
    f.txtA.onKeyDown = [&](int& code, int) { keyDowns.push_back(code); };
    QTest::keyClicks(a, "a1");
    EXPECT_EQ(f.txtA.Text(), "a1");
    EXPECT_EQ(a->text(), "a1");
    EXPECT_EQ(f.log, (std::vector<std::string>{"txtA.Change a", "txtA.Change a1"}));
    EXPECT_EQ(keyDowns, (std::vector<int>{'A', '1'}));
    EXPECT_EQ(f.txtA.SelStart(), 2);
    // An access key that matches nothing types nothing.
    QTest::keyClick(a, Qt::Key_Q, Qt::AltModifier);
    EXPECT_EQ(f.txtA.Text(), "a1");
    EXPECT_EQ(a->text(), "a1");
}

TEST_F(TextBindingTest, KeyPressHandlerDecidesWhatIsInserted) {
    focusA();
    f.txtA.onKeyPress = [](int& k) {
        if (k == 'x') k = 0;                      // swallowed
        if (k >= 'a' && k <= 'z') k -= 'a' - 'A'; // replaced
    };
    QTest::keyClicks(a, "axb");
    EXPECT_EQ(f.txtA.Text(), "AB");
    EXPECT_EQ(a->text(), "AB");
}

TEST_F(TextBindingTest, TypingReplacesTheSelectionMadeInTheWidget) {
    f.txtA.setText("h\xC3\xA9llo"); // "héllo"
    focusA();
    a->setSelection(1, 3); // "éll"
    QTest::keyClicks(a, "a");
    EXPECT_EQ(f.txtA.Text(), "hao");
    EXPECT_EQ(a->text(), "hao");
    EXPECT_EQ(a->cursorPosition(), 2);
    QTest::keyClick(a, Qt::Key_Backspace);
    EXPECT_EQ(f.txtA.Text(), "ho");
}

TEST_F(TextBindingTest, EditsQtMakesItselfAreReportedAsNewText) {
    f.txtA.setText("abc");
    focusA();
    int deleteKeyDowns = 0;
    f.txtA.onKeyDown = [&](int& code, int) { deleteKeyDowns += code == 46; };
    QTest::keyClick(a, Qt::Key_Home);
    QTest::keyClick(a, Qt::Key_Delete);
    EXPECT_EQ(deleteKeyDowns, 1);
    EXPECT_EQ(f.txtA.Text(), "bc");
    EXPECT_EQ(f.log, std::vector<std::string>{"txtA.Change bc"});
    // The caret stays where Qt left it, and the box knows it.
    EXPECT_EQ(a->cursorPosition(), 0);
    EXPECT_EQ(f.txtA.SelStart(), 0);
    a->selectAll();
    a->cut();
    EXPECT_EQ(f.txtA.Text(), "");
}

TEST_F(TextBindingTest, CodeChangesShowInTheWidgetWithTheirSelection) {
    f.txtA.setText("matrix");
    EXPECT_EQ(a->text(), "matrix");
    f.txtA.setSelStart(0);
    f.txtA.setSelLength(100);
    EXPECT_EQ(a->selectedText(), "matrix");
    f.txtA.setEnabled(false);
    EXPECT_FALSE(a->isEnabled());
    f.txtA.setToolTipText("Name");
    EXPECT_EQ(a->toolTip(), "Name");
}

TEST_F(TextBindingTest, LockedBoxIsReadOnlyAndTypesNothing) {
    f.txtB.setLocked(true);
    f.txtB.setText("fixed");
    auto* b = qobject_cast<QLineEdit*>(window->widgetFor(f.txtB));
    EXPECT_TRUE(b->isReadOnly());
    QTest::mouseClick(b, Qt::LeftButton);
    QTest::keyClicks(b, "zz");
    EXPECT_EQ(f.txtB.Text(), "fixed");
    EXPECT_EQ(b->text(), "fixed");
}

TEST_F(TextBindingTest, EnterPressesTheDefaultButtonUnlessItsHandlerMovedTheFocus) {
    focusA();
    QTest::keyClick(a, Qt::Key_Return);
    EXPECT_TRUE(f.logged("cmdOK.Click"));
    EXPECT_EQ(f.txtA.Text(), ""); // a single-line box takes no Enter

    f.txtA.SetFocus();
    f.txtA.onKeyDown = [&](int& code, int) {
        if (code == 13) f.txtB.SetFocus();
    };
    f.log.clear();
    QTest::keyClick(a, Qt::Key_Return);
    EXPECT_FALSE(f.logged("cmdOK.Click"));
    EXPECT_EQ(f.form.ActiveControl(), &f.txtB);
    EXPECT_EQ(QApplication::focusWidget(), window->widgetFor(f.txtB));
}

TEST_F(TextBindingTest, MultiLineBoxTakesEnterAsANewLine) {
    Form form("frmMulti");
    TextBox box(form, "txtNotes");
    box.setMultiLine(true);
    box.move(0, 0, 3000, 900);
    form.userResize(3300, 1500);
    FormWindow w(form);
    w.present(false);
    activate(w.window());
    auto* plain = qobject_cast<QPlainTextEdit*>(w.widgetFor(box));
    ASSERT_NE(plain, nullptr);
    QTest::mouseClick(plain->viewport(), Qt::LeftButton);
    QTest::keyClicks(plain, "a");
    QTest::keyClick(plain, Qt::Key_Return);
    QTest::keyClicks(plain, "b");
    EXPECT_EQ(box.Text(), "a\nb");
    EXPECT_EQ(plain->toPlainText(), "a\nb");
    plain->selectAll();
    plain->cut();
    EXPECT_EQ(box.Text(), "");
}

} // namespace
} // namespace velmor::test
