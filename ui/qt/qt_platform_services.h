#pragma once

#include <optional>

#include <QFontMetrics>
#include <QPointer>

#include "ui/qt/help_window.h"
#include "ui/view/platform_services.h"

namespace velmor {

// Platform services of the running program: the file system and the standard folders, the
// help window, the local clock, the event loop, the clipboard, text metrics and the screen.
class QtPlatformServices : public PlatformServices {
  public:
    QtPlatformServices();
    ~QtPlatformServices() override;
    QtPlatformServices(const QtPlatformServices&) = delete;
    QtPlatformServices& operator=(const QtPlatformServices&) = delete;

    std::string currentDirectory() override;
    std::string findFileNoCase(const std::string& dir, const std::string& name) override;
    bool fileExists(const std::string& path) override;
    std::string userConfigDirectory() override;
    std::string installedDataDirectory() override;
    std::string homeDirectory() override;
    int showHelp(const std::string& path) override;
    std::vector<std::pair<std::string, std::string>> systemFacts() override;
    std::string nowText() override;
    void quit() override;
    int cellTextWidth(const std::string& text, const std::string& fontName,
                      double fontSize) override;
    int screenWidth() override;
    void setClipboard(const std::string& text, const std::string& html) override;
    std::string clipboardText() override;

    // The help window once a page has been shown (it closes to hidden and is reused).
    HelpWindow* helpWindow() const { return helpWindow_; }

  private:
    QPointer<HelpWindow> helpWindow_;
    // The metrics of the last font asked for: fitting a column measures many texts in one.
    std::string metricsFontName_;
    double metricsFontSize_ = 0;
    std::optional<QFontMetrics> metrics_;
};

} // namespace velmor
