# Installation as a desktop program, and its Debian package.
#
# `cmake --install` puts only the program in place:
#   bin/brivo2, bin/brivo2-datos
#   share/brivo2/          the shipped files (Arbol0.tvw, model documents, help,
#                          the office converter script)
#   share/applications/brivo2.desktop
#   share/icons/hicolor/scalable/apps/brivo2.svg
#   share/metainfo/<id>.metainfo.xml
#   share/man/man1/brivo2.1.gz, brivo2-datos.1.gz
# The library of each user is made at first start in ~/.local/share/brivo2.
# `cpack -G DEB` (or scripts/paquete.sh) builds brivo2_<version>_<arch>.deb.
include(GNUInstallDirs)

# The AppStream identity and the addresses come from Identidad.cmake.
set(_escritorio ${CMAKE_SOURCE_DIR}/recursos/escritorio)
set(_generados ${CMAKE_BINARY_DIR}/escritorio)
set(BRIVO_METAINFO ${_generados}/${BRIVO_ID_APPSTREAM}.metainfo.xml)
configure_file(${_escritorio}/brivo2.metainfo.xml.in ${BRIVO_METAINFO} @ONLY)

# Manual pages, compressed as Debian ships them (no name or time stamp inside).
find_program(GZIP_EXECUTABLE gzip REQUIRED)
set(_manuales)
foreach(pagina brivo2 brivo2-datos)
    configure_file(${_escritorio}/${pagina}.1 ${_generados}/${pagina}.1 @ONLY)
    add_custom_command(OUTPUT ${_generados}/${pagina}.1.gz
        COMMAND ${GZIP_EXECUTABLE} -9nf -k ${pagina}.1
        WORKING_DIRECTORY ${_generados}
        DEPENDS ${_generados}/${pagina}.1
        COMMENT "Comprimiendo la página de manual ${pagina}.1")
    list(APPEND _manuales ${_generados}/${pagina}.1.gz)
endforeach()
add_custom_target(manuales ALL DEPENDS ${_manuales})

install(TARGETS brivo2 brivo2-datos RUNTIME DESTINATION ${CMAKE_INSTALL_BINDIR})
install(FILES
    ${BRIVO_CARPETA_PROGRAMA}/Arbol0.tvw
    ${BRIVO_CARPETA_PROGRAMA}/nuevodoc.doc
    ${BRIVO_CARPETA_PROGRAMA}/nuevoexamen.doc
    ${BRIVO_CARPETA_PROGRAMA}/Brivo2.hlp
    ${BRIVO_CARPETA_PROGRAMA}/conversor-oficina.py
    DESTINATION ${CMAKE_INSTALL_DATADIR}/brivo2)
install(FILES ${_escritorio}/brivo2.desktop DESTINATION ${CMAKE_INSTALL_DATADIR}/applications)
install(FILES ${_escritorio}/brivo2.svg
    DESTINATION ${CMAKE_INSTALL_DATADIR}/icons/hicolor/scalable/apps)
install(FILES ${BRIVO_METAINFO} DESTINATION ${CMAKE_INSTALL_DATADIR}/metainfo)
install(FILES ${_manuales} DESTINATION ${CMAKE_INSTALL_MANDIR}/man1)

# Debian package. Its dependencies on shared libraries come from the binaries
# (dpkg-shlibdeps); LibreOffice converts Word and OpenDocument files when it
# is there, Qt's Spanish texts and the Liberation fonts complete the look.
set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGE_NAME brivo2)
set(CPACK_PACKAGE_VERSION ${PROJECT_VERSION})
set(CPACK_PACKAGE_VENDOR "Brivo II")
set(CPACK_PACKAGE_CONTACT "El equipo de Brivo II <brivo2@example.org>")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "banco de preguntas y creador de exámenes")
set(CPACK_PACKAGE_DESCRIPTION
    "Brivo II guarda las preguntas de un profesor o de un departamento en libros,\n"
    "ordenadas en un árbol de materias, temas y contenidos, las edita en su\n"
    "procesador de textos y monta con ellas exámenes numerados. Los libros viajan\n"
    "entre ordenadores como paquetes zip protegidos con contraseña.")
string(JOIN "" CPACK_PACKAGE_DESCRIPTION ${CPACK_PACKAGE_DESCRIPTION})
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
set(CPACK_STRIP_FILES ON)
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_SECTION education)
set(CPACK_DEBIAN_PACKAGE_PRIORITY optional)
set(CPACK_DEBIAN_PACKAGE_HOMEPAGE ${BRIVO_URL_PROYECTO})
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
set(CPACK_DEBIAN_PACKAGE_RECOMMENDS
    "libreoffice-writer-nogui | libreoffice-writer, python3-uno, qt6-translations-l10n, fonts-liberation")
set(CPACK_DEBIAN_COMPRESSION_TYPE xz)
include(CPack)
