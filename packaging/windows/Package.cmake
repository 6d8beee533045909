# What a lab copies to each workstation: decisiontree.exe and treelab.exe (static, no DLL
# needed), data\ with the sample payoff file and an okto.go holding 0, and README.txt.
set(CMAKE_SKIP_INSTALL_ALL_DEPENDENCY ON) # packing needs the two programs, not the tests
install(TARGETS decisiontree treelab RUNTIME DESTINATION .)
install(FILES ${PROJECT_SOURCE_DIR}/data/btinp.01 ${PROJECT_SOURCE_DIR}/data/okto.go DESTINATION data)
configure_file(${CMAKE_CURRENT_LIST_DIR}/README.txt.in ${CMAKE_BINARY_DIR}/README.txt @ONLY NEWLINE_STYLE CRLF)
install(FILES ${CMAKE_BINARY_DIR}/README.txt DESTINATION .)

set(CPACK_PACKAGE_NAME DecisionTree)
set(CPACK_PACKAGE_VENDOR "Decision Tree")
set(CPACK_PACKAGE_FILE_NAME DecisionTree-${PROJECT_VERSION}-win64)
set(CPACK_GENERATOR ZIP)
set(CPACK_STRIP_FILES ON) # no symbols: a third of the size
include(CPack)
