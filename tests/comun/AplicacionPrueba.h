#pragma once
// The QApplication of a test run, made once before the first test.
#include <gtest/gtest.h>

namespace brivo::pruebas {

// Registers a global test environment that makes the run's QApplication
// (argv[0] nombre) unless one exists. Call it from a namespace-scope
// initializer of the suite's own sources.
::testing::Environment* RegistrarAplicacion(const char* nombre);

} // namespace brivo::pruebas
