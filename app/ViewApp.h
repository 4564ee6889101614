#pragma once

#include "ui/Application.h"

#include <string>

// One run of the program: measures the screen, chooses the browser's layout and template,
// and builds the browser inside the main frame. It keeps the start-up file, which every run
// opens once its browser is set up.
class TViewApp : public TApplication {
public:
    explicit TViewApp(std::string startupFile = {});

    const std::string& StartupFile() const { return m_startupFile; }

protected:
    void InitMainWindow() override;

private:
    std::string m_startupFile;
};
