dt_add_test(TestTreeModel SOURCES TestTreeModel.cpp LIBS dt_support_core)
dt_add_test(TestBgrColour SOURCES TestBgrColour.cpp LIBS dt_support_core)
dt_add_test(TestTreeTexts SOURCES TestTreeTexts.cpp LIBS dt_support_core)
