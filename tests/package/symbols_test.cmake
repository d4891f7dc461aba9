# The shared library exports only the library's own names, and its plain functions undecorated.
execute_process(COMMAND nm -D --defined-only --format=posix ${LIBRARY}
    RESULT_VARIABLE rc OUTPUT_VARIABLE listing)
if(NOT rc EQUAL 0)
    message(FATAL_ERROR "nm failed on ${LIBRARY}")
endif()
string(REGEX REPLACE "\n$" "" listing "${listing}")
string(REPLACE "\n" ";" lines "${listing}")

set(own "^(Tal_|Talp_|Bas_|Basp_|Lex_|Pev_)")
set(plain "")
set(mangled "")
foreach(line ${lines})
    string(REGEX REPLACE " .*" "" name "${line}")
    if(line MATCHES "^_ZNK?S[^ ]* [WV] ")
        # A weak instance of a standard-library template: the standard library marks its
        # namespace default-visible, so these are vague-linkage copies, not exports of ours.
    elseif(name MATCHES "^_Z")
        list(APPEND mangled ${name})
    elseif(name MATCHES "^(_init|_fini|_edata|_end|__bss_start)$"
           OR name MATCHES "^(__asan|__odr_asan|__ubsan|__sanitizer|__lsan)")
        # Linker and sanitizer runtime names.
    elseif(name MATCHES "${own}" OR name STREQUAL "BlockMove")
        list(APPEND plain ${name})
    else()
        message(SEND_ERROR "foreign plain export: ${name}")
    endif()
endforeach()

if(mangled)
    execute_process(COMMAND c++filt ${mangled} OUTPUT_VARIABLE demangled RESULT_VARIABLE rc)
    string(REGEX REPLACE "\n$" "" demangled "${demangled}")
    string(REPLACE "\n" ";" demangled "${demangled}")
    foreach(name ${demangled})
        if(name MATCHES "^typeinfo (name )?for .*\\(")
            continue()  # function-type typeinfo that UndefinedBehaviorSanitizer emits
        endif()
        # A member, vtable or typeinfo of an own class, or an instance of an own template.
        string(REGEX REPLACE "^(vtable|typeinfo|typeinfo name|VTT|guard variable) for " "" bare
                             "${name}")
        string(REGEX REPLACE "^[A-Za-z_][A-Za-z0-9_:]*[ *&]+" "" bare_no_return "${bare}")
        if(NOT bare MATCHES "${own}" AND NOT bare_no_return MATCHES "${own}")
            message(SEND_ERROR "foreign C++ export: ${name}")
        endif()
    endforeach()
endif()

# The frame's plain functions and data must be there under their bare names.
foreach(name Tal_Birth Tal_Death Tal_GetGlobals Tal_SetGlobals Tal_CheckVersions
             Tal_PkgObjectVersion Talp_ReportErr Tal_PrepareFCMD Tal_UnprepareFCMD
             Tal_PrepareFTrig Tal_UnprepareFTrig Talp_G Tal_G_zref Basp_G_buffer Basp_G_err_buf
             Basp_ReportError Basp_ReportErrString Basp_ReportNiroErrString Bas_ZLookupLStrCache
             Bas_AllocateHandle Bas_AllocateHandleQuiet Bas_FreeHandle Bas_HPurge
             Bas_CheckVersions Lex_CheckVersions Pev_Log BlockMove)
    list(FIND plain ${name} at)
    if(at LESS 0)
        message(SEND_ERROR "missing undecorated export: ${name}")
    endif()
endforeach()
list(LENGTH plain n_plain)
list(LENGTH mangled n_mangled)
message(STATUS "${n_plain} plain and ${n_mangled} C++ exports, all the library's own")
