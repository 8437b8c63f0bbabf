# Project helpers.

# tarvek_library(<name> SOURCES ... [LIBS ...]): a static library whose headers are included
# from the src/ root ("link/printer_link.h").
function(tarvek_library name)
    cmake_parse_arguments(ARG "" "" "SOURCES;LIBS" ${ARGN})
    add_library(${name} STATIC ${ARG_SOURCES})
    target_include_directories(${name} PUBLIC ${PROJECT_SOURCE_DIR}/src)
    if(ARG_LIBS)
        target_link_libraries(${name} PUBLIC ${ARG_LIBS})
    endif()
endfunction()

# tarvek_test(<name> SOURCES ... [LIBS ...] [LABELS ...] [TIMEOUT s]): a GoogleTest program,
# registered with ctest where this build can run it (natively, or under Wine for win64).
function(tarvek_test name)
    cmake_parse_arguments(ARG "" "TIMEOUT" "SOURCES;LIBS;LABELS" ${ARGN})
    add_executable(${name} ${ARG_SOURCES})
    target_include_directories(${name} PRIVATE ${PROJECT_SOURCE_DIR}/src ${PROJECT_SOURCE_DIR}/tests)
    target_link_libraries(${name} PRIVATE ${ARG_LIBS} GTest::gmock GTest::gtest_main)
    if(TARVEK_CAN_RUN_TESTS)
        add_test(NAME ${name} COMMAND ${name} --gtest_color=no)
        if(NOT ARG_TIMEOUT)
            set(ARG_TIMEOUT 300)
        endif()
        set_tests_properties(${name} PROPERTIES TIMEOUT ${ARG_TIMEOUT})
        if(ARG_LABELS)
            set_tests_properties(${name} PROPERTIES LABELS "${ARG_LABELS}")
        endif()
    endif()
endfunction()
