# Copies every file of SOURCE into DEST unless DEST already holds a file of that name.
file(MAKE_DIRECTORY "${DEST}")
file(GLOB names RELATIVE "${SOURCE}" "${SOURCE}/*")
foreach(name IN LISTS names)
    if(NOT EXISTS "${DEST}/${name}")
        file(COPY "${SOURCE}/${name}" DESTINATION "${DEST}")
        message(STATUS "data/${name} placed")
    endif()
endforeach()
