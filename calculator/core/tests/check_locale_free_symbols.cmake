# Fails when the core library calls a function whose result depends on the C or C++ locale.
# Run as: cmake -DNM=<nm> -DLIBRARY=<libtuneworks_core.a> -P check_locale_free_symbols.cmake
execute_process(COMMAND "${NM}" -C --undefined-only "${LIBRARY}"
                OUTPUT_VARIABLE symbols RESULT_VARIABLE result)
if(NOT result EQUAL 0)
  message(FATAL_ERROR "${NM} failed on ${LIBRARY}")
endif()
set(forbidden
    "(^|[ :])(strto[dfl]|strtold|atof|[fsv]*n?printf|v?sscanf|setlocale|localeconv|stod|stof|stold)( |\\(|$)"
    "std::locale" "std::(__cxx11::)?basic_[io]?stringstream" "std::basic_ostream" "std::num_[gp]et")
string(REPLACE "\n" ";" lines "${symbols}")
foreach(line IN LISTS lines)
  foreach(pattern IN LISTS forbidden)
    if(line MATCHES "${pattern}")
      message(FATAL_ERROR "the core calls a locale-dependent function: ${line}")
    endif()
  endforeach()
endforeach()
message(STATUS "no locale-dependent function among the core's undefined symbols")
