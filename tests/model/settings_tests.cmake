vellaro_add_test(settings_tests LABEL unit
    SOURCES ${CMAKE_CURRENT_LIST_DIR}/SettingsCodingTests.cpp
            ${CMAKE_CURRENT_LIST_DIR}/SettingsStoreTests.cpp
            ${CMAKE_CURRENT_LIST_DIR}/HotKeyTextTests.cpp
            ${CMAKE_CURRENT_LIST_DIR}/LogCapture.h
    LIBS vellaro_model)

vellaro_add_test(session_store_tests LABEL unit
    SOURCES ${PROJECT_SOURCE_DIR}/tests/platform/session/NotificationsTests.cpp
            ${PROJECT_SOURCE_DIR}/tests/platform/session/JsonFileTests.cpp
            ${PROJECT_SOURCE_DIR}/tests/platform/session/UserFoldersTests.cpp
            ${PROJECT_SOURCE_DIR}/tests/platform/session/DefaultsTests.cpp
    LIBS vellaro_platform_session)
