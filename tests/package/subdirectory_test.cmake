# Builds the subdirectory consumer against this source tree, then checks that its compile lines
# carry none of Tal's own flags and that it runs.
include(${CMAKE_CURRENT_LIST_DIR}/consumers.cmake)

# A fresh cache every time, so that nothing a former Tal left there hides what this one does; the
# objects stay, and only what changed is compiled again.
set(build ${WORK_DIR}/build)
file(REMOVE ${build}/CMakeCache.txt)
run(${CMAKE_COMMAND} -S ${CONSUMER_DIR} -B ${build} -G ${GENERATOR} -DCMAKE_CXX_COMPILER=${CXX}
    -DTAL_SOURCE_DIR=${SOURCE_DIR} "-DCMAKE_CXX_FLAGS=-Wconversion -Wsign-conversion")
# The consumer's object is made anew each time, so that its warning shows again.
file(REMOVE ${build}/CMakeFiles/consumer.dir/consumer.cpp.o)
run(${CMAKE_COMMAND} --build ${build} --target consumer)
if(NOT last_output MATCHES "unused parameter")
    message(FATAL_ERROR "the consumer's own warning did not show:\n${last_output}")
endif()

file(READ ${build}/compile_commands.json commands)
string(REGEX MATCH "\"command\": \"[^\"]*consumer\\.cpp[^\"]*\"" consumer_line "${commands}")
if(NOT consumer_line)
    message(FATAL_ERROR "no compile line for consumer.cpp in compile_commands.json")
endif()
foreach(flag -Werror -ffp-contract=off -fno-fast-math -Wpedantic)
    if(consumer_line MATCHES "${flag}")
        message(FATAL_ERROR "Tal's ${flag} leaked into the consumer: ${consumer_line}")
    endif()
endforeach()

run(${build}/consumer)
if(NOT last_output MATCHES "subdirectory consumer: 1.5 \\* 0.5 = 0x0000c000")
    message(FATAL_ERROR "unexpected consumer output: ${last_output}")
endif()
