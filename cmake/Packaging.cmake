# Manual pages and the packages (CPack) of tonepak, tunecalc and tuneworks: the Debian package,
# and on Windows an installer and a ZIP.

# The web page in one file, when the web preset has built it (it opens from the disk).
set(WSPR_ONE_FILE_PAGE ${PROJECT_SOURCE_DIR}/build/web/wspr-beacon-tools.html CACHE FILEPATH
    "The web page in one file to install (cmake --build --preset web writes it)")

# ---- Manual pages -----------------------------------------------------------------------------
# Installed gzipped, as Debian keeps them, when gzip is at hand; plain otherwise (man reads both).
if(UNIX)
  set(wspr_man_pages tonepak tunecalc beaconcheck)
  if(WSPR_BUILD_WINDOW)
    list(APPEND wspr_man_pages tuneworks)
  endif()
  find_program(WSPR_GZIP gzip)
  foreach(page IN LISTS wspr_man_pages)
    set(source ${PROJECT_SOURCE_DIR}/man/${page}.1)
    if(WSPR_GZIP)
      # -n leaves out the name and time stamp, so that the package is the same on every build.
      set(compressed ${PROJECT_BINARY_DIR}/man/${page}.1.gz)
      add_custom_command(OUTPUT ${compressed}
        COMMAND ${CMAKE_COMMAND} -E make_directory ${PROJECT_BINARY_DIR}/man
        COMMAND ${WSPR_GZIP} -9 -n -c ${source} > ${compressed}
        DEPENDS ${source}
        COMMENT "Compressing the manual page ${page}.1"
        VERBATIM)
      list(APPEND wspr_man_outputs ${compressed})
      install(FILES ${compressed} DESTINATION ${CMAKE_INSTALL_MANDIR}/man1)
    else()
      install(FILES ${source} DESTINATION ${CMAKE_INSTALL_MANDIR}/man1)
    endif()
  endforeach()
  if(wspr_man_outputs)
    add_custom_target(man_pages ALL DEPENDS ${wspr_man_outputs})
  endif()
  # The user's guide, which the manual pages point to for the rules of reading numbers.
  install(FILES ${PROJECT_SOURCE_DIR}/README.md
          DESTINATION ${CMAKE_INSTALL_DATADIR}/doc/wspr-beacon-tools)
  # The web page, when the web preset has built it (Emscripten cannot be mixed into this build):
  # a package made without it simply has no page. tools/package-check builds it first.
  set(WSPR_WEB_SITE_DIR ${PROJECT_SOURCE_DIR}/build/web/site CACHE PATH
      "The built web page to install (cmake --build --preset web writes it)")
  install(DIRECTORY ${WSPR_WEB_SITE_DIR}/ DESTINATION ${CMAKE_INSTALL_DATADIR}/wspr-beacon-tools/web
          OPTIONAL)
  # The page in one file beside it, with a menu entry that opens it in the browser: both only
  # when the web preset has built the page, looked at when the package is made.
  install(CODE "
    set(wspr_page \"${WSPR_ONE_FILE_PAGE}\")
    set(wspr_desktop_in \"${PROJECT_SOURCE_DIR}/packaging/linux/wspr-beacon-tools.desktop.in\")
    set(wspr_desktop \"${PROJECT_BINARY_DIR}/wspr-beacon-tools.desktop\")
    set(wspr_datadir \"${CMAKE_INSTALL_DATADIR}\")
    include(\"${CMAKE_CURRENT_LIST_DIR}/InstallOneFilePage.cmake\")")
endif()

# ---- Package ----------------------------------------------------------------------------------
set(WSPR_PACKAGE_MAINTAINER "WSPR beacon tools maintainers <wspr-beacon-tools@example.org>"
    CACHE STRING "Maintainer named in the Debian package")

set(CPACK_PACKAGE_NAME wspr-beacon-tools)
set(CPACK_PACKAGE_VENDOR "WSPR beacon tools")
set(CPACK_PACKAGE_VERSION ${PROJECT_VERSION})
set(CPACK_PACKAGE_CONTACT ${WSPR_PACKAGE_MAINTAINER})
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY
    "WSPR encoder and DDS tuning-word calculator for PIC beacons")
set(CPACK_PACKAGE_INSTALL_DIRECTORY ${CPACK_PACKAGE_NAME})
set(CPACK_STRIP_FILES ON)

if(WIN32)
  include(${CMAKE_CURRENT_LIST_DIR}/WindowsPackage.cmake)
elseif(UNIX AND NOT APPLE)
  set(CPACK_GENERATOR DEB)
else()
  set(CPACK_GENERATOR ZIP)
endif()

set(CPACK_DEBIAN_PACKAGE_MAINTAINER ${WSPR_PACKAGE_MAINTAINER})
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)  # wspr-beacon-tools_VERSION_ARCH.deb
set(CPACK_DEBIAN_PACKAGE_SECTION hamradio)
set(CPACK_DEBIAN_PACKAGE_PRIORITY optional)
# The summary above is the synopsis; CPack indents these lines and marks the empty ones.
set(CPACK_DEBIAN_PACKAGE_DESCRIPTION
    "Two tools for building a low-power WSPR beacon from a PIC microcontroller
and a DDS chip.

tonepak encodes a call sign, locator and power into the 162 WSPR channel
symbols, printing every stage, and writes them packed for the PIC assembler
(wsptones.inc) and as two minutes of test audio (a.au).

tuneworks (a Qt window) and tunecalc (the command line) compute the DDS
clock, tuning words, WSPR tone step, lowest-tone word and resolution for
24-bit PIC, AD9850/AD9851 and AD9852 synthesisers.

beaconcheck measures a recording of the finished beacon: tones, step,
drift, timing, SNR and the symbols heard, and says what keeps decoders
from hearing it.")
# dpkg-shlibdeps (package dpkg-dev) reads the libraries the programs really link; CPack runs it
# only with the `file` program at hand (package file). Without either the list is the one a
# Debian 12 build with Qt 6 needs.
find_program(WSPR_DPKG_SHLIBDEPS dpkg-shlibdeps)
find_program(WSPR_FILE_PROGRAM file)
if(WSPR_DPKG_SHLIBDEPS AND WSPR_FILE_PROGRAM)
  set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
else()
  set(wspr_depends "libc6, libgcc-s1, libstdc++6")
  if(WSPR_BUILD_WINDOW)
    string(APPEND wspr_depends ", libqt6core6, libqt6gui6, libqt6widgets6")
  endif()
  set(CPACK_DEBIAN_PACKAGE_DEPENDS ${wspr_depends})
endif()
# The page's menu entry opens it with xdg-open, in the user's own browser.
set(CPACK_DEBIAN_PACKAGE_RECOMMENDS xdg-utils)

include(CPack)
