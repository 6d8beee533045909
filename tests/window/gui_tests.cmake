dt_add_test(TestStartup SOURCES TestStartup.cpp LIBS dt_support_gui)
