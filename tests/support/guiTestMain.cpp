// Entry point of every GUI test program: one QApplication, offscreen unless
// the environment asks for another platform.
#include <gtest/gtest.h>

#include <QApplication>

#include "ui/appearance.h"

int main(int argc, char** argv) {
    if (!qEnvironmentVariableIsSet("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    quillbox::ui::setUpApplication();
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
