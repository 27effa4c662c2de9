# The two Windows builds the static checks read, by the names the tests use:
# win32 (i686, the release) and win64 (x86_64).
#
#   qbx_windows_build(arch objdump_var dir_var)
#
# sets objdump_var to the objdump that reads that build's files and dir_var
# to its build folder.
function(qbx_windows_build arch objdump_var dir_var)
  if(arch STREQUAL "win32")
    set(${objdump_var} i686-w64-mingw32-objdump PARENT_SCOPE)
    set(${dir_var} ${QBX_WIN32_BUILD_DIR} PARENT_SCOPE)
  elseif(arch STREQUAL "win64")
    set(${objdump_var} x86_64-w64-mingw32-objdump PARENT_SCOPE)
    set(${dir_var} ${QBX_WIN64_BUILD_DIR} PARENT_SCOPE)
  else()
    message(FATAL_ERROR "no Windows build named ${arch}")
  endif()
endfunction()
