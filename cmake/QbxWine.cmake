# Registers end-to-end tests that run Windows programs under Wine: the i686
# build (the release, under qemu-i386 and the 32-bit Wine loader) by default,
# the x86_64 build (wine64) where a test asks for it.
#
# A prefix is one Windows: the tests in it run one at a time (RESOURCE_LOCK).
# Each architecture has QBX_WINE_LANES_<arch> prefixes of its own, made fresh
# once per test run by the fixtures wine.<arch>.<n>, each with its own Xvfb
# display. Its tests are dealt out over them in turn (both locales of a test
# to the same prefix), so that with ctest -j tests of different prefixes run
# side by side. They mostly wait (for windows, for the scan, for the
# wineserver), so two at a time take little longer each.
#
#   qbx_add_wine_test(NAME name [LOCALES ja en] [ARCHS i686 x86_64] [TIMEOUT s]
#                     COMMAND cmd args...)
#
# registers name.<arch>.<locale> for each architecture (default: i686, or
# what QBX_E2E_ARCHS says) and locale (default: ja en). TIMEOUT is the limit
# of an x86_64 run; i686 runs get twice as long. The command runs with:
#   QBX_ARCH         i686 or x86_64; tests/wine/wine-run.sh runs that loader
#   QBX_WIN_DIR      the Windows build folder of that architecture
#   QBX_WINE_RUN     the runner script (tests/wine/wine-run.sh)
#   QBX_WINE_PREFIX  the prefix the test was dealt
#   QBX_LOCALE       ja or en
#   QBX_ARTIFACTS    a folder of its own for output, screenshots and scratch files
#   QBX_SOURCE_DIR   the source tree
#
#   qbx_add_wine_scenarios(NAME name SCRIPT file SCENARIOS s... [ON_X86_64_TOO s...]
#                          [LOCALES ...])
#
# registers name.<scenario> for each scenario, running `bash file <scenario>
# <path of qbx>`; the ON_X86_64_TOO scenarios run on the x86_64 build as well
# as the i686 one.

set(QBX_WINE_RUN ${CMAKE_SOURCE_DIR}/tests/wine/wine-run.sh)
set(QBX_ARTIFACTS_ROOT ${CMAKE_BINARY_DIR}/artifacts)
set(QBX_WINE_ARCHS i686 x86_64)
set(QBX_WINE_LANES_i686 2 CACHE STRING "Prefixes that share out the i686 end-to-end tests")
set(QBX_WINE_LANES_x86_64 1 CACHE STRING "Prefixes that share out the x86_64 end-to-end tests")
# For chasing a fault of one build: -DQBX_E2E_ARCHS=x86_64 (or "i686;x86_64")
# runs every test that names no architecture on that build instead.
set(QBX_E2E_ARCHS i686 CACHE STRING "Architectures of the end-to-end tests that name none")

function(qbx_wine_prefix out arch lane)
  set(${out} ${CMAKE_BINARY_DIR}/wine/${arch}-${lane}/prefix PARENT_SCOPE)
endfunction()

function(qbx_register_wine_fixture)
  foreach(arch IN LISTS QBX_WINE_ARCHS)
    foreach(lane RANGE 1 ${QBX_WINE_LANES_${arch}})
      set(fixture wine.${arch}.${lane})
      qbx_wine_prefix(prefix ${arch} ${lane})
      add_test(NAME wine.prefix.${arch}.${lane}
               COMMAND ${QBX_WINE_RUN} init ${prefix} --arch ${arch} --own-display)
      set_tests_properties(wine.prefix.${arch}.${lane} PROPERTIES
        FIXTURES_SETUP ${fixture} RESOURCE_LOCK ${fixture} TIMEOUT 300)
      add_test(NAME wine.stop.${arch}.${lane} COMMAND ${QBX_WINE_RUN} stop ${prefix})
      set_tests_properties(wine.stop.${arch}.${lane} PROPERTIES
        FIXTURES_CLEANUP ${fixture} RESOURCE_LOCK ${fixture})
    endforeach()
  endforeach()
endfunction()

# The lane of the next test of an architecture, in turn.
function(qbx_next_wine_lane out arch)
  get_property(last GLOBAL PROPERTY QBX_WINE_LAST_LANE_${arch})
  if(NOT last)
    set(last 0)
  endif()
  math(EXPR lane "${last} % ${QBX_WINE_LANES_${arch}} + 1")
  set_property(GLOBAL PROPERTY QBX_WINE_LAST_LANE_${arch} ${lane})
  set(${out} ${lane} PARENT_SCOPE)
endfunction()

function(qbx_add_wine_test)
  cmake_parse_arguments(T "" "NAME;TIMEOUT" "LOCALES;ARCHS;COMMAND" ${ARGN})
  if(NOT T_LOCALES)
    set(T_LOCALES ja en)
  endif()
  if(NOT T_ARCHS)
    set(T_ARCHS ${QBX_E2E_ARCHS})
  endif()
  if(NOT T_TIMEOUT)
    set(T_TIMEOUT 300)
  endif()
  foreach(arch IN LISTS T_ARCHS)
    if(arch STREQUAL "i686")
      set(build_dir ${QBX_WIN32_BUILD_DIR})
      math(EXPR timeout "${T_TIMEOUT} * 2")
    elseif(arch STREQUAL "x86_64")
      set(build_dir ${QBX_WIN64_BUILD_DIR})
      set(timeout ${T_TIMEOUT})
    else()
      message(FATAL_ERROR "${T_NAME}: unknown architecture ${arch}")
    endif()
    # Both locales of a test share a prefix, and whatever it keeps there.
    qbx_next_wine_lane(lane ${arch})
    qbx_wine_prefix(prefix ${arch} ${lane})
    foreach(locale IN LISTS T_LOCALES)
      set(test ${T_NAME}.${arch}.${locale})
      add_test(NAME ${test} COMMAND ${T_COMMAND})
      set_tests_properties(${test} PROPERTIES
        FIXTURES_REQUIRED wine.${arch}.${lane}
        RESOURCE_LOCK wine.${arch}.${lane}
        TIMEOUT ${timeout}
        LABELS "e2e;${arch}"
        ENVIRONMENT "QBX_ARCH=${arch};QBX_WIN_DIR=${build_dir};QBX_WINE_RUN=${QBX_WINE_RUN};QBX_WINE_PREFIX=${prefix};QBX_LOCALE=${locale};QBX_ARTIFACTS=${QBX_ARTIFACTS_ROOT}/${test};QBX_SOURCE_DIR=${CMAKE_SOURCE_DIR}")
    endforeach()
  endforeach()
endfunction()

function(qbx_add_wine_scenarios)
  cmake_parse_arguments(T "" "NAME;SCRIPT" "SCENARIOS;ON_X86_64_TOO;LOCALES" ${ARGN})
  set(locales)
  if(T_LOCALES)
    set(locales LOCALES ${T_LOCALES})
  endif()
  foreach(scenario IN LISTS T_SCENARIOS)
    set(archs)
    if(scenario IN_LIST T_ON_X86_64_TOO)
      set(archs ARCHS i686 x86_64)
    endif()
    qbx_add_wine_test(NAME ${T_NAME}.${scenario} ${archs} ${locales}
                      COMMAND bash ${T_SCRIPT} ${scenario} $<TARGET_FILE:qbx>)
  endforeach()
endfunction()
