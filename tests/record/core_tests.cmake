dt_add_test(TestEventLog SOURCES TestEventLog.cpp LIBS dt_support_core)
dt_add_test(TestWindows1252 SOURCES TestWindows1252.cpp LIBS dt_support_core)
dt_add_test(TestCompanionReader SOURCES TestCompanionReader.cpp LIBS dt_support_core)
