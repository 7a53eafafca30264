# brivo_prueba(NOMBRE SOURCES a.cpp b.cpp LIBS lib1 lib2 [QTEST])
# Builds one test executable and registers it with CTest as one test.
# GoogleTest suites link gtest_main; QTEST suites bring their own main.
# Every test runs headless (offscreen platform) with a timeout, so a
# modal dialog that nobody answers can never hang the suite.
function(brivo_prueba nombre)
    cmake_parse_arguments(P "QTEST" "" "SOURCES;LIBS" ${ARGN})
    add_executable(${nombre} ${P_SOURCES})
    set_target_properties(${nombre} PROPERTIES RUNTIME_OUTPUT_DIRECTORY ${CMAKE_BINARY_DIR}/pruebas)
    if(P_QTEST)
        target_link_libraries(${nombre} PRIVATE ${P_LIBS} Qt6::Test)
    else()
        target_link_libraries(${nombre} PRIVATE ${P_LIBS} GTest::gtest GTest::gtest_main)
    endif()
    # tests/comun holds the helpers every suite may use (TextosQt.h);
    # tests/datos the sample files the suites read.
    target_include_directories(${nombre} PRIVATE ${CMAKE_SOURCE_DIR}/tests/comun)
    target_compile_definitions(${nombre} PRIVATE
        BRIVO_CARPETA_PROGRAMA="${BRIVO_CARPETA_PROGRAMA}/"
        BRIVO_FUENTES="${CMAKE_SOURCE_DIR}/"
        BRIVO_DATOS_PRUEBA="${CMAKE_SOURCE_DIR}/tests/datos/")
    add_test(NAME ${nombre} COMMAND ${nombre})
    set_tests_properties(${nombre} PROPERTIES TIMEOUT 300
        ENVIRONMENT "QT_QPA_PLATFORM=offscreen;LC_ALL=C.UTF-8")
endfunction()
