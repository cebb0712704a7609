// The skin's tests run in a real QApplication on the offscreen platform.

#include <QApplication>
#include <gtest/gtest.h>

#include "app/skin.hpp"

int main(int argc, char** argv)
{
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    vadrel::app::identifyApplication();
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
