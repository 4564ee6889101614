#pragma once

#include "ui/Application.h"

#include <QApplication>
#include <benchmark/benchmark.h>

#include <memory>

// The start of a benchmark that runs windows: Qt's offscreen platform unless QT_QPA_PLATFORM
// says otherwise, the window layer installed as the program installs it, then Google
// Benchmark's options taken from the command line. argc must outlive the application.
inline std::unique_ptr<QApplication> StartWindowBenchmark(int& argc, char** argv)
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    auto application = std::make_unique<QApplication>(argc, argv);
    InstallWindowLayer();
    benchmark::Initialize(&argc, argv);
    return application;
}
