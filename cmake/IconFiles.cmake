# The icon files that the build writes from the drawing: wspr_icon_file(OUTPUT FILE) adds the
# command that writes FILE (.png or .ico) with write_icon. A cross build runs a write_icon built
# for the build machine, from a small host build of calculator/icon of its own.
include_guard(GLOBAL)

if(CMAKE_CROSSCOMPILING)
  include(ExternalProject)
  set(wspr_host_tools_dir ${CMAKE_BINARY_DIR}/host-tools)
  # CMAKE_ARGS without the toolchain file: the host's own compiler.
  ExternalProject_Add(wspr_host_tools
    SOURCE_DIR ${PROJECT_SOURCE_DIR}/calculator/icon/host
    BINARY_DIR ${wspr_host_tools_dir}
    CMAKE_ARGS -DCMAKE_BUILD_TYPE=Release
    INSTALL_COMMAND ""
    BUILD_ALWAYS ON
    BUILD_BYPRODUCTS ${wspr_host_tools_dir}/write_icon
    USES_TERMINAL_BUILD OFF)
  set(wspr_write_icon ${wspr_host_tools_dir}/write_icon)
  set(wspr_write_icon_depends wspr_host_tools ${wspr_write_icon})
else()
  add_subdirectory(${PROJECT_SOURCE_DIR}/calculator/icon ${CMAKE_BINARY_DIR}/calculator/icon)
  set(wspr_write_icon $<TARGET_FILE:write_icon>)
  set(wspr_write_icon_depends write_icon)
endif()

function(wspr_icon_file)
  cmake_parse_arguments(PARSE_ARGV 0 arg "" "OUTPUT" "")
  get_filename_component(name ${arg_OUTPUT} NAME)
  add_custom_command(OUTPUT ${arg_OUTPUT}
    COMMAND ${wspr_write_icon} ${arg_OUTPUT}
    DEPENDS ${wspr_write_icon_depends}
    COMMENT "Drawing the icon into ${name}"
    VERBATIM)
endfunction()
