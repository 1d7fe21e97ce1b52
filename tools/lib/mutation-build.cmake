# The build in which tools/mutation --generated plants its faults, read as
# CMAKE_PROJECT_INCLUDE. With the libraries shared (QUELVAR_SHARED_LIBS), a
# program is not relinked when only a library it uses has changed; and the Qt
# headers are compiled once, into precompiled headers, instead of once per
# object that a fault in a header makes the build compile again.
set(CMAKE_LINK_DEPENDS_NO_SHARED ON)

function(quelvar_mutation_precompiled_headers)
    target_precompile_headers(quelvar_window PRIVATE <QtWidgets>)
    target_precompile_headers(quelvar_test_support PRIVATE <QtTest> <QtWidgets>)
    # The test programs are built alike, so they share one.
    get_property(targets DIRECTORY ${CMAKE_SOURCE_DIR}/tests PROPERTY BUILDSYSTEM_TARGETS)
    set(first "")
    foreach(target IN LISTS targets)
        get_target_property(type ${target} TYPE)
        if(NOT type STREQUAL "EXECUTABLE")
            continue()
        endif()
        if(first STREQUAL "")
            target_precompile_headers(${target} PRIVATE <QtTest> <QtWidgets>)
            set(first ${target})
        else()
            target_precompile_headers(${target} REUSE_FROM ${first})
        endif()
    endforeach()
endfunction()
cmake_language(DEFER CALL quelvar_mutation_precompiled_headers)
