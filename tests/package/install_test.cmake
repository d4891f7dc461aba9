# Installs the built tree into a staging prefix, then builds and runs a consumer against it twice:
# through find_package(Tal 18) and through pkg-config. A cross build passes its toolchain file, its
# flags and its emulator (EMULATOR, arguments separated by "|"); the consumers run under it.
function(run)
    execute_process(COMMAND ${ARGN} RESULT_VARIABLE rc OUTPUT_VARIABLE out ERROR_VARIABLE out)
    if(NOT rc EQUAL 0)
        string(REPLACE ";" " " cmd "${ARGN}")
        message(FATAL_ERROR "failed (${rc}): ${cmd}\n${out}")
    endif()
    set(last_output "${out}" PARENT_SCOPE)
endfunction()

set(stage ${WORK_DIR}/stage)
file(REMOVE_RECURSE ${WORK_DIR})
run(${CMAKE_COMMAND} --install ${BUILD_DIR} --prefix ${stage})

string(REPLACE "|" ";" emulator "${EMULATOR}")
# Windows finds a program's DLLs beside it or on the PATH; Wine adds WINEPATH to that.
if(CMAKE_HOST_WIN32)
    set(ENV{PATH} "${stage}/bin;$ENV{PATH}")
elseif(TOOLCHAIN MATCHES "mingw")
    set(ENV{WINEPATH} ${stage}/bin)
endif()

# find_package
string(STRIP "${CXX_FLAGS} ${EXTRA_FLAGS}" cxx_flags)
string(STRIP "${LINKER_FLAGS} ${EXTRA_FLAGS}" linker_flags)
set(flags -DCMAKE_CXX_FLAGS=${cxx_flags} -DCMAKE_EXE_LINKER_FLAGS=${linker_flags})
if(TOOLCHAIN)
    # The staged prefix is one more root of a cross build's searches.
    list(APPEND flags -DCMAKE_TOOLCHAIN_FILE=${TOOLCHAIN} -DCMAKE_FIND_ROOT_PATH=${stage})
endif()
run(${CMAKE_COMMAND} -S ${CONSUMER_DIR} -B ${WORK_DIR}/cmake-build -G ${GENERATOR}
    -DCMAKE_CXX_COMPILER=${CXX} -DCMAKE_PREFIX_PATH=${stage} -DCMAKE_BUILD_TYPE=Release ${flags})
run(${CMAKE_COMMAND} --build ${WORK_DIR}/cmake-build)
file(GLOB consumer ${WORK_DIR}/cmake-build/consumer ${WORK_DIR}/cmake-build/consumer.exe)
run(${emulator} ${consumer})
if(NOT last_output MATCHES "consumer: Tal 18.4 born and ended")
    message(FATAL_ERROR "unexpected consumer output: ${last_output}")
endif()

# pkg-config; the .pc file names the configured prefix, so let it find the staged one.
find_program(PKG_CONFIG NAMES pkg-config pkgconf)
if(NOT PKG_CONFIG)
    message(STATUS "pkg-config not found: the pkg-config consumer is skipped")
    return()
endif()
file(GLOB_RECURSE pc_files ${stage}/*/tal.pc)
list(GET pc_files 0 pc_file)
get_filename_component(pc_dir ${pc_file} DIRECTORY)
set(ENV{PKG_CONFIG_PATH} ${pc_dir})
run(${PKG_CONFIG} --define-prefix --modversion tal)
if(NOT last_output MATCHES "^18\\.4\\.0")
    message(FATAL_ERROR "pkg-config reports version ${last_output}")
endif()
run(${PKG_CONFIG} --define-prefix --cflags --libs tal)
string(STRIP "${last_output}" pc_flags)
separate_arguments(pc_flags UNIX_COMMAND "${pc_flags}")
string(REGEX MATCH "-L[^ ;]+" libdir_flag "${pc_flags}")
string(SUBSTRING "${libdir_flag}" 2 -1 libdir)
separate_arguments(extra UNIX_COMMAND "${cxx_flags} ${linker_flags}")
set(rpath -Wl,-rpath,${libdir})
if(TOOLCHAIN MATCHES "mingw")
    set(rpath "")  # no run path in a PE file
    list(REMOVE_ITEM extra -static)  # it would take static archives only, not the import libraries
endif()
run(${CXX} -std=c++17 ${extra} ${CONSUMER_DIR}/consumer.cpp ${pc_flags} ${rpath}
    -o ${WORK_DIR}/pc-consumer)
file(GLOB consumer ${WORK_DIR}/pc-consumer ${WORK_DIR}/pc-consumer.exe)
run(${emulator} ${consumer})
if(NOT last_output MATCHES "consumer: Tal 18.4 born and ended")
    message(FATAL_ERROR "unexpected pkg-config consumer output: ${last_output}")
endif()
