// One application for the whole test run, headless, with every platform seam
// installed: no real box, sleep or beep ever happens in a test.

#include "ui/application.h"
#include "ui/dialogs.h"
#include "platform/system.h"

#include <QLocale>
#include <gtest/gtest.h>
#include <cstdlib>

int main(int argc, char** argv)
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    if (qEnvironmentVariableIsEmpty("SDL_AUDIODRIVER"))
        qputenv("SDL_AUDIODRIVER", "dummy");
    qputenv("QTEST_DISABLE_STACK_DUMP", "1");

    ::testing::InitGoogleTest(&argc, argv);
    Application app(argc, argv);
    QLocale::setDefault(QLocale(QLocale::Portuguese, QLocale::Brazil));
    boxseam::install();
    systemseam::install();
    return RUN_ALL_TESTS();
}
