# Helpers of the package tests (included by the -P scripts).

# Runs a command; on failure stops with the command and what it printed. Its output is left in
# last_output.
function(run)
    execute_process(COMMAND ${ARGN} RESULT_VARIABLE rc OUTPUT_VARIABLE out ERROR_VARIABLE out)
    if(NOT rc EQUAL 0)
        string(REPLACE ";" " " cmd "${ARGN}")
        message(FATAL_ERROR "failed (${rc}): ${cmd}\n${out}")
    endif()
    set(last_output "${out}" PARENT_SCOPE)
endfunction()

# Builds and runs the consumer against the Tal installed under prefix twice: through
# find_package(Tal 18) and through pkg-config (--static when shared is off). Uses CONSUMER_DIR,
# CXX, GENERATOR and EXTRA_FLAGS (the sanitizer flags of the build); builds under work. A cross
# build also passes TOOLCHAIN, CXX_FLAGS, LINKER_FLAGS and EMULATOR (its arguments separated by
# "|"): the consumers are built for its target and run under its emulator.
function(consume prefix shared work)
    # The package names its libraries relative to itself and system libraries by name: a path of
    # the build machine would break the package anywhere else.
    file(GLOB_RECURSE target_files ${prefix}/*/TalTargets*.cmake)
    if(NOT target_files)
        message(FATAL_ERROR "no TalTargets.cmake under ${prefix}")
    endif()
    foreach(file ${target_files})
        file(STRINGS ${file} absolute REGEX "[\" ;=]/[^\" ;]*lib(m|pthread|stdc\\+\\+)[.]")
        if(absolute)
            message(FATAL_ERROR "${file} names a library by an absolute path: ${absolute}")
        endif()
    endforeach()
    set(expected "consumer: Tal 18.4 born and ended")
    string(REPLACE "|" ";" emulator "${EMULATOR}")
    # Windows finds a program's DLLs beside it or on the PATH; Wine adds WINEPATH to that.
    if(CMAKE_HOST_WIN32)
        set(ENV{PATH} "${prefix}/bin;$ENV{PATH}")
    elseif(TOOLCHAIN MATCHES "mingw")
        set(ENV{WINEPATH} ${prefix}/bin)
    endif()
    string(STRIP "${CXX_FLAGS} ${EXTRA_FLAGS}" cxx_flags)
    string(STRIP "${LINKER_FLAGS} ${EXTRA_FLAGS}" linker_flags)
    set(flags -DCMAKE_CXX_FLAGS=${cxx_flags} -DCMAKE_EXE_LINKER_FLAGS=${linker_flags})
    if(TOOLCHAIN)
        # The prefix is one more root of a cross build's searches.
        list(APPEND flags -DCMAKE_TOOLCHAIN_FILE=${TOOLCHAIN} -DCMAKE_FIND_ROOT_PATH=${prefix})
    endif()
    run(${CMAKE_COMMAND} -S ${CONSUMER_DIR} -B ${work}/cmake-build -G ${GENERATOR}
        -DCMAKE_CXX_COMPILER=${CXX} -DCMAKE_PREFIX_PATH=${prefix} -DCMAKE_BUILD_TYPE=Release
        ${flags})
    run(${CMAKE_COMMAND} --build ${work}/cmake-build)
    file(GLOB consumer ${work}/cmake-build/consumer ${work}/cmake-build/consumer.exe)
    run(${emulator} ${consumer})
    if(NOT last_output MATCHES "${expected}")
        message(FATAL_ERROR "find_package consumer of ${prefix}: expected '${expected}', got "
                            "'${last_output}'")
    endif()

    find_program(PKG_CONFIG NAMES pkg-config pkgconf)
    if(NOT PKG_CONFIG)
        message(STATUS "pkg-config not found: the pkg-config consumer is skipped")
        return()
    endif()
    # The .pc files find the prefix from their own place: nothing tells them where it is.
    file(GLOB_RECURSE pc_files ${prefix}/*/tal.pc)
    list(GET pc_files 0 pc_file)
    file(STRINGS ${pc_file} pc_prefix REGEX "^prefix=")
    if(NOT pc_prefix MATCHES "^prefix=\\\${pcfiledir}/")
        message(FATAL_ERROR "${pc_file} is not relocatable: ${pc_prefix}")
    endif()
    get_filename_component(pc_dir ${pc_file} DIRECTORY)
    set(ENV{PKG_CONFIG_PATH} ${pc_dir})
    run(${PKG_CONFIG} --modversion tal)
    if(NOT last_output MATCHES "^18\\.4\\.0")
        message(FATAL_ERROR "pkg-config reports version ${last_output}, expected 18.4.0")
    endif()
    set(pc_static "")
    if(NOT shared)
        set(pc_static --static)
    endif()
    run(${PKG_CONFIG} ${pc_static} --cflags --libs tal)
    string(STRIP "${last_output}" pc_flags)
    if(NOT shared AND NOT pc_flags MATCHES "-DTAL_STATIC_DEFINE")
        message(FATAL_ERROR "the static tal.pc lacks the static define: ${pc_flags}")
    endif()
    separate_arguments(pc_flags UNIX_COMMAND "${pc_flags}")
    string(REGEX MATCH "-L[^ ;]+" libdir_flag "${pc_flags}")
    string(SUBSTRING "${libdir_flag}" 2 -1 libdir)
    separate_arguments(extra UNIX_COMMAND "${cxx_flags} ${linker_flags}")
    set(rpath -Wl,-rpath,${libdir})
    if(TOOLCHAIN MATCHES "mingw")
        set(rpath "")  # no run path in a PE file
        if(shared)
            list(REMOVE_ITEM extra -static)  # it would take static archives, not import libraries
        endif()
    endif()
    run(${CXX} -std=c++17 ${extra} ${CONSUMER_DIR}/consumer.cpp ${pc_flags} ${rpath}
        -o ${work}/pc-consumer)
    file(GLOB consumer ${work}/pc-consumer ${work}/pc-consumer.exe)
    run(${emulator} ${consumer})
    if(NOT last_output MATCHES "${expected}")
        message(FATAL_ERROR "pkg-config consumer of ${prefix}: expected '${expected}', got "
                            "'${last_output}'")
    endif()
endfunction()
