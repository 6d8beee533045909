add_library(dt_support_gui STATIC WindowFixture.h WindowFixture.cpp AnsweringMessageBoxes.h GuiTestMain.h)
target_include_directories(dt_support_gui PUBLIC ${CMAKE_CURRENT_SOURCE_DIR})
target_link_libraries(dt_support_gui PUBLIC decisiontree_window Qt6::Test)
