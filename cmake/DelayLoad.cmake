# Import libraries that load their DLL at the first call rather than at
# start: comctl32 (which registers every control class as it loads) and
# comdlg32 (with the printing DLLs it pulls in) cost about 45 ms before
# WinMain under Wine, on the way to the first sound. A test checks that
# Quorel.exe still imports neither at start (tests/win/CMakeLists.txt).
#   quorel_delay_load_library(TARGET DEF_FILE)
function(quorel_delay_load_library target def)
    file(READ ${def} exports)
    # Only 32-bit stdcall names carry the size of their arguments.
    if(CMAKE_SIZEOF_VOID_P EQUAL 8)
        string(REGEX REPLACE "@[0-9]+" "" exports "${exports}")
        set(kill_at "")
    else()
        set(kill_at --kill-at)
    endif()
    set(dir ${CMAKE_BINARY_DIR}/delayload)
    file(WRITE ${dir}/${target}.def "${exports}")
    set(library ${dir}/lib${target}.a)
    add_custom_command(OUTPUT ${library}
        COMMAND ${CMAKE_DLLTOOL} --input-def ${dir}/${target}.def --output-delaylib ${library}
                ${kill_at}
        DEPENDS ${def}
        VERBATIM)
    add_custom_target(${target}_import DEPENDS ${library})
    add_library(${target} STATIC IMPORTED GLOBAL)
    set_target_properties(${target} PROPERTIES IMPORTED_LOCATION ${library}
                                               INTERFACE_LINK_LIBRARIES delayimp)
    add_dependencies(${target} ${target}_import)
endfunction()
