# `docs`: the HTML reference, built by Doxygen into <build>/html. Every warning fails the build.
find_package(Doxygen QUIET)
if(NOT DOXYGEN_EXECUTABLE)
    add_custom_target(docs
        COMMAND ${CMAKE_COMMAND} -E echo "doxygen not found: install Debian's doxygen"
        COMMAND ${CMAKE_COMMAND} -E false)
    return()
endif()
set(TAL_DOCS_DIR ${PROJECT_BINARY_DIR})
configure_file(${PROJECT_SOURCE_DIR}/docs/Doxyfile.in ${PROJECT_BINARY_DIR}/Doxyfile @ONLY)
add_custom_target(docs
    COMMAND ${CMAKE_COMMAND} -E remove_directory ${PROJECT_BINARY_DIR}/html
    COMMAND ${DOXYGEN_EXECUTABLE} ${PROJECT_BINARY_DIR}/Doxyfile
    WORKING_DIRECTORY ${PROJECT_SOURCE_DIR}
    COMMENT "Building the HTML reference into ${PROJECT_BINARY_DIR}/html"
    VERBATIM)
