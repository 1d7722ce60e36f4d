# Run when installing (from Packaging.cmake): the web page in one file and the menu entry that
# opens it in the browser, when the web preset has built the page; the entry names the page where
# this installation puts it. Set before: wspr_page, wspr_desktop_in, wspr_desktop, wspr_datadir.
if(NOT EXISTS "${wspr_page}")
  message(STATUS "No web page in one file at ${wspr_page}: installing without it")
  return()
endif()
set(wspr_share "${CMAKE_INSTALL_PREFIX}/${wspr_datadir}")
set(WSPR_ONE_FILE_PAGE_INSTALLED "${wspr_share}/wspr-beacon-tools/wspr-beacon-tools.html")
configure_file("${wspr_desktop_in}" "${wspr_desktop}" @ONLY)
file(INSTALL "${wspr_page}" DESTINATION "${wspr_share}/wspr-beacon-tools")
file(INSTALL "${wspr_desktop}" DESTINATION "${wspr_share}/applications")
