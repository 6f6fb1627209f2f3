#pragma once

#include <string>

namespace velmor {

// Operating-system services the windows need beyond dialogs; a fake records them in tests.
class PlatformServices {
  public:
    virtual ~PlatformServices() = default;

    virtual std::string currentDirectory() = 0;
    // The name of a regular file in `dir` whose name equals `name` without regard to case,
    // as stored on disk; "" when there is none.
    virtual std::string findFileNoCase(const std::string& dir, const std::string& name) = 0;
    virtual bool fileExists(const std::string& path) = 0;
    // Opens a document with the desktop's default handler: 0 opened, 2 not found, else other.
    virtual int openDocument(const std::string& path, const std::string& workingDir) = 0;
    // Path of an installed system-information program, or "".
    virtual std::string findSystemInfoTool() = 0;
    // Starts a program without waiting; false when it could not be started.
    virtual bool startProgram(const std::string& path) = 0;
    // Current local date and time in the general date format ("12/5/2026 1:14:27 AM").
    virtual std::string nowText() = 0;
    // Ends the process's event loop at once.
    virtual void quit() = 0;
    // Width in twips a grid cell needs to show `text` whole in the given font, its margins
    // included.
    virtual int cellTextWidth(const std::string& text, const std::string& fontName,
                              double fontSize) = 0;
    // Width of the screen's usable area, in twips.
    virtual int screenWidth() = 0;
};

} // namespace velmor
