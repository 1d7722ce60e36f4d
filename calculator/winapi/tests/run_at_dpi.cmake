# Runs window tests under Wine at one DPI, in a prefix whose LogPixels is set to it first:
#   cmake -DWINE=wine64 -DPREFIX=dir -DDPI=144 -DTESTS=tests.exe -DFILTER=... -P run_at_dpi.cmake
# The prefix is made on first use (wineboot, about a minute) and, unlike the main test prefix,
# gets no links to Wine's own fonts: as in a new user's prefix, the window meets the substitute
# faces and their wider margins. WSPR_TEST_DPI tells the tests which DPI they must find.
foreach(variable IN ITEMS WINE PREFIX DPI TESTS FILTER)
  if(NOT DEFINED ${variable})
    message(FATAL_ERROR "run_at_dpi.cmake needs -D${variable}=...")
  endif()
endforeach()
set(ENV{WINEPREFIX} ${PREFIX})
set(ENV{WINEDEBUG} -all)
set(ENV{WINEDLLOVERRIDES} "mscoree=d;mshtml=d")
set(ENV{WSPR_TEST_DPI} ${DPI})
get_filename_component(wine_dir ${WINE} DIRECTORY)
find_program(wineserver NAMES wineserver PATHS ${wine_dir} NO_DEFAULT_PATH)
find_program(wineserver NAMES wineserver)

if(NOT EXISTS ${PREFIX}/system.reg)
  execute_process(COMMAND ${WINE} wineboot --init RESULT_VARIABLE failed TIMEOUT 600
                  OUTPUT_QUIET ERROR_QUIET)
  if(failed)
    message(FATAL_ERROR "wineboot could not make the prefix ${PREFIX}: ${failed}")
  endif()
endif()
execute_process(
  COMMAND ${WINE} reg add "HKCU\\Control Panel\\Desktop" /v LogPixels /t REG_DWORD /d ${DPI} /f
  RESULT_VARIABLE failed OUTPUT_QUIET ERROR_QUIET)
if(failed)
  message(FATAL_ERROR "could not set LogPixels to ${DPI} in ${PREFIX}: ${failed}")
endif()
execute_process(COMMAND ${WINE} ${TESTS} --gtest_filter=${FILTER} RESULT_VARIABLE failed)
if(wineserver)
  execute_process(COMMAND ${wineserver} -w)
endif()
if(failed)
  message(FATAL_ERROR "the window's tests at ${DPI} dpi: ${failed}")
endif()
