# library_soname(<variable> <prefix>): the soname of the shared library that
# pkg_check_modules(<prefix> ...) resolved (its first in <prefix>_LINK_LIBRARIES),
# as the dynamic linker names it: what the program passes to dlopen.
function(library_soname variable prefix)
  list(GET ${prefix}_LINK_LIBRARIES 0 file)
  execute_process(COMMAND ${CMAKE_OBJDUMP} -p ${file} OUTPUT_VARIABLE headers
    RESULT_VARIABLE failed)
  if(failed OR NOT headers MATCHES "SONAME +([^ \n]+)")
    message(FATAL_ERROR "No soname found in ${file} (${prefix})")
  endif()
  set(${variable} ${CMAKE_MATCH_1} PARENT_SCOPE)
endfunction()
