# The program's libraries are its folders: each folder below src/ that holds code is one
# static library, declared in that folder's CMakeLists.txt with dt_library(). What a file
# may include follows from what its library links: its own folder's headers and those of
# the libraries it links, directly or through others. dt_check_includes() turns that into
# a build step that every library waits for, so an include that climbs the wrong way
# fails the build before anything is compiled, and a source listed in another folder's
# library fails the configuration.

set(DT_SOURCE_ROOT ${PROJECT_SOURCE_DIR}/src)

# dt_library(target): registers the library declared in the current folder. Its sources
# must all sit in that folder; it includes the headers of others as "folder/Header.h".
function(dt_library target)
    file(RELATIVE_PATH folder ${DT_SOURCE_ROOT} ${CMAKE_CURRENT_SOURCE_DIR})
    set_target_properties(${target} PROPERTIES DT_FOLDER "${folder}")
    target_include_directories(${target} PUBLIC ${DT_SOURCE_ROOT})
    get_target_property(sources ${target} SOURCES)
    foreach(source IN LISTS sources)
        get_filename_component(path ${source} ABSOLUTE BASE_DIR ${CMAKE_CURRENT_SOURCE_DIR})
        get_filename_component(dir ${path} DIRECTORY)
        if(NOT dir STREQUAL CMAKE_CURRENT_SOURCE_DIR)
            message(FATAL_ERROR "${target} (src/${folder}) lists ${source}, which is not in its "
                                "folder: a library's files sit in the library's own folder.")
        endif()
    endforeach()
    set_property(GLOBAL APPEND PROPERTY DT_LIBRARIES ${target})
endfunction()

# The registered libraries that target links, directly or through others.
function(dt_linked_libraries target out)
    get_property(registered GLOBAL PROPERTY DT_LIBRARIES)
    set(seen "")
    set(todo ${target})
    while(todo)
        list(POP_FRONT todo current)
        get_target_property(links ${current} LINK_LIBRARIES)
        if(NOT links)
            continue()
        endif()
        foreach(link IN LISTS links)
            if(link IN_LIST registered AND NOT link IN_LIST seen)
                list(APPEND seen ${link})
                list(APPEND todo ${link})
            endif()
        endforeach()
    endwhile()
    set(${out} ${seen} PARENT_SCOPE)
endfunction()

# Call once, after every library is declared.
function(dt_check_includes)
    get_property(registered GLOBAL PROPERTY DT_LIBRARIES)
    set(rules "")
    set(checked "")
    foreach(target IN LISTS registered)
        get_target_property(folder ${target} DT_FOLDER)
        dt_linked_libraries(${target} linked)
        set(allowed ${folder})
        foreach(link IN LISTS linked)
            get_target_property(link_folder ${link} DT_FOLDER)
            list(APPEND allowed ${link_folder})
        endforeach()
        list(JOIN allowed " " allowed_text)
        string(APPEND rules "${folder} ${target} ${allowed_text}\n")
        file(GLOB files ${DT_SOURCE_ROOT}/${folder}/*.h ${DT_SOURCE_ROOT}/${folder}/*.cpp)
        list(APPEND checked ${files})
    endforeach()
    set(rules_file ${CMAKE_BINARY_DIR}/include-rules.txt)
    file(WRITE ${rules_file}.new "${rules}")
    file(COPY_FILE ${rules_file}.new ${rules_file} ONLY_IF_DIFFERENT)
    set(stamp ${CMAKE_BINARY_DIR}/include-rules.stamp)
    add_custom_command(OUTPUT ${stamp}
        COMMAND ${CMAKE_COMMAND} -DRULES=${rules_file} -DROOT=${DT_SOURCE_ROOT} -DSTAMP=${stamp}
                -P ${PROJECT_SOURCE_DIR}/cmake/CheckIncludes.cmake
        DEPENDS ${rules_file} ${checked} ${PROJECT_SOURCE_DIR}/cmake/CheckIncludes.cmake
        COMMENT "Checking that every include goes down the libraries")
    add_custom_target(dt_include_rules DEPENDS ${stamp})
    foreach(target IN LISTS registered)
        add_dependencies(${target} dt_include_rules)
    endforeach()
endfunction()
