#include <new>
#include <stdexcept>

#include "tests/qt/real_main_window.h"

namespace velmor::test {
namespace {

using Safety = RealMainWindow;

// Handlers that throw past their own traps: the binding reports and the program goes on.
TEST_F(Safety, AnExceptionLeavingAHandlerIsShownAndTheListStays) {
    keyMatrix("P", 1, 1, "", {"5"});
    frm->cmdTranspose.onClick = [] { throw std::bad_alloc(); };
    frm->cboMatrixInput.onKeyDown = [](int&, int) { throw std::logic_error("injected"); };
    click(frm->cmdTranspose);
    click(frm->cboMatrixInput);
    press(Qt::Key_A);
    EXPECT_EQ(boxes(dialogs), (Boxes{{"Error No. - 7; There is not enough memory for this",
                                      MsgButtons::OK, MsgIcon::Critical, "Velmor"},
                                     {"Error No. - 51; An internal error stopped the action",
                                      MsgButtons::OK, MsgIcon::Critical, "Velmor"}}));
    EXPECT_EQ(frm->Matrices.Count(), 1);
    EXPECT_TRUE(main->window()->isVisible());
    EXPECT_EQ(platform.quits, 0);
}

// Esc while a matrix is keyed used to end the program and lose it.
TEST_F(Safety, EscDuringAnEntryAsksAndNoKeepsTheEntry) {
    click(frm->cmdInput);
    type("M");
    dialogs.answer(MsgResult::No);
    press(Qt::Key_Escape);
    ASSERT_EQ(dialogs.messages().size(), 1u);
    EXPECT_EQ(dialogs.messages()[0].defaultButton, 1);
    EXPECT_EQ(platform.quits, 0);
    EXPECT_EQ(text(frm->cboMatrixInput), "M");
    QWidget* name = w(frm->cboMatrixInput);
    EXPECT_TRUE(focused() == name || name->isAncestorOf(focused()));
}

} // namespace
} // namespace velmor::test
