# AppStream identity and the published addresses of the project, read by the
# desktop files (Escritorio.cmake) and by the installation tests.
set(BRIVO_ID_APPSTREAM "io.github.brivo2.brivo2" CACHE STRING
    "AppStream identifier of the program")
set(BRIVO_URL_PROYECTO "https://github.com/brivo2/brivo2" CACHE STRING
    "Web address of the project")
set(BRIVO_URL_CAPTURA "${BRIVO_URL_PROYECTO}/raw/main/docs/ventana.png" CACHE STRING
    "Web address of the screenshot docs/ventana.png")
set(BRIVO_FECHA_VERSION "2026-12-09")
