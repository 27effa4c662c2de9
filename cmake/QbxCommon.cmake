# Build-wide settings and helpers shared by every target.

if(CMAKE_SYSTEM_NAME STREQUAL "Windows")
  set(QBX_WINDOWS ON)
else()
  set(QBX_WINDOWS OFF)
endif()

option(QBX_SANITIZE "Build with AddressSanitizer and UndefinedBehaviorSanitizer" OFF)
option(QBX_FUZZ "Build the libFuzzer targets (needs clang)" OFF)
option(QBX_WINDOWS_CHECKS "Register the static and Wine checks of the Windows builds" ON)
set(QBX_WIN64_BUILD_DIR "" CACHE PATH "Build folder of the x86_64 Windows build")
set(QBX_WIN32_BUILD_DIR "" CACHE PATH "Build folder of the i686 Windows build")

add_compile_options(-Wall -Wextra)
if(QBX_FUZZ)
  # Coverage for libFuzzer in every library a target links, and the sanitizers.
  add_compile_options(-fsanitize=fuzzer-no-link,address,undefined -fno-omit-frame-pointer)
  add_link_options(-fsanitize=address,undefined)
endif()
if(QBX_SANITIZE)
  add_compile_options(-fsanitize=address,undefined -fno-omit-frame-pointer -fno-sanitize-recover=undefined)
  add_link_options(-fsanitize=address,undefined)
endif()

if(QBX_WINDOWS)
  # Narrow (code-page) Win32 API throughout: texts are bytes in the local code page.
  add_compile_definitions(WIN32_LEAN_AND_MEAN NOMINMAX _WIN32_WINNT=0x0601 WINVER=0x0601)
  if(CMAKE_SYSTEM_PROCESSOR STREQUAL "i686")
    set(QBX_WIN_ARCH i686)
  else()
    set(QBX_WIN_ARCH x86_64)
  endif()
endif()

# Writes a module-definition file that exports each NAME:ARGC undecorated at the
# ordinal given by its position (1, 2, ...). On i686 the stdcall symbol carries
# the @bytes suffix, which the .def maps back to the plain name. A module named
# *.exe gets NAME, not LIBRARY: a .def that says LIBRARY makes ld mark the
# image as a DLL.
function(qbx_write_def out module)
  if(module MATCHES "\\.exe$")
    set(text "NAME ${module}\nEXPORTS\n")
  else()
    set(text "LIBRARY ${module}\nEXPORTS\n")
  endif()
  set(ordinal 1)
  foreach(entry IN LISTS ARGN)
    string(REPLACE ":" ";" fields "${entry}")
    list(GET fields 0 name)
    list(GET fields 1 argc)
    math(EXPR bytes "${argc} * 4")
    if(QBX_WIN_ARCH STREQUAL "i686")
      string(APPEND text "  ${name} = ${name}@${bytes} @${ordinal}\n")
    else()
      string(APPEND text "  ${name} @${ordinal}\n")
    endif()
    math(EXPR ordinal "${ordinal} + 1")
  endforeach()
  file(GENERATE OUTPUT "${out}" CONTENT "${text}")
endfunction()
