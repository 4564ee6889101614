#pragma once

#include <functional>
#include <memory>
#include <string>

class TApplication;

// The start-up steps before any window: the INI file and its first settings, the help file
// (both where ProgramFiles puts them), the process flags and the platform flags. Returns the
// start-up file: the first argument, or empty.
std::string StartProgram(int argc, char** argv);

// Runs one application after another while the closing main window asks for a restart;
// returns the result of the last run.
int RunApplications(const std::function<std::unique_ptr<TApplication>()>& makeApplication);

// The whole program: the toolkit, the start-up steps and the runs of TViewApp.
int RunProgram(int argc, char** argv);
