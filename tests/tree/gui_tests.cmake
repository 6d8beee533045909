dt_add_test(TestTreeDisplay SOURCES TestTreeDisplay.cpp LIBS dt_support_gui)
dt_add_test(TestBranchLines SOURCES TestBranchLines.cpp LIBS dt_support_gui)
