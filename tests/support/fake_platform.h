#pragma once

#include <filesystem>
#include <stdexcept>
#include <string>
#include <vector>

#include "store/file_lookup.h"
#include "ui/view/platform_services.h"

namespace velmor::test {

// Platform services over a real folder, recording what would have been started or opened.
class FakePlatform : public PlatformServices {
  public:
    std::string currentDir = std::filesystem::temp_directory_path().string();
    std::string configDir; // "" : no user or installed settings unless a test sets them
    std::string dataDir;
    std::string homeDir = "/home/user";
    bool factsFail = false;
    std::string now = "12/5/2026 1:14:27 AM";
    std::vector<std::string> opened; // help pages shown
    bool quitCalled = false;

    std::string currentDirectory() override { return currentDir; }
    std::string findFileNoCase(const std::string& dir, const std::string& name) override {
        return velmor::findFileNoCase(dir, name);
    }
    bool fileExists(const std::string& path) override {
        std::error_code ec;
        return std::filesystem::is_regular_file(path, ec);
    }
    std::string userConfigDirectory() override { return configDir; }
    std::string installedDataDirectory() override { return dataDir; }
    std::string homeDirectory() override { return homeDir; }
    int showHelp(const std::string& path) override {
        opened.push_back(path);
        return fileExists(path) ? 0 : 2;
    }
    std::vector<std::pair<std::string, std::string>> systemFacts() override {
        if (factsFail) throw std::runtime_error("no facts");
        return {{"Operating system", "Debian GNU/Linux 12"}, {"Qt", "6.4.2"}};
    }
    std::string nowText() override { return now; }
    void quit() override { quitCalled = true; }
    // 90 twips a character and 90 for the margins; a 1024-pixel screen.
    int cellTextWidth(const std::string& text, const std::string&, double) override {
        return 90 * static_cast<int>(text.size() + 1);
    }
    int screenWidth() override { return 15360; }
    std::string clipText, clipHtml;
    void setClipboard(const std::string& text, const std::string& html) override {
        clipText = text;
        clipHtml = html;
    }
    std::string clipboardText() override { return clipText; }
};

} // namespace velmor::test
