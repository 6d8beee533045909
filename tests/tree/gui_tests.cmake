dt_add_test(TestTreeDisplay SOURCES TestTreeDisplay.cpp LIBS dt_support_gui)
