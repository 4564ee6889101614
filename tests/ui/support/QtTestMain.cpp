// The main of the window tests: the toolkit's application object must exist before any
// widget, and the window layer is installed as the program installs it.
#include "ui/Application.h"

#include <QApplication>
#include <gtest/gtest.h>

int main(int argc, char** argv)
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication application(argc, argv);
    InstallWindowLayer();
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
