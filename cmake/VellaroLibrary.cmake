# One static library per source folder, named vellaro_<folder>. Sources are
# every .cpp/.h below the folder, so adding a file needs no CMake edit.
function(vellaro_library folder)
    cmake_parse_arguments(L "" "" "PUBLIC_LIBS;PRIVATE_LIBS" ${ARGN})
    file(GLOB_RECURSE sources CONFIGURE_DEPENDS
         ${CMAKE_CURRENT_SOURCE_DIR}/*.cpp ${CMAKE_CURRENT_SOURCE_DIR}/*.h
         ${CMAKE_CURRENT_SOURCE_DIR}/*.qrc)
    if(NOT sources)
        return()
    endif()
    add_library(vellaro_${folder} STATIC ${sources})
    target_include_directories(vellaro_${folder} PUBLIC ${PROJECT_SOURCE_DIR}/src)
    target_link_libraries(vellaro_${folder} PUBLIC ${L_PUBLIC_LIBS} PRIVATE ${L_PRIVATE_LIBS})
endfunction()

# A GoogleTest binary registered with CTest under a label: `unit` runs on the
# offscreen Qt platform, `session` needs scripts/test-session. Every test runs
# with its own temporary HOME and XDG folders.
function(vellaro_add_test name)
    cmake_parse_arguments(T "QT_MAIN" "LABEL" "SOURCES;LIBS" ${ARGN})
    if(NOT T_LABEL)
        set(T_LABEL unit)
    endif()
    add_executable(${name} ${T_SOURCES})
    target_link_libraries(${name} PRIVATE ${T_LIBS} GTest::gtest GTest::gmock)
    if(T_QT_MAIN)
        target_link_libraries(${name} PRIVATE vellaro_test_main)
    else()
        target_link_libraries(${name} PRIVATE GTest::gtest_main)
    endif()
    add_test(NAME ${name} COMMAND ${PROJECT_SOURCE_DIR}/tests/support/isolated
                                  $<TARGET_FILE:${name}>)
    set(env "ASAN_OPTIONS=detect_leaks=0:abort_on_error=1"
            "UBSAN_OPTIONS=print_stacktrace=1:halt_on_error=1"
            "VELLARO_SOURCE_DIR=${PROJECT_SOURCE_DIR}")
    if(T_LABEL STREQUAL "unit")
        list(APPEND env "QT_QPA_PLATFORM=offscreen")
    else()
        list(APPEND env "QT_QPA_PLATFORM=xcb")
    endif()
    set_tests_properties(${name} PROPERTIES LABELS ${T_LABEL} TIMEOUT 300 ENVIRONMENT "${env}")
endfunction()
