dt_add_test(TestStartup SOURCES TestStartup.cpp LIBS dt_support_gui)
target_compile_definitions(TestStartup PRIVATE ${DT_FIXED_PARAMETERS})
dt_add_test(TestConfirmParameters SOURCES TestConfirmParameters.cpp LIBS dt_support_gui)
dt_add_test(TestShownPicture SOURCES TestShownPicture.cpp LIBS dt_support_gui)
dt_add_test(TestGoAheadGate SOURCES TestGoAheadGate.cpp LIBS dt_support_gui)
dt_add_test(TestAttempts SOURCES TestAttempts.cpp LIBS dt_support_gui)
dt_add_test(TestRecordDurability SOURCES TestRecordDurability.cpp LIBS dt_support_gui)
dt_add_test(TestKeysAndClicks SOURCES TestKeysAndClicks.cpp LIBS dt_support_gui)
dt_add_test(TestPressesAndBoxes SOURCES TestPressesAndBoxes.cpp LIBS dt_support_gui)
# The window on other screens: 144 and 192 DPI, and one smaller than the layout at 144 DPI.
dt_add_test(TestScreens SOURCES TestScreens.cpp LIBS dt_support_gui)
# And the small screens of netbooks and projectors, at 96 DPI, with no window manager.
foreach(screen dpi144 dpi192 small screen800x600 screen1024x600 screen1280x720 screen1366x768)
    add_test(NAME TestScreens_${screen} COMMAND TestScreens)
    math(EXPR timeout "60 * ${DT_TIME_FACTOR}")
    set_tests_properties(TestScreens_${screen} PROPERTIES TIMEOUT ${timeout}
        ENVIRONMENT "QT_QPA_PLATFORM=offscreen:configfile=${DT_TEST_SCREENS}/${screen}.json;LC_ALL=C.UTF-8")
endforeach()
# The subjects' texts: the shipped translations, and two of the tests' own (right to left;
# no language named) compiled by the same lrelease.
set(dt_test_qm_dir ${CMAKE_CURRENT_BINARY_DIR}/translations)
set(dt_test_qm_files)
foreach(name rtl nolanguage)
    add_custom_command(OUTPUT ${dt_test_qm_dir}/${name}.qm
        COMMAND ${CMAKE_COMMAND} -E make_directory ${dt_test_qm_dir}
        COMMAND ${DT_LRELEASE} -silent ${CMAKE_CURRENT_SOURCE_DIR}/translations/${name}.ts
                -qm ${dt_test_qm_dir}/${name}.qm
        DEPENDS ${CMAKE_CURRENT_SOURCE_DIR}/translations/${name}.ts
        VERBATIM)
    list(APPEND dt_test_qm_files ${dt_test_qm_dir}/${name}.qm)
endforeach()
add_custom_target(test_translations DEPENDS ${dt_test_qm_files})
dt_add_test(TestTranslation SOURCES TestTranslation.cpp LIBS dt_support_gui)
add_dependencies(TestTranslation test_translations translations_lrelease)
target_compile_definitions(TestTranslation PRIVATE DT_TRANSLATIONS_DIR="${DT_TRANSLATIONS_DIR}"
                                                   DT_TEST_TRANSLATIONS_DIR="${dt_test_qm_dir}")
add_dependencies(TestScreens translations_lrelease)
target_compile_definitions(TestScreens PRIVATE DT_TRANSLATIONS_DIR="${DT_TRANSLATIONS_DIR}")
