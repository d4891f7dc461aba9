# libtal exports only the library's own names, its plain functions undecorated, and calls the base
# library through exactly the names the package lists (BASE_NAMES); libtal_base (BASE_LIBRARY)
# exports base-library names only, all of those among them.
cmake_minimum_required(VERSION 3.25)
set(base "^(Bas_|Basp_|Lex_|Pev_|BlockMove$)")
set(own "^(Tal_|Talp_)")
string(REPLACE "|" ";" base_names "${BASE_NAMES}")

# The dynamic names of a Windows DLL, one a list element: its export table (--defined-only), or what
# its import tables take from other DLLs (--undefined-only).
function(pe_names library mode out)
    execute_process(COMMAND ${OBJDUMP} -p ${library} RESULT_VARIABLE rc OUTPUT_VARIABLE listing)
    if(NOT rc EQUAL 0)
        message(FATAL_ERROR "${OBJDUMP} -p failed on ${library}")
    endif()
    string(REPLACE ";" "," listing "${listing}")
    string(REPLACE "\n" ";" lines "${listing}")
    set(names "")
    set(section "")
    foreach(line ${lines})
        if(line MATCHES "^\\[Ordinal/Name Pointer\\] Table")
            set(section exports)
        elseif(line MATCHES "^\tDLL Name: ")
            set(section imports)
        elseif(line STREQUAL "")
            set(section "")
        elseif(section STREQUAL "exports" AND mode STREQUAL "--defined-only"
               AND line MATCHES "^\t\\[ *[0-9]+\\] ([^ ]+)$")
            list(APPEND names "${CMAKE_MATCH_1} T")
        elseif(section STREQUAL "imports" AND mode STREQUAL "--undefined-only"
               AND line MATCHES "^\t[0-9a-f]+\t +[0-9]+  ([^ ]+)")
            list(APPEND names "${CMAKE_MATCH_1} U")
        endif()
    endforeach()
    set(${out} ${names} PARENT_SCOPE)
endfunction()

# The dynamic names of library with mode (--defined-only or --undefined-only): plain ones, and C++
# ones demangled; an ELF file through nm (NM), a DLL through objdump (OBJDUMP). Linker, sanitizer
# and coverage runtime names, what the sanitizers emit, and the version nodes of the version script
# (absolute names) are left out.
function(dynamic_names library mode plain_var cpp_var)
    if(library MATCHES "\\.dll$")
        pe_names(${library} ${mode} lines)
    else()
        if(NOT NM)
            set(NM nm)
        endif()
        execute_process(COMMAND ${NM} -D ${mode} --format=posix ${library}
            RESULT_VARIABLE rc OUTPUT_VARIABLE listing)
        if(NOT rc EQUAL 0)
            message(FATAL_ERROR "${NM} failed on ${library}")
        endif()
        string(REGEX REPLACE "\n$" "" listing "${listing}")
        string(REPLACE "\n" ";" lines "${listing}")
    endif()
    set(plain "")
    set(mangled "")
    foreach(line ${lines})
        string(REGEX REPLACE "[@ ].*" "" name "${line}")
        if(line MATCHES "^[^ ]+ A ")
        elseif(name MATCHES "^_Z")
            list(APPEND mangled ${name})
        elseif(NOT name MATCHES "^(_init|_fini|_edata|_end|__bss_start)$"
               AND NOT name MATCHES "^(__asan|__odr_asan|__ubsan|__sanitizer|__lsan|__tsan)"
               AND NOT name MATCHES "^(__gcov_|__llvm_profile_|__llvm_gcov_|__llvm_prf_)")
            list(APPEND plain ${name})
        endif()
    endforeach()
    set(cpp "")
    if(mangled)
        execute_process(COMMAND c++filt ${mangled} OUTPUT_VARIABLE demangled)
        string(REGEX REPLACE "\n$" "" demangled "${demangled}")
        string(REPLACE "\n" ";" demangled "${demangled}")
        foreach(name ${demangled})
            # Type information that UndefinedBehaviorSanitizer emits for function and fundamental
            # types.
            if(NOT name MATCHES "^typeinfo (name )?for ([a-z ]+\\**$|.*\\()")
                list(APPEND cpp "${name}")
            endif()
        endforeach()
    endif()
    set(${plain_var} ${plain} PARENT_SCOPE)
    set(${cpp_var} ${cpp} PARENT_SCOPE)
endfunction()

# The class or function a demangled name belongs to: no vtable/typeinfo prefix, return type or
# parameters.
function(bare_name name out)
    string(REGEX REPLACE "^(vtable|typeinfo|typeinfo name|VTT|guard variable) for " "" bare "${name}")
    string(REGEX REPLACE "\\(.*" "" bare "${bare}")
    if(NOT bare MATCHES "::operator ")  # a conversion's type is no return type
        string(REGEX REPLACE "^[A-Za-z_][A-Za-z0-9_:]*[ *&]+([A-Za-z_])" "\\1" bare "${bare}")
    endif()
    set(${out} "${bare}" PARENT_SCOPE)
endfunction()

# Every one of names is in list, or an error says which is not.
function(expect_all names list what)
    foreach(name ${names})
        if(NOT name IN_LIST list)
            message(SEND_ERROR "${what}: ${name}")
        endif()
    endforeach()
endfunction()

# libtal: defined names are its own.
dynamic_names(${LIBRARY} --defined-only plain cpp)
foreach(name ${plain})
    if(NOT name MATCHES "${own}")
        message(SEND_ERROR "libtal exports a foreign plain name: ${name}")
    endif()
endforeach()
foreach(name ${cpp})
    bare_name("${name}" bare)
    if(NOT bare MATCHES "${own}")
        message(SEND_ERROR "libtal exports a foreign C++ name: ${name}")
    endif()
endforeach()
expect_all("Tal_Birth;Tal_Death;Tal_GetGlobals;Tal_SetGlobals;Tal_CheckVersions;\
Tal_PkgObjectVersion;Talp_ReportErr;Tal_PrepareFCMD;Tal_UnprepareFCMD;Tal_PrepareFTrig;\
Tal_UnprepareFTrig;Talp_G;Tal_G_zref" "${plain}" "missing from libtal's undecorated exports")

# libtal: the base-library names it needs are the package's list.
dynamic_names(${LIBRARY} --undefined-only plain cpp)
set(needed "")
foreach(name ${plain} ${cpp})
    bare_name("${name}" bare)
    if(bare MATCHES "${base}")
        list(APPEND needed "${bare}")
    endif()
endforeach()
expect_all("${needed}" "${base_names}" "missing from Tal_BASE_NAMES, but libtal needs")
expect_all("${base_names}" "${needed}" "listed in Tal_BASE_NAMES, but libtal does not need")

# libtal_base: base-library names only, every listed one among them.
if(BASE_LIBRARY)
    dynamic_names(${BASE_LIBRARY} --defined-only plain cpp)
    set(defined "")
    foreach(name ${plain} ${cpp})
        bare_name("${name}" bare)
        list(APPEND defined "${bare}")
        if(NOT bare MATCHES "${base}")
            message(SEND_ERROR "libtal_base exports a name not of a base library: ${name}")
        endif()
    endforeach()
    expect_all("${base_names}" "${defined}" "missing from libtal_base")
endif()
