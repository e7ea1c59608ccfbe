#include <QApplication>
#include <gtest/gtest.h>

// One QApplication per test program, on the offscreen platform so that widgets can be
// driven and grabbed without a display.
int main(int argc, char** argv)
{
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
