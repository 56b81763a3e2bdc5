// One application for the whole test run, headless, with every platform seam
// installed: no real box, sleep or beep ever happens in a test.

#include "support/fixture.h"
#include "ui/application.h"
#include "ui/dialogs.h"
#include "platform/preferences.h"
#include "platform/system.h"

#include <gtest/gtest.h>
#include <cstdlib>

void failOnLastResort(const QString& message)
{
    ADD_FAILURE() << "an error went through Qt's frames to the last resort: " << message.toStdString();
}

int main(int argc, char** argv)
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    if (qEnvironmentVariableIsEmpty("SDL_AUDIODRIVER"))
        qputenv("SDL_AUDIODRIVER", "dummy");
    qputenv("QTEST_DISABLE_STACK_DUMP", "1");

    ::testing::InitGoogleTest(&argc, argv);
    Application app(argc, argv);
    // the handlers catch the program's errors at their own boundary
    Application::onLastResort(failOnLastResort);
    boxseam::install();
    systemseam::install();
    preferencesseam::install();
    return RUN_ALL_TESTS();
}
