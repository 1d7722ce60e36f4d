# The Windows release: an NSIS installer and a ZIP of the same files, made by CPack from the
# MinGW-w64 build. Included from Packaging.cmake before CPack itself, for Windows builds only.

# ---- What both packages hold ------------------------------------------------------------------
# The user guide, with the CR LF line ends that every Windows editor shows as lines.
set(WSPR_WINDOWS_README ${PROJECT_BINARY_DIR}/README.txt)
configure_file(${PROJECT_SOURCE_DIR}/packaging/windows/README.txt.in ${WSPR_WINDOWS_README}
               @ONLY NEWLINE_STYLE CRLF)
install(FILES ${WSPR_WINDOWS_README} DESTINATION .)
# The web page in one file, when the web preset has built it: it opens in the browser from the
# disk, and the Start menu gets a shortcut to it.
if(EXISTS ${WSPR_ONE_FILE_PAGE})
  install(FILES ${WSPR_ONE_FILE_PAGE} DESTINATION .)
  set(wspr_page_link wspr-beacon-tools.html "WSPR beacon tools in the browser")
endif()

# The programs are stripped when linked rather than by CPack, whose strip would stamp each
# package's copy with the time it ran: so the installer and the ZIP hold the very same bytes.
set(CPACK_STRIP_FILES OFF)
if(NOT MSVC)
  foreach(program IN ITEMS tonepak tunecalc tuneworks beaconcheck)
    if(TARGET ${program})
      target_link_options(${program} PRIVATE $<$<NOT:$<CONFIG:Debug>>:-s>)
    endif()
  endforeach()
endif()

# ---- Both packages ----------------------------------------------------------------------------
set(CPACK_GENERATOR NSIS ZIP)
# The values below reach the installer script as written here, quotes and backslashes included.
set(CPACK_VERBATIM_VARIABLES ON)
set(CPACK_PACKAGE_FILE_NAME ${CPACK_PACKAGE_NAME}-${PROJECT_VERSION}-win64)
# The name people see: the install folder, the Start-menu folder and the entry in Windows' list
# of apps. The registry key leaves the version out, so a newer installer finds the older one.
set(CPACK_PACKAGE_INSTALL_DIRECTORY "WSPR beacon tools")
set(CPACK_PACKAGE_INSTALL_REGISTRY_KEY "WSPR beacon tools")

# ---- The installer ----------------------------------------------------------------------------
# A 64-bit installer: its programs are 64-bit, and a 32-bit one would need the 32-bit half of
# Windows (or of Wine) only to unpack them. The Start-menu folder keeps one name across
# versions; the installer itself carries the version among its file properties.
set(CPACK_NSIS_DEFINES "Target amd64-unicode
!define MUI_STARTMENUPAGE_DEFAULTFOLDER \"WSPR beacon tools\"
VIProductVersion ${PROJECT_VERSION_MAJOR}.${PROJECT_VERSION_MINOR}.${PROJECT_VERSION_PATCH}.0
VIFileVersion ${PROJECT_VERSION_MAJOR}.${PROJECT_VERSION_MINOR}.${PROJECT_VERSION_PATCH}.0
VIAddVersionKey ProductName \"WSPR beacon tools\"
VIAddVersionKey ProductVersion ${PROJECT_VERSION}
VIAddVersionKey FileVersion ${PROJECT_VERSION}
VIAddVersionKey FileDescription \"WSPR beacon tools ${PROJECT_VERSION} installer\"
VIAddVersionKey CompanyName \"${CPACK_PACKAGE_VENDOR}\"")
set(CPACK_NSIS_INSTALL_ROOT "$PROGRAMFILES64")
set(CPACK_NSIS_PACKAGE_NAME "WSPR beacon tools ${PROJECT_VERSION}")
set(CPACK_NSIS_DISPLAY_NAME "WSPR beacon tools")
set(CPACK_NSIS_MANIFEST_DPI_AWARE ON)
# There is no licence to agree to; without this CPack would show CMake's own.
set(CPACK_NSIS_IGNORE_LICENSE_PAGE ON)
# Installing over an earlier version removes that version first, without asking when silent.
set(CPACK_NSIS_ENABLE_UNINSTALL_BEFORE_INSTALL ON)
# The programs are not put on the PATH: the installer would have to rewrite the user's PATH,
# which it can only hold up to 1024 characters, and a longer one would be cut.
set(CPACK_NSIS_MODIFY_PATH OFF)
set(CPACK_NSIS_EXECUTABLES_DIRECTORY bin)
set(CPACK_NSIS_MENU_LINKS README.txt "Read me" ${wspr_page_link})
# The uninstaller leaves the empty key of the vendor behind (CPack deletes only the key below it);
# these lines run at the end of the uninstaller, after that key has gone.
set(CPACK_NSIS_DELETE_ICONS_EXTRA
    "DeleteRegKey /ifempty SHCTX \"Software\\${CPACK_PACKAGE_VENDOR}\"")

# The entry in Windows' list of apps shows this file's icon.
set(CPACK_NSIS_INSTALLED_ICON_NAME Uninstall.exe)
if(TARGET tuneworks)
  # Start menu: TUNEWORKS, next to the user guide and the uninstaller.
  set(CPACK_PACKAGE_EXECUTABLES tuneworks TUNEWORKS)
  set(CPACK_NSIS_MUI_FINISHPAGE_RUN tuneworks.exe)
  set(CPACK_NSIS_INSTALLED_ICON_NAME bin\\tuneworks.exe)
endif()
# The installer and uninstaller wear the window's icon, the committed render of its drawing.
set(CPACK_NSIS_MUI_ICON ${wspr_icon_dir}/tuneworks.ico)
set(CPACK_NSIS_MUI_UNIICON ${wspr_icon_dir}/tuneworks.ico)
