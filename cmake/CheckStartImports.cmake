# Fails when EXE imports one of DELAYED (DLL names, lower case) at start:
# those must load at their first call (DelayLoad.cmake).
#   cmake -DOBJDUMP=... -DEXE=... -DDELAYED="a.dll;b.dll" -P CheckStartImports.cmake
execute_process(COMMAND ${OBJDUMP} -p ${EXE} OUTPUT_VARIABLE dump RESULT_VARIABLE failed)
if(failed)
    message(FATAL_ERROR "objdump could not read ${EXE}")
endif()
string(REGEX MATCHALL "DLL Name: [^\n]+" imports "${dump}")
string(TOLOWER "${imports}" imports)
if(NOT imports)
    message(FATAL_ERROR "no imports read from ${EXE}")
endif()
foreach(dll IN LISTS DELAYED)
    if(imports MATCHES "dll name: ${dll}")
        message(FATAL_ERROR "${EXE} loads ${dll} at start")
    endif()
endforeach()
