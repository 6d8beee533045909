# The event log's reader, which treelab status and later exports use.
dt_add_test(TestLogReader SOURCES TestLogReader.cpp LIBS dt_support_core)
# The log the whole experiment on the real window must leave, byte for byte.
set(dt_whole_experiment_log ${PROJECT_SOURCE_DIR}/tests/window/expected/whole-experiment.log)
if(EXISTS ${dt_whole_experiment_log})
    target_compile_definitions(TestLogReader PRIVATE DT_WHOLE_EXPERIMENT_LOG="${dt_whole_experiment_log}")
endif()
