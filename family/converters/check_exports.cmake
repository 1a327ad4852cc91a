# Post-build check of a Windows family library, run with cmake -P:
#   -DOBJDUMP=<objdump> -DLIBRARY=<dll> -DENTRY=<entry name>
# The library must export the entry under its plain name and import nothing
# but system DLLs.
execute_process(COMMAND ${OBJDUMP} -p ${LIBRARY} OUTPUT_VARIABLE dump RESULT_VARIABLE failed)
if(failed)
  message(FATAL_ERROR "${OBJDUMP} cannot read ${LIBRARY}")
endif()
if(NOT dump MATCHES "\\] ${ENTRY}\n")
  message(FATAL_ERROR "${LIBRARY} does not export ${ENTRY} under its plain name")
endif()
string(REGEX MATCHALL "DLL Name: [^\n]+" imports "${dump}")
foreach(line ${imports})
  string(REPLACE "DLL Name: " "" dll "${line}")
  string(TOLOWER "${dll}" dll)
  if(NOT dll MATCHES "^(kernel32|msvcrt|user32|gdi32|advapi32|ntdll)\\.dll$")
    message(FATAL_ERROR "${LIBRARY} imports ${dll}, which is not a system DLL")
  endif()
endforeach()
