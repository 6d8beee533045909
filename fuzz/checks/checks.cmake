# The checks that hold the program's parsers against plain second readings. The fuzzers
# run them on generated input; tests/reliability runs them on every input that once
# found a fault. Included from both places, defined once.
if(NOT TARGET dt_parser_checks)
    add_library(dt_parser_checks STATIC
        ${CMAKE_CURRENT_LIST_DIR}/ReferenceNumbers.h ${CMAKE_CURRENT_LIST_DIR}/ReferenceNumbers.cpp
        ${CMAKE_CURRENT_LIST_DIR}/TrickleDevice.h
        ${CMAKE_CURRENT_LIST_DIR}/PayoffReaderCheck.h ${CMAKE_CURRENT_LIST_DIR}/PayoffReaderCheck.cpp
        ${CMAKE_CURRENT_LIST_DIR}/PayoffFileCheck.h ${CMAKE_CURRENT_LIST_DIR}/PayoffFileCheck.cpp
        ${CMAKE_CURRENT_LIST_DIR}/GoAheadFileCheck.h ${CMAKE_CURRENT_LIST_DIR}/GoAheadFileCheck.cpp
        ${CMAKE_CURRENT_LIST_DIR}/IntegerConversionCheck.h ${CMAKE_CURRENT_LIST_DIR}/IntegerConversionCheck.cpp
    )
    set_target_properties(dt_parser_checks PROPERTIES AUTOMOC OFF)
    target_include_directories(dt_parser_checks PUBLIC ${CMAKE_CURRENT_LIST_DIR})
    target_link_libraries(dt_parser_checks PUBLIC decisiontree_window_logic)
    target_sources(dt_parser_checks PRIVATE
        ${CMAKE_CURRENT_LIST_DIR}/LogReaderCheck.h ${CMAKE_CURRENT_LIST_DIR}/LogReaderCheck.cpp)
    target_compile_definitions(dt_parser_checks PUBLIC DT_HAVE_LOG_READER)
endif()
