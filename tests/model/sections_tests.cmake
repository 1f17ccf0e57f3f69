vellaro_add_test(section_model_tests LABEL unit QT_MAIN
    SOURCES ${CMAKE_CURRENT_LIST_DIR}/SectionKindTests.cpp
            ${CMAKE_CURRENT_LIST_DIR}/MenuDataSourceTests.cpp
            ${CMAKE_CURRENT_LIST_DIR}/SymbolCatalogTests.cpp
    LIBS vellaro_model)
target_compile_definitions(section_model_tests PRIVATE
    VELLARO_TEST_OUTPUT_DIR="${PROJECT_BINARY_DIR}/test-output/model")

vellaro_add_test(dial_colour_tests LABEL unit QT_MAIN
    SOURCES ${CMAKE_CURRENT_LIST_DIR}/VellaroThemeTests.cpp
            ${CMAKE_CURRENT_LIST_DIR}/PalTests.cpp
            ${CMAKE_CURRENT_LIST_DIR}/WindowAppearanceTests.cpp
            ${CMAKE_CURRENT_LIST_DIR}/ColorExpectations.h
    LIBS vellaro_model)
target_compile_definitions(dial_colour_tests PRIVATE
    VELLARO_TEST_OUTPUT_DIR="${PROJECT_BINARY_DIR}/test-output/model")

