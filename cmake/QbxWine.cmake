# Registers end-to-end tests that run x86_64 Windows programs under wine64.
#
# Every such test shares one WINEPREFIX, made fresh once per test run by the
# "wine" fixture, and runs alone (RESOURCE_LOCK), since a prefix is one Windows.
#
#   qbx_add_wine_test(NAME name [LOCALES ja en] [TIMEOUT s] COMMAND cmd args...)
#
# registers name.<locale> for each locale. The command runs with:
#   QBX_WINE_RUN     the runner script (tests/wine/wine-run.sh)
#   QBX_WINE_PREFIX  the shared prefix
#   QBX_LOCALE       ja or en
#   QBX_ARTIFACTS    a folder of its own for output, screenshots and scratch files
#   QBX_WIN64_DIR    the x86_64 Windows build folder
#   QBX_SOURCE_DIR   the source tree

set(QBX_WINE_RUN ${CMAKE_SOURCE_DIR}/tests/wine/wine-run.sh)
set(QBX_WINE_PREFIX ${CMAKE_BINARY_DIR}/wine/prefix)
set(QBX_ARTIFACTS_ROOT ${CMAKE_BINARY_DIR}/artifacts)

function(qbx_register_wine_fixture)
  add_test(NAME wine.prefix COMMAND ${QBX_WINE_RUN} init ${QBX_WINE_PREFIX})
  set_tests_properties(wine.prefix PROPERTIES FIXTURES_SETUP wine RESOURCE_LOCK wine TIMEOUT 300)
  add_test(NAME wine.stop COMMAND ${QBX_WINE_RUN} stop ${QBX_WINE_PREFIX})
  set_tests_properties(wine.stop PROPERTIES FIXTURES_CLEANUP wine RESOURCE_LOCK wine)
endfunction()

function(qbx_add_wine_test)
  cmake_parse_arguments(T "" "NAME;TIMEOUT" "LOCALES;COMMAND" ${ARGN})
  if(NOT T_LOCALES)
    set(T_LOCALES ja en)
  endif()
  if(NOT T_TIMEOUT)
    set(T_TIMEOUT 300)
  endif()
  foreach(locale IN LISTS T_LOCALES)
    set(test ${T_NAME}.${locale})
    add_test(NAME ${test} COMMAND ${T_COMMAND})
    set_tests_properties(${test} PROPERTIES
      FIXTURES_REQUIRED wine
      RESOURCE_LOCK wine
      TIMEOUT ${T_TIMEOUT}
      LABELS e2e
      ENVIRONMENT "QBX_WINE_RUN=${QBX_WINE_RUN};QBX_WINE_PREFIX=${QBX_WINE_PREFIX};QBX_LOCALE=${locale};QBX_ARTIFACTS=${QBX_ARTIFACTS_ROOT}/${test};QBX_WIN64_DIR=${QBX_WIN64_BUILD_DIR};QBX_SOURCE_DIR=${CMAKE_SOURCE_DIR}")
  endforeach()
endfunction()
