#include "ui/qt/qt_convert.h"

#include <gtest/gtest.h>

namespace velmor {
namespace {

TEST(QtConvert, FileDialogFiltersBecomeQtNameFilters) {
    struct Case {
        const char* filter;
        QStringList expected;
    };
    const Case cases[] = {
        {"Matrix Data File (*.txt)|*.txt|All files (*.*)|*.*",
         {"Matrix Data File (*.txt)", "All files (*.*)"}},
        {"Help files (*.chm)|*.chm", {"Help files (*.chm)"}},
        // A description that does not show its patterns gets them appended, as Qt reads them
        // from the last parenthesised group.
        {"Text|*.txt;*.dat", {"Text (*.txt *.dat)"}},
        {"", {}},
    };
    for (const auto& c : cases) EXPECT_EQ(nameFilters(c.filter), c.expected) << c.filter;
}

TEST(QtConvert, TwipsMapEdgeByEdgeSoNeighboursShareEdges) {
    EXPECT_EQ(twipsToRect(225, 960, 1215, 495), QRect(15, 64, 81, 33));
    // 3105 + 550 = 3655 twips: the heading column's right edge and the next cell's left edge.
    QRect heading = twipsToRect(3105, 0, 550, 240);
    QRect cell = twipsToRect(3105 + 550, 0, 1056, 240);
    EXPECT_EQ(heading.x() + heading.width(), cell.x());
    EXPECT_EQ(cell.height(), 16);
    EXPECT_EQ(twipsToPx(7.5), 1);
    EXPECT_DOUBLE_EQ(pxToTwips(16), 240);
}

TEST(QtConvert, CaretPositionsConvertBetweenUtf16AndUtf8) {
    QString text = QString::fromUtf8("a\xC3\xA9z\xF0\x9F\x98\x80!"); // a é z 😀 !
    struct Case {
        int qt, bytes;
    };
    const Case cases[] = {{0, 0}, {1, 1}, {2, 3}, {3, 4}, {5, 8}, {6, 9}};
    for (const auto& c : cases) {
        EXPECT_EQ(utf8Offset(text, c.qt), c.bytes) << c.qt;
        EXPECT_EQ(qtPosition(text, c.bytes), c.qt) << c.bytes;
    }
    // An offset inside a code point counts from its start; out of range is clamped.
    EXPECT_EQ(qtPosition(text, 2), 1);
    EXPECT_EQ(qtPosition(text, 99), text.size());
    EXPECT_EQ(utf8Offset(text, -4), 0);
}

TEST(QtConvert, KeysMapToClassicKeyCodesAndTypedCharacters) {
    struct Case {
        Qt::Key key;
        Qt::KeyboardModifiers mods;
        QString text;
        int keyCode;
        std::vector<int> typed;
    };
    const Case cases[] = {
        {Qt::Key_Return, Qt::NoModifier, "\r", 13, {13}},
        {Qt::Key_Enter, Qt::KeypadModifier, "\r", 13, {13}},
        {Qt::Key_Backspace, Qt::NoModifier, "\b", 8, {8}},
        {Qt::Key_Escape, Qt::NoModifier, "\x1b", 27, {}},
        {Qt::Key_Tab, Qt::NoModifier, "\t", 9, {}},
        {Qt::Key_Space, Qt::NoModifier, " ", 32, {32}},
        {Qt::Key_A, Qt::NoModifier, "a", 65, {'a'}},
        {Qt::Key_A, Qt::ShiftModifier, "A", 65, {'A'}},
        {Qt::Key_7, Qt::NoModifier, "7", 55, {'7'}},
        {Qt::Key_Minus, Qt::NoModifier, "-", 189, {'-'}},
        {Qt::Key_Period, Qt::NoModifier, ".", 190, {'.'}},
        {Qt::Key_Up, Qt::NoModifier, "", 38, {}},
        {Qt::Key_Down, Qt::NoModifier, "", 40, {}},
        {Qt::Key_Left, Qt::NoModifier, "", 37, {}},
        {Qt::Key_Right, Qt::NoModifier, "", 39, {}},
        {Qt::Key_Home, Qt::NoModifier, "", 36, {}},
        {Qt::Key_End, Qt::NoModifier, "", 35, {}},
        {Qt::Key_PageUp, Qt::NoModifier, "", 33, {}},
        {Qt::Key_PageDown, Qt::NoModifier, "", 34, {}},
        {Qt::Key_Delete, Qt::NoModifier, "\x7f", 46, {}},
        {Qt::Key_V, Qt::ControlModifier, "\x16", 86, {}},
        {Qt::Key_Q, Qt::AltModifier, "q", 81, {}},
        {Qt::Key_Eacute, Qt::NoModifier, QString::fromUtf8("\xC3\xA9"), 0, {0xE9}},
    };
    for (const auto& c : cases) {
        QKeyEvent e(QEvent::KeyPress, c.key, c.mods, c.text);
        EXPECT_EQ(virtualKeyCode(e), c.keyCode) << c.key;
        EXPECT_EQ(typedChars(e), c.typed) << c.key;
    }
    EXPECT_EQ(shiftState(Qt::ShiftModifier | Qt::AltModifier), 5);
    EXPECT_EQ(shiftState(Qt::ControlModifier), 2);
}

} // namespace
} // namespace velmor
