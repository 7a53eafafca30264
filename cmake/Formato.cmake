# clang-format over the project's C++ sources, with the root .clang-format:
#   format              rewrites every source file in place;
#   formato-comprobar   fails, naming the files, when one is not formatted
#                       (scripts/pruebas.sh runs it before the tests).
# The list of sources is taken again whenever a file is added or removed.
find_program(CLANG_FORMAT_EXECUTABLE NAMES clang-format clang-format-14)

set(_carpetas_formato recursos store automation core dialogs app tools tests bench)
set(_patrones_formato)
foreach(carpeta ${_carpetas_formato})
    list(APPEND _patrones_formato ${CMAKE_SOURCE_DIR}/${carpeta}/*.cpp
         ${CMAKE_SOURCE_DIR}/${carpeta}/*.h)
endforeach()
file(GLOB_RECURSE BRIVO_FUENTES_FORMATO CONFIGURE_DEPENDS LIST_DIRECTORIES false
     ${_patrones_formato})
list(SORT BRIVO_FUENTES_FORMATO)

if(CLANG_FORMAT_EXECUTABLE)
    add_custom_target(format
        COMMAND ${CLANG_FORMAT_EXECUTABLE} -i --style=file ${BRIVO_FUENTES_FORMATO}
        WORKING_DIRECTORY ${CMAKE_SOURCE_DIR}
        COMMENT "Dando formato a las fuentes con clang-format"
        VERBATIM)
    add_custom_target(formato-comprobar
        COMMAND ${CLANG_FORMAT_EXECUTABLE} --dry-run -Werror --style=file
                ${BRIVO_FUENTES_FORMATO}
        WORKING_DIRECTORY ${CMAKE_SOURCE_DIR}
        COMMENT "Comprobando el formato de las fuentes (clang-format)"
        VERBATIM)
else()
    foreach(objetivo format formato-comprobar)
        add_custom_target(${objetivo}
            COMMAND ${CMAKE_COMMAND} -E echo
                    "No se encuentra clang-format: instálelo con scripts/dependencias.sh"
            COMMAND ${CMAKE_COMMAND} -E false
            VERBATIM)
    endforeach()
endif()
