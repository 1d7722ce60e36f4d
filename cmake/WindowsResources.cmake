# Windows resources of the programs: wspr_version_resource(TARGET DESCRIPTION) gives a program
# a version resource from the project's version, so that Explorer shows what it is.
include_guard(GLOBAL)

function(wspr_version_resource target description)
  if(NOT WIN32)
    return()
  endif()
  set(wspr_target ${target})
  set(wspr_description ${description})
  set(wspr_file_name ${target}${CMAKE_EXECUTABLE_SUFFIX})
  set(rc_file ${CMAKE_CURRENT_BINARY_DIR}/${target}_version.rc)
  configure_file(${PROJECT_SOURCE_DIR}/cmake/windows/version.rc.in ${rc_file} @ONLY)
  target_sources(${target} PRIVATE ${rc_file})
endfunction()
