# The host functions, read from the X-macro list in src/tansy/tansy_api.h so
# that no second list of them exists.

# NAME:ARGC for each host function, in table order. Every parameter is 32 bits
# on i686, so ARGC x 4 is what the function removes from the stack there.
function(qbx_host_api_entries out)
  file(READ ${CMAKE_SOURCE_DIR}/src/tansy/tansy_api.h text)
  string(REGEX MATCHALL "X\\(TSA_[A-Za-z0-9_]+,[^(]*\\([^)]*\\)" macros "${text}")
  set(entries)
  foreach(macro IN LISTS macros)
    string(REGEX REPLACE "X\\((TSA_[A-Za-z0-9_]+),.*" "\\1" name "${macro}")
    string(REGEX REPLACE ".*\\(([^)]*)\\)$" "\\1" params "${macro}")
    string(STRIP "${params}" params)
    if(params STREQUAL "void" OR params STREQUAL "")
      set(argc 0)
    else()
      string(REGEX MATCHALL "," commas "${params}")
      list(LENGTH commas argc)
      math(EXPR argc "${argc} + 1")
    endif()
    list(APPEND entries ${name}:${argc})
  endforeach()
  list(LENGTH entries count)
  if(NOT count EQUAL 54)
    message(FATAL_ERROR "tansy_api.h lists ${count} host functions, expected 54")
  endif()
  set(${out} ${entries} PARENT_SCOPE)
endfunction()

function(qbx_host_api_names out)
  qbx_host_api_entries(entries)
  list(TRANSFORM entries REPLACE ":.*" "")
  set(${out} ${entries} PARENT_SCOPE)
endfunction()
