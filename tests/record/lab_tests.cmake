# The event log's reader, which treelab status and later exports use.
dt_add_test(TestLogReader SOURCES TestLogReader.cpp LIBS dt_support_core)
# The log the whole experiment on the real window must leave, byte for byte.
set(dt_whole_experiment_log ${PROJECT_SOURCE_DIR}/tests/window/expected/whole-experiment.log)
if(EXISTS ${dt_whole_experiment_log})
    target_compile_definitions(TestLogReader PRIVATE DT_WHOLE_EXPERIMENT_LOG="${dt_whole_experiment_log}")
endif()
# Logs and companion records read on as they grow, as the room window reads them.
dt_add_test(TestLogFollower SOURCES TestLogFollower.cpp LIBS dt_support_core)
target_compile_definitions(TestLogFollower PRIVATE
    DT_WHOLE_EXPERIMENT_LOG="${PROJECT_SOURCE_DIR}/tests/window/expected/whole-experiment.log"
    DT_WHOLE_EXPERIMENT_COMPANION="${PROJECT_SOURCE_DIR}/tests/window/expected/whole-experiment.jsonl")
