// GoogleTest entry point with the QApplication that the engine needs.
#include <QApplication>
#include <gtest/gtest.h>

int main(int argc, char** argv) {
    QApplication aplicacion(argc, argv);
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
