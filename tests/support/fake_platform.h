#pragma once

#include <filesystem>
#include <string>
#include <vector>

#include "store/file_lookup.h"
#include "ui/view/platform_services.h"

namespace velmor::test {

// Platform services over a real folder, recording what would have been started or opened.
class FakePlatform : public PlatformServices {
  public:
    std::string currentDir = std::filesystem::temp_directory_path().string();
    std::string sysInfoTool;
    bool startSucceeds = true;
    std::string now = "12/5/2026 1:14:27 AM";
    std::vector<std::string> opened;  // documents opened, as "path|workingDir"
    std::vector<std::string> started; // programs started
    bool quitCalled = false;
    bool noHandler = false; // an existing document has no program to open it

    std::string currentDirectory() override { return currentDir; }
    std::string findFileNoCase(const std::string& dir, const std::string& name) override {
        return velmor::findFileNoCase(dir, name);
    }
    bool fileExists(const std::string& path) override {
        std::error_code ec;
        return std::filesystem::is_regular_file(path, ec);
    }
    int openDocument(const std::string& path, const std::string& workingDir) override {
        opened.push_back(path + "|" + workingDir);
        std::filesystem::path p(path);
        if (p.is_relative()) p = std::filesystem::path(workingDir) / p;
        return fileExists(p.string()) ? (noHandler ? 31 : 0) : 2;
    }
    std::string findSystemInfoTool() override { return sysInfoTool; }
    bool startProgram(const std::string& path) override {
        started.push_back(path);
        return startSucceeds;
    }
    std::string nowText() override { return now; }
    void quit() override { quitCalled = true; }
};

} // namespace velmor::test
