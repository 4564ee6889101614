#pragma once

#include "ui/HelpService.h"

#include <string>
#include <utility>
#include <vector>

// Records what the program asks of the help instead of opening a browser.
class TRecordingHelp : public THelpService {
public:
    void Open(const std::string& helpFile, int context) override
    {
        opened.emplace_back(helpFile, context);
    }
    void Quit(const std::string&) override { ++quits; }

    std::vector<std::pair<std::string, int>> opened;
    int quits = 0;
};
