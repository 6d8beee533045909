dt_add_test(TestStartup SOURCES TestStartup.cpp LIBS dt_support_gui)
dt_add_test(TestConfirmParameters SOURCES TestConfirmParameters.cpp LIBS dt_support_gui)
dt_add_test(TestGoAheadGate SOURCES TestGoAheadGate.cpp LIBS dt_support_gui)
dt_add_test(TestAttempts SOURCES TestAttempts.cpp LIBS dt_support_gui)
