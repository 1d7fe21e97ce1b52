# Installs the build in BUILD_DIR under PREFIX and checks what a desktop needs
# is there.
file(REMOVE_RECURSE "${PREFIX}")
execute_process(
    COMMAND "${CMAKE_COMMAND}" --install "${BUILD_DIR}" --prefix "${PREFIX}"
    RESULT_VARIABLE result OUTPUT_QUIET)
if(NOT result EQUAL 0)
    message(FATAL_ERROR "cmake --install failed: ${result}")
endif()

foreach(path
        bin/quelvar
        share/applications/example.quelvar.Quelvar.desktop
        share/metainfo/example.quelvar.Quelvar.metainfo.xml
        share/icons/hicolor/scalable/apps/quelvar.svg
        share/icons/hicolor/64x64/apps/quelvar.png
        share/man/man1/quelvar.1.gz
        share/doc/quelvar/copyright
        share/doc/quelvar/changelog.gz)
    if(NOT EXISTS "${PREFIX}/${path}")
        message(FATAL_ERROR "not installed: ${path}")
    endif()
endforeach()

execute_process(COMMAND test -x "${PREFIX}/bin/quelvar" RESULT_VARIABLE executable)
if(NOT executable EQUAL 0)
    message(FATAL_ERROR "bin/quelvar is not executable")
endif()

file(STRINGS "${PREFIX}/share/applications/example.quelvar.Quelvar.desktop" entry)
foreach(line "Name=Quelvar" "Exec=quelvar" "Icon=quelvar" "Categories=Education;Math;Qt;")
    list(FIND entry "${line}" found)
    if(found EQUAL -1)
        message(FATAL_ERROR "the desktop entry lacks the line ${line}")
    endif()
endforeach()
file(REMOVE_RECURSE "${PREFIX}")
