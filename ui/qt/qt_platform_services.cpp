#include "ui/qt/qt_platform_services.h"

#include <filesystem>

#include <QCoreApplication>
#include <QDateTime>
#include <QDesktopServices>
#include <QFont>
#include <QFontMetrics>
#include <QGuiApplication>
#include <QScreen>
#include <QProcess>
#include <QStandardPaths>
#include <QUrl>

#include "store/file_lookup.h"
#include "ui/qt/grid_delegate.h"
#include "ui/qt/qt_convert.h"

namespace velmor {

namespace {
// Result codes of opening a document: found and opened, missing, no handler.
constexpr int kOpened = 0;
constexpr int kNotFound = 2;
constexpr int kNoHandler = 31;
} // namespace

std::string QtPlatformServices::currentDirectory() {
    std::error_code ec;
    std::filesystem::path p = std::filesystem::current_path(ec);
    return ec ? std::string() : p.string();
}

std::string QtPlatformServices::findFileNoCase(const std::string& dir, const std::string& name) {
    return velmor::findFileNoCase(dir, name);
}

bool QtPlatformServices::fileExists(const std::string& path) {
    std::error_code ec;
    return std::filesystem::is_regular_file(path, ec);
}

int QtPlatformServices::openDocument(const std::string& path, const std::string& workingDir) {
    std::filesystem::path p(path);
    if (p.is_relative() && !workingDir.empty()) p = std::filesystem::path(workingDir) / p;
    if (!fileExists(p.string())) return kNotFound;
    return QDesktopServices::openUrl(QUrl::fromLocalFile(toQt(p.string()))) ? kOpened : kNoHandler;
}

std::string QtPlatformServices::findSystemInfoTool() {
    for (const char* name :
         {"hardinfo2", "hardinfo", "kinfocenter", "gnome-system-monitor", "lshw-gtk"}) {
        QString found = QStandardPaths::findExecutable(QString::fromLatin1(name));
        if (!found.isEmpty()) return fromQt(found);
    }
    return {};
}

bool QtPlatformServices::startProgram(const std::string& path) {
    return QProcess::startDetached(toQt(path), {});
}

std::string QtPlatformServices::nowText() {
    // toString with a format writes AM/PM in English whatever the locale.
    return fromQt(QDateTime::currentDateTime().toString(QStringLiteral("M/d/yyyy h:mm:ss AP")));
}

void QtPlatformServices::quit() {
    // Ends every running loop, nested ones included; the queued exit also ends a loop that
    // starts afterwards (the main loop, when start-up quits, or a box opened on the way out).
    QCoreApplication::exit(0);
    QMetaObject::invokeMethod(
        QCoreApplication::instance(), [] { QCoreApplication::exit(0); }, Qt::QueuedConnection);
}

} // namespace velmor

namespace velmor {

int QtPlatformServices::cellTextWidth(const std::string& text, const std::string& fontName,
                                      double fontSize) {
    // The font the grid binding gives its widget.
    QFont font(toQt(fontName));
    if (fontSize > 0) font.setPointSizeF(fontSize);
    const int px = QFontMetrics(font).horizontalAdvance(toQt(text)) + cellTextPadding(nullptr);
    return static_cast<int>(pxToTwips(px));
}

int QtPlatformServices::screenWidth() {
    QScreen* screen = QGuiApplication::primaryScreen();
    return static_cast<int>(pxToTwips(screen ? screen->availableGeometry().width() : 1024));
}

} // namespace velmor
