#include "xdesktop.h"

#include <QCoreApplication>

#include <gtest/gtest.h>

int main(int argc, char* argv[])
{
    QCoreApplication app(argc, argv);
    ::testing::InitGoogleTest(&argc, argv);
    const int result = RUN_ALL_TESTS();
    // The X server is started by the first case that needs it, and ends with the process.
    xdesktop::stop();
    return result;
}
