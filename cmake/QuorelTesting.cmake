# GoogleTest built from Debian's sources with this tree's compiler, so the
# same tests build natively, under the sanitizers and with MinGW.
set(QUOREL_GTEST_SOURCE /usr/src/googletest CACHE PATH "GoogleTest sources")
if(WIN32)
    set(gtest_disable_pthreads ON CACHE BOOL "" FORCE)
endif()
set(INSTALL_GTEST OFF CACHE BOOL "" FORCE)
set(BUILD_GMOCK ON CACHE BOOL "" FORCE)
add_subdirectory(${QUOREL_GTEST_SOURCE} ${CMAKE_BINARY_DIR}/googletest EXCLUDE_FROM_ALL)

include(GoogleTest)

# quorel_add_test(NAME SOURCES ... LIBRARIES ... [TIMEOUT seconds])
# One test executable; each of its cases becomes a CTest test. Windows test
# executables run under wine64 (see scripts/wine-run).
function(quorel_add_test name)
    cmake_parse_arguments(ARG "" "TIMEOUT" "SOURCES;LIBRARIES" ${ARGN})
    if(NOT ARG_TIMEOUT)
        set(ARG_TIMEOUT 120)
    endif()
    add_executable(${name} ${ARG_SOURCES})
    target_link_libraries(${name} PRIVATE ${ARG_LIBRARIES} GTest::gtest GTest::gmock GTest::gtest_main)
    set(data_dir ${PROJECT_SOURCE_DIR}/tests/data)
    if(WIN32)
        # Wine shows the build machine's root as drive Z:.
        string(REPLACE "/" "\\\\" data_dir "Z:${data_dir}")
    endif()
    target_compile_definitions(${name} PRIVATE QUOREL_TEST_DATA="${data_dir}")
    if(WIN32)
        # Whole executables: starting wine once per case would cost seconds each.
        add_test(NAME ${name} COMMAND ${name})
        set_tests_properties(${name} PROPERTIES TIMEOUT ${ARG_TIMEOUT})
    else()
        gtest_discover_tests(${name} PROPERTIES TIMEOUT ${ARG_TIMEOUT})
    endif()
endfunction()
