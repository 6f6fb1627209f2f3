#pragma once

#include <string>
#include <utility>
#include <vector>

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
    // The user's own folder for Velmor's settings: $XDG_CONFIG_HOME/velmor, by default
    // ~/.config/velmor (it may not exist yet).
    virtual std::string userConfigDirectory() = 0;
    // The installed data folder (share/velmor: velmor.ini, Help/, exercises/), or "".
    virtual std::string installedDataDirectory() = 0;
    virtual std::string homeDirectory() = 0;
    // Shows an HTML page of the user's guide in the program's help window: 0 shown, 2 not
    // found, else another failure.
    virtual int showHelp(const std::string& path) = 0;
    // Facts about the system for a bug report, as (item, value) pairs in display order:
    // operating system, desktop session, toolkit, processor, memory, screen.
    virtual std::vector<std::pair<std::string, std::string>> systemFacts() = 0;
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
    // The clipboard: a plain text, with an HTML form of the same content when not empty.
    virtual void setClipboard(const std::string& text, const std::string& html) = 0;
    virtual std::string clipboardText() = 0;
};

} // namespace velmor
