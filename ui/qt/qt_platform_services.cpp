#include "ui/qt/qt_platform_services.h"

#include <filesystem>

#include <QClipboard>
#include <QCoreApplication>
#include <QDateTime>
#include <QDesktopServices>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QFont>
#include <QFontMetrics>
#include <QGuiApplication>
#include <QMimeData>
#include <QProcess>
#include <QScreen>
#include <QSysInfo>
#include <QThread>
#include <QStandardPaths>
#include <QtGlobal>

#include "store/file_lookup.h"
#include "ui/qt/grid_delegate.h"
#include "ui/qt/help_window.h"
#include "ui/qt/qt_convert.h"

namespace velmor {

namespace {
// Result codes of showing a help page: shown, missing, present but unreadable.
constexpr int kOpened = 0;
constexpr int kNotFound = 2;
constexpr int kUnreadable = 31;
} // namespace

namespace {
// The value of the first "key : value" line of a /proc file, "" when there is none.
QString procField(const char* path, const char* key) {
    QFile file(QString::fromLatin1(path));
    if (!file.open(QIODevice::ReadOnly | QIODevice::Text)) return {};
    const QString text = QString::fromUtf8(file.readAll());
    for (const QString& line : text.split(QLatin1Char('\n')))
        if (line.section(QLatin1Char(':'), 0, 0).trimmed() == QLatin1String(key))
            return line.section(QLatin1Char(':'), 1).trimmed();
    return {};
}
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

std::string QtPlatformServices::userConfigDirectory() {
    // Honours XDG_CONFIG_HOME; ~/.config without it.
    const QString base = QStandardPaths::writableLocation(QStandardPaths::GenericConfigLocation);
    return base.isEmpty() ? std::string() : fromQt(base + QStringLiteral("/velmor"));
}

std::string QtPlatformServices::installedDataDirectory() {
    // Beside the program first (bin/../share/velmor, whatever the prefix), then the data
    // folders of XDG_DATA_DIRS.
    const QString beside =
        QCoreApplication::applicationDirPath() + QStringLiteral("/../share/velmor");
    if (QFileInfo(beside).isDir()) return fromQt(QDir::cleanPath(beside));
    return fromQt(QStandardPaths::locate(QStandardPaths::GenericDataLocation,
                                         QStringLiteral("velmor"),
                                         QStandardPaths::LocateDirectory));
}

std::string QtPlatformServices::homeDirectory() {
    return fromQt(QDir::homePath());
}

QtPlatformServices::QtPlatformServices() = default;

QtPlatformServices::~QtPlatformServices() {
    delete helpWindow_;
}

int QtPlatformServices::showHelp(const std::string& path) {
    if (!fileExists(path)) return kNotFound;
    if (!helpWindow_) helpWindow_ = new HelpWindow;
    return helpWindow_->showFile(toQt(path)) ? kOpened : kUnreadable;
}

std::vector<std::pair<std::string, std::string>> QtPlatformServices::systemFacts() {
    std::vector<std::pair<std::string, std::string>> facts;
    auto add = [&facts](const char* item, const QString& value) {
        facts.emplace_back(item, fromQt(value.isEmpty() ? QStringLiteral("unknown") : value));
    };
    add("Velmor", QCoreApplication::applicationVersion());
    add("Operating system", QSysInfo::prettyProductName() + QStringLiteral(", kernel ") +
                                QSysInfo::kernelVersion() + QStringLiteral(", ") +
                                QSysInfo::currentCpuArchitecture());
    const QString desktop = qEnvironmentVariable("XDG_CURRENT_DESKTOP");
    const QString session = qEnvironmentVariable("XDG_SESSION_TYPE");
    add("Desktop session", (desktop.isEmpty() ? QStringLiteral("unknown") : desktop) +
                               QStringLiteral(", ") +
                               (session.isEmpty() ? QStringLiteral("unknown") : session) +
                               QStringLiteral(" (Qt platform ") + QGuiApplication::platformName() +
                               QStringLiteral(")"));
    add("Qt", QString::fromLatin1(qVersion()) + QStringLiteral(" (built with ") +
                  QStringLiteral(QT_VERSION_STR) + QStringLiteral(")"));
    add("Processor", procField("/proc/cpuinfo", "model name"));
    add("Cores", QString::number(QThread::idealThreadCount()));
    const QString memory = procField("/proc/meminfo", "MemTotal"); // "16314232 kB"
    const double kib = memory.section(QLatin1Char(' '), 0, 0).toDouble();
    add("Memory", kib > 0
                      ? QString::number(kib / (1024.0 * 1024.0), 'f', 1) + QStringLiteral(" GiB")
                      : QString());
    if (const QScreen* screen = QGuiApplication::primaryScreen()) {
        const QSize size = screen->size();
        add("Screen", QStringLiteral("%1 x %2 at scale %3, %4 dpi")
                          .arg(size.width())
                          .arg(size.height())
                          .arg(screen->devicePixelRatio())
                          .arg(qRound(screen->logicalDotsPerInch())));
    } else {
        add("Screen", QString());
    }
    return facts;
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

void QtPlatformServices::setClipboard(const std::string& text, const std::string& html) {
    auto* data = new QMimeData;
    data->setText(toQt(text));
    if (!html.empty()) data->setHtml(toQt(html));
    QGuiApplication::clipboard()->setMimeData(data);
}

std::string QtPlatformServices::clipboardText() {
    return fromQt(QGuiApplication::clipboard()->text());
}

} // namespace velmor

namespace velmor {

int QtPlatformServices::cellTextWidth(const std::string& text, const std::string& fontName,
                                      double fontSize) {
    if (!metrics_ || fontName != metricsFontName_ || fontSize != metricsFontSize_) {
        // The font the grid binding gives its widget.
        QFont font(toQt(fontName));
        if (fontSize > 0) font.setPointSizeF(fontSize);
        metrics_.emplace(font);
        metricsFontName_ = fontName;
        metricsFontSize_ = fontSize;
    }
    const int px = metrics_->horizontalAdvance(toQt(text)) + cellTextPadding(nullptr);
    return static_cast<int>(pxToTwips(px));
}

int QtPlatformServices::screenWidth() {
    QScreen* screen = QGuiApplication::primaryScreen();
    return static_cast<int>(pxToTwips(screen ? screen->availableGeometry().width() : 1024));
}

} // namespace velmor
