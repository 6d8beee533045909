# cmake -DRULES=include-rules.txt -DROOT=src -DSTAMP=file -P CheckIncludes.cmake
# Each line of RULES: a library's folder, its target, and the folders it may include from
# (its own and those of the libraries it links). Every "folder/Header.h" included by a file
# of a library must come from one of them; a header of a folder that is no library (a
# generated one, a test's) is not judged here.
cmake_minimum_required(VERSION 3.25)
file(STRINGS ${RULES} lines)
set(folders "")
foreach(line IN LISTS lines)
    string(REPLACE " " ";" fields "${line}")
    list(GET fields 0 folder)
    list(APPEND folders ${folder})
endforeach()

set(problems "")
foreach(line IN LISTS lines)
    string(REPLACE " " ";" fields "${line}")
    list(POP_FRONT fields folder target)
    file(GLOB files ${ROOT}/${folder}/*.h ${ROOT}/${folder}/*.cpp)
    foreach(file IN LISTS files)
        file(STRINGS ${file} includes REGEX "^[ \t]*#[ \t]*include[ \t]*\"[^\"]+\"")
        foreach(include IN LISTS includes)
            string(REGEX REPLACE "^[^\"]*\"([^\"]+)\".*$" "\\1" header "${include}")
            get_filename_component(from ${header} DIRECTORY)
            if(from STREQUAL "" OR NOT from IN_LIST folders OR from IN_LIST fields)
                continue()
            endif()
            file(RELATIVE_PATH shown ${ROOT}/.. ${file})
            string(APPEND problems "  ${shown} includes ${header}, but ${target} (src/${folder}) "
                                   "does not link the library of src/${from}\n")
        endforeach()
    endforeach()
endforeach()

if(problems)
    message(FATAL_ERROR "Includes that climb the wrong way between the libraries:\n${problems}"
                        "Move the file to the library it belongs to, or link the library it needs.")
endif()
file(TOUCH ${STAMP})
