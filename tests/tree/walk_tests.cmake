dt_add_test(TestNodeClicks SOURCES TestNodeClicks.cpp LIBS dt_support_gui)
dt_add_test(TestMoves SOURCES TestMoves.cpp LIBS dt_support_gui)
dt_add_test(TestPayoffNodes SOURCES TestPayoffNodes.cpp LIBS dt_support_gui)
