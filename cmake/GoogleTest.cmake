# GoogleTest for the test programs: the system's package natively, built from Debian's sources
# when cross-compiling, since the system's libraries are for the build machine.
include_guard(GLOBAL)
if(NOT CMAKE_CROSSCOMPILING)
  find_package(GTest REQUIRED)
  include(GoogleTest)
  return()
endif()

set(WSPR_GOOGLETEST_SOURCE_DIR /usr/src/googletest CACHE PATH
    "GoogleTest sources to build for the target (Debian package googletest)")
if(NOT EXISTS ${WSPR_GOOGLETEST_SOURCE_DIR}/CMakeLists.txt)
  message(FATAL_ERROR "No GoogleTest sources in ${WSPR_GOOGLETEST_SOURCE_DIR}; "
                      "install Debian's googletest package or set WSPR_GOOGLETEST_SOURCE_DIR")
endif()

# GoogleTest's own build must not install itself with ours, nor take the test-wide warnings.
set(INSTALL_GTEST OFF CACHE BOOL "" FORCE)
set(BUILD_GMOCK ON CACHE BOOL "" FORCE)
set(gtest_force_shared_crt ON CACHE BOOL "" FORCE)
if(EMSCRIPTEN)
  set(gtest_disable_pthreads ON CACHE BOOL "" FORCE)  # no threads in the browser build
endif()
add_subdirectory(${WSPR_GOOGLETEST_SOURCE_DIR} ${CMAKE_BINARY_DIR}/_deps/googletest EXCLUDE_FROM_ALL SYSTEM)

# The names find_package(GTest) gives, so the test folders read the same on both builds.
# GoogleTest 1.11 and later define them itself; older sources do not.
foreach(gtest_library IN ITEMS gtest gtest_main gmock gmock_main)
  if(NOT TARGET GTest::${gtest_library})
    add_library(GTest::${gtest_library} ALIAS ${gtest_library})
  endif()
endforeach()

include(GoogleTest)

# Test lists are read from the .exe under Wine when ctest starts rather than after each link:
# the build then needs no Wine at all, and a first Wine start, which builds its prefix for
# tens of seconds, cannot break the build. Wine's start also outlasts the usual 5 s allowed
# for listing, so the listing gets a minute; a test folder's own arguments still win.
set(CMAKE_GTEST_DISCOVER_TESTS_DISCOVERY_MODE PRE_TEST)

# Under Wine, before the test lists are read: the prefix, made once, and one Wine server for the
# whole ctest run, which ends a minute after the run's last program. Without it every test
# program would start a server of its own, and one that starts as another quits would be cut off
# (tools/wine.sh tells the story).
if(WIN32 AND WSPR_WINE_LOADER)
  set(wspr_wine_session ${CMAKE_BINARY_DIR}/wine_session.cmake)
  file(WRITE ${wspr_wine_session}
       "execute_process(COMMAND bash -c [=[source \"$0/tools/lib.sh\" && source \"$0/tools/wine.sh\" && wine_session \"$1\" \"$2\" 60]=]\n"
       "                \"${PROJECT_SOURCE_DIR}\" \"${WSPR_WINE_LOADER}\" \"${WSPR_WINE_PREFIX}\"\n"
       "                RESULT_VARIABLE status)\n"
       "if(NOT status EQUAL 0)\n"
       "  message(WARNING \"no Wine session in ${WSPR_WINE_PREFIX}: the tests will fail\")\n"
       "endif()\n")
  set_property(DIRECTORY APPEND PROPERTY TEST_INCLUDE_FILES ${wspr_wine_session})
endif()
function(gtest_discover_tests target)
  if(EMSCRIPTEN)
    # Under Node the tests read the source tree's files directly (NODERAWFS) and carry the label
    # web, so that `ctest -L web` runs exactly the suites built for the browser.
    target_link_options(${target} PRIVATE -sNODERAWFS=1 -sALLOW_MEMORY_GROWTH=1)
    _gtest_discover_tests(${target} DISCOVERY_TIMEOUT 60 PROPERTIES LABELS web ${ARGN})
  else()
    _gtest_discover_tests(${target} DISCOVERY_TIMEOUT 60 ${ARGN})
  endif()
endfunction()
