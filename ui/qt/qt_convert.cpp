#include "ui/qt/qt_convert.h"

#include <cmath>

namespace velmor {

int twipsToPx(double twips) {
    return static_cast<int>(std::lround(twips / kTwipsPerPixel));
}

QRect twipsToRect(double left, double top, double width, double height) {
    int x = twipsToPx(left), y = twipsToPx(top);
    return {x, y, std::max(0, twipsToPx(left + width) - x),
            std::max(0, twipsToPx(top + height) - y)};
}

double pxToTwips(int px) {
    return px * kTwipsPerPixel;
}

int utf8Offset(const QString& text, int pos) {
    pos = std::clamp(pos, 0, static_cast<int>(text.size()));
    return static_cast<int>(QStringView(text).left(pos).toUtf8().size());
}

int qtPosition(const QString& text, int bytes) {
    QByteArray utf8 = text.toUtf8();
    bytes = std::clamp(bytes, 0, static_cast<int>(utf8.size()));
    // Step back to the start of a code point so a partial sequence never counts.
    while (bytes > 0 && bytes < utf8.size() &&
           (static_cast<unsigned char>(utf8[bytes]) & 0xC0) == 0x80)
        --bytes;
    return static_cast<int>(QString::fromUtf8(utf8.left(bytes)).size());
}

int virtualKeyCode(const QKeyEvent& event) {
    int k = event.key();
    bool keypad = event.modifiers() & Qt::KeypadModifier;
    if (k >= Qt::Key_A && k <= Qt::Key_Z) return 'A' + (k - Qt::Key_A);
    if (k >= Qt::Key_0 && k <= Qt::Key_9) return (keypad ? 96 : '0') + (k - Qt::Key_0);
    if (k >= Qt::Key_F1 && k <= Qt::Key_F16) return 112 + (k - Qt::Key_F1);
    switch (k) {
    case Qt::Key_Return:
    case Qt::Key_Enter:
        return 13;
    case Qt::Key_Backspace:
        return 8;
    case Qt::Key_Tab:
    case Qt::Key_Backtab:
        return 9;
    case Qt::Key_Escape:
        return 27;
    case Qt::Key_Space:
        return 32;
    case Qt::Key_PageUp:
        return 33;
    case Qt::Key_PageDown:
        return 34;
    case Qt::Key_End:
        return 35;
    case Qt::Key_Home:
        return 36;
    case Qt::Key_Left:
        return 37;
    case Qt::Key_Up:
        return 38;
    case Qt::Key_Right:
        return 39;
    case Qt::Key_Down:
        return 40;
    case Qt::Key_Insert:
        return 45;
    case Qt::Key_Delete:
        return 46;
    case Qt::Key_Shift:
        return 16;
    case Qt::Key_Control:
        return 17;
    case Qt::Key_Alt:
        return 18;
    case Qt::Key_Asterisk:
        return keypad ? 106 : 0;
    case Qt::Key_Plus:
        return keypad ? 107 : 187;
    case Qt::Key_Minus:
        return keypad ? 109 : 189;
    case Qt::Key_Period:
        return keypad ? 110 : 190;
    case Qt::Key_Slash:
        return keypad ? 111 : 191;
    case Qt::Key_Comma:
        return 188;
    case Qt::Key_Semicolon:
        return 186;
    case Qt::Key_Equal:
        return 187;
    default:
        return 0;
    }
}

int shiftState(Qt::KeyboardModifiers modifiers) {
    int s = 0;
    if (modifiers & Qt::ShiftModifier) s |= 1;
    if (modifiers & Qt::ControlModifier) s |= 2;
    if (modifiers & Qt::AltModifier) s |= 4;
    return s;
}

std::vector<int> typedChars(const QKeyEvent& event) {
    int k = event.key();
    bool ctrl = event.modifiers() & (Qt::ControlModifier | Qt::MetaModifier);
    if (k == Qt::Key_Return || k == Qt::Key_Enter) return {13};
    if (k == Qt::Key_Backspace) return ctrl ? std::vector<int>{} : std::vector<int>{8};
    // Alt with a letter is an access key that matched nothing: it types nothing.
    if ((event.modifiers() & Qt::AltModifier) && !(event.modifiers() & Qt::ControlModifier))
        return {};
    std::vector<int> out;
    for (char32_t c : event.text().toUcs4())
        if (c >= 32 && c != 127) out.push_back(static_cast<int>(c));
    return out;
}

QStringList nameFilters(const std::string& filter) {
    QStringList parts = toQt(filter).split('|');
    QStringList out;
    for (qsizetype i = 0; i + 1 < parts.size(); i += 2) {
        QString desc = parts[i].trimmed();
        QString patterns = parts[i + 1].trimmed();
        patterns.replace(';', ' ');
        // Qt reads the patterns from the last parenthesised group of the text.
        if (!desc.endsWith("(" + patterns + ")")) desc += " (" + patterns + ")";
        out << desc;
    }
    if (parts.size() % 2 == 1 && !parts.back().trimmed().isEmpty()) out << parts.back().trimmed();
    return out;
}

QString resourcePath(const std::string& name) {
    if (name.empty()) return {};
    if (name.front() == ':') return toQt(name);
    return ":/" + toQt(name) + ".png";
}

} // namespace velmor
