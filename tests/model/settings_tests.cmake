vellaro_add_test(settings_tests LABEL unit
    SOURCES ${CMAKE_CURRENT_LIST_DIR}/SettingsCodingTests.cpp
            ${CMAKE_CURRENT_LIST_DIR}/SettingsStoreTests.cpp
            ${CMAKE_CURRENT_LIST_DIR}/HotKeyTextTests.cpp
            ${CMAKE_CURRENT_LIST_DIR}/LogCapture.h
    LIBS vellaro_model)
