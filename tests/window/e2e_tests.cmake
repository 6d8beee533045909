dt_add_test(TestWholeExperiment SOURCES TestWholeExperiment.cpp LIBS dt_support_gui)
target_compile_definitions(TestWholeExperiment PRIVATE
    DT_WHOLE_EXPERIMENT_LOG="${CMAKE_CURRENT_SOURCE_DIR}/expected/whole-experiment.log"
    DT_WHOLE_EXPERIMENT_COMPANION="${CMAKE_CURRENT_SOURCE_DIR}/expected/whole-experiment.jsonl")
