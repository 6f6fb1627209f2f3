#pragma once

#include <string>
#include <vector>

#include <QKeyEvent>
#include <QRect>
#include <QString>
#include <QStringList>

namespace velmor {

inline constexpr double kTwipsPerPixel = 15.0;

// Twips to logical pixels. Geometry is converted edge by edge (left and right edges rounded
// separately), so widgets that share an edge in twips share it in pixels too.
int twipsToPx(double twips);
QRect twipsToRect(double left, double top, double width, double height);
double pxToTwips(int px);

inline QString toQt(const std::string& s) {
    return QString::fromStdString(s);
}
// Box prompts may break lines with a carriage return alone, which Qt's labels do not show
// as a break.
inline QString promptToQt(const std::string& s) {
    QString text = QString::fromStdString(s);
    text.replace(QLatin1String("\r\n"), QLatin1String("\n"));
    text.replace(QLatin1Char('\r'), QLatin1Char('\n'));
    return text;
}
inline std::string fromQt(const QString& s) {
    return s.toStdString();
}

// Caret positions: QString (UTF-16) index to UTF-8 byte offset and back.
int utf8Offset(const QString& text, int pos);
int qtPosition(const QString& text, int bytes);

// The classic virtual key code of a key (13 Enter, 37..40 arrows, 65..90 letters...), or 0.
int virtualKeyCode(const QKeyEvent& event);
// Shift state bits of the key handlers: 1 Shift, 2 Ctrl, 4 Alt.
int shiftState(Qt::KeyboardModifiers modifiers);
// The character codes a key press types (13 Enter, 8 Backspace, printable code points);
// empty when the key types nothing and is left to the widget (arrows, Delete, Ctrl+V...).
std::vector<int> typedChars(const QKeyEvent& event);

// Qt name filters from a file dialog filter "Text (*.txt)|*.txt|All files (*.*)|*.*".
QStringList nameFilters(const std::string& filter);

// The image of a picture or window icon resource name ("velmor" -> ":/velmor.png").
QString resourcePath(const std::string& name);

} // namespace velmor
