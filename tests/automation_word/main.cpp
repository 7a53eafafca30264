// GoogleTest entry point with the QApplication that the engine needs. The
// editor's questions go through the program's dialog seam, as in the
// program: a test answers them with a ui::TGuion.
#include <QApplication>
#include <gtest/gtest.h>

#include "DialogosEditor.h"

int main(int argc, char** argv) {
    QApplication aplicacion(argc, argv);
    brivo::dialogos::InstalarDialogosEditor();
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
