// What one wizard page leaves for the next and for the browser launch. The
// sheet carries it and hands it to each page; a page needs nothing else of
// the sheet.
#pragma once

#include <string>

enum BrowserChoice { BrowserNetscape = 0, BrowserIE3 = 1, BrowserIE4 = 2 };

class WizardState {
public:
    explicit WizardState(std::string startDirectory) : startDirectory_(std::move(startDirectory)) {}

    void SetBrowserChoice(int choice) { browserChoice_ = choice; }
    int GetBrowserChoice() const { return browserChoice_; }
    void SetPluginPath(const std::string& path) { pluginPath_ = path; }
    std::string GetPluginPath() const { return pluginPath_; }
    void SetBrowserProgramDirectory(const std::string& d) { browserProgramDirectory_ = d; }
    std::string GetBrowserProgramDirectory() const { return browserProgramDirectory_; }
    std::string GetStartDirectory() const { return startDirectory_; }

private:
    std::string browserProgramDirectory_;
    std::string startDirectory_;
    std::string pluginPath_;
    int browserChoice_ = BrowserIE4;
};
