# The tests of the Windows build run under Wine: every test program through the
# cross-compiling emulator (build-windows/wine-run), inside a fixture that makes the
# Wine prefix in the build folder and keeps one Wine server for the whole run.
find_program(QZ_WINE NAMES wine wine64 REQUIRED)
find_program(QZ_WINESERVER NAMES wineserver REQUIRED)
set(QZ_WINE_PREFIX ${PROJECT_BINARY_DIR}/wine-prefix)
set(QZ_WINE_RUN ${PROJECT_BINARY_DIR}/wine-run)
configure_file(${PROJECT_SOURCE_DIR}/cmake/wine-run.in ${QZ_WINE_RUN} @ONLY
               FILE_PERMISSIONS OWNER_READ OWNER_WRITE OWNER_EXECUTE GROUP_READ GROUP_EXECUTE WORLD_READ WORLD_EXECUTE)
set(CMAKE_CROSSCOMPILING_EMULATOR ${QZ_WINE_RUN})

add_test(NAME wine_start COMMAND ${QZ_WINE_RUN} --start)
add_test(NAME wine_stop COMMAND ${QZ_WINE_RUN} --stop)
set_tests_properties(wine_start PROPERTIES FIXTURES_SETUP wine TIMEOUT 300)
set_tests_properties(wine_stop PROPERTIES FIXTURES_CLEANUP wine)

# Registers a test program of the Windows build: the whole program as one test, run
# under Wine (one Wine process per program keeps the run short), with the given
# environment.
function(qz_wine_test target environment)
  add_test(NAME ${target} COMMAND ${target} --gtest_brief=1)
  set_tests_properties(${target} PROPERTIES FIXTURES_REQUIRED wine ENVIRONMENT "${environment}")
endfunction()
