# What a lab copies to each workstation: decisiontree.exe, treelab.exe and the room window
# decisiontree-room.exe (static, no DLL needed), data\ with the sample payoff file and an
# okto.go holding 0, translations\ with the subjects' texts, and README.txt.
set(CMAKE_SKIP_INSTALL_ALL_DEPENDENCY ON) # packing needs the three programs, not the tests
install(TARGETS decisiontree treelab decisiontree-room RUNTIME DESTINATION .)
install(FILES ${PROJECT_SOURCE_DIR}/data/btinp.01 ${PROJECT_SOURCE_DIR}/data/okto.go DESTINATION data)
# The subjects' texts: the German and Chinese translations, which a lab copies into a
# workstation's data folder as texts.qm, and the English source of its own.
install(FILES ${DT_TRANSLATIONS_QM} ${PROJECT_SOURCE_DIR}/translations/decisiontree_en.ts DESTINATION translations)
configure_file(${CMAKE_CURRENT_LIST_DIR}/README.txt.in ${CMAKE_BINARY_DIR}/README.txt @ONLY NEWLINE_STYLE CRLF)
install(FILES ${CMAKE_BINARY_DIR}/README.txt DESTINATION .)
# The room window from the zip: decisiontree-room.exe, the data folders chosen in the window.
install(FILES "${CMAKE_CURRENT_LIST_DIR}/Decision Tree Room.cmd" DESTINATION .)

set(CPACK_PACKAGE_NAME DecisionTree)
set(CPACK_PACKAGE_VENDOR "Decision Tree")
set(CPACK_PACKAGE_FILE_NAME DecisionTree-${PROJECT_VERSION}-win64)
set(CPACK_GENERATOR ZIP)
set(CPACK_STRIP_FILES ON) # no symbols: a third of the size

# The installer (cpack -G NSIS, with Debian's nsis): the same files into a folder the lab
# chooses, by default C:\DecisionTree, which the subject's account can write (Program Files
# it cannot), and a Start menu entry. Installed again over an earlier one, it replaces the
# programs but keeps the lab's payoff file and okto.go; uninstalling leaves the event logs.
set(CPACK_PACKAGE_INSTALL_DIRECTORY DecisionTree)
set(CPACK_PACKAGE_INSTALL_REGISTRY_KEY DecisionTree)
set(CPACK_NSIS_INSTALL_ROOT "C:")
set(CPACK_NSIS_PACKAGE_NAME "Decision Tree")
set(CPACK_NSIS_DISPLAY_NAME "Decision Tree ${PROJECT_VERSION}")
set(CPACK_NSIS_MENU_LINKS decisiontree.exe "Decision Tree")
# "Decision Tree Room": decisiontree-room.exe (a GUI program: no console window beside the
# room's), started in the install folder (room-log.txt goes there), the data folders
# chosen in the window. A menu link takes no arguments, so the
# shortcut is made by hand; backslashes doubled twice as below.
set(CPACK_NSIS_CREATE_ICONS_EXTRA
    "SetOutPath '$INSTDIR'\n  CreateShortCut '$SMPROGRAMS\\\\$STARTMENU_FOLDER\\\\Decision Tree Room.lnk' '$INSTDIR\\\\decisiontree-room.exe'")
set(CPACK_NSIS_DELETE_ICONS_EXTRA "Delete '$SMPROGRAMS\\\\$START_MENU\\\\Decision Tree Room.lnk'")
# A 64-bit installer for the 64-bit programs; Wine without its 32-bit part runs it as well.
set(CPACK_NSIS_DEFINES "Target amd64-unicode")
# Backslashes doubled twice: once for this file, once for CPackConfig.cmake, which reads
# the commands again.
set(dt_kept "$INSTDIR\\\\data\\\\btinp.01" "$INSTDIR\\\\data\\\\okto.go")
set(CPACK_NSIS_EXTRA_PREINSTALL_COMMANDS "")
set(CPACK_NSIS_EXTRA_INSTALL_COMMANDS "")
foreach(file IN LISTS dt_kept)
    string(APPEND CPACK_NSIS_EXTRA_PREINSTALL_COMMANDS
        "IfFileExists '${file}' 0 +2\n  Rename '${file}' '${file}.kept'\n")
    string(APPEND CPACK_NSIS_EXTRA_INSTALL_COMMANDS
        "IfFileExists '${file}.kept' 0 +3\n  Delete '${file}'\n  Rename '${file}.kept' '${file}'\n")
endforeach()
include(CPack)
