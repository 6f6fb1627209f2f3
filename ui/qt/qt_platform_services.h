#pragma once

#include "ui/view/platform_services.h"

namespace velmor {

// Platform services of the running program: the file system, the desktop's document
// handler, programs on the PATH, the local clock, the event loop, text
// metrics and the screen.
class QtPlatformServices : public PlatformServices {
  public:
    std::string currentDirectory() override;
    std::string findFileNoCase(const std::string& dir, const std::string& name) override;
    bool fileExists(const std::string& path) override;
    int openDocument(const std::string& path, const std::string& workingDir) override;
    std::string findSystemInfoTool() override;
    bool startProgram(const std::string& path) override;
    std::string nowText() override;
    void quit() override;
    int cellTextWidth(const std::string& text, const std::string& fontName,
                      double fontSize) override;
    int screenWidth() override;
};

} // namespace velmor
