# Keeps the sources of this platform: `*_posix.cpp` only on POSIX, `*_win32.cpp` only on Windows,
# everything else on both.
function(skelda_filter_platform var)
  set(_list ${${var}})
  if(WIN32)
    list(FILTER _list EXCLUDE REGEX "_posix(_test)?\\.(cpp|c)$")
  else()
    list(FILTER _list EXCLUDE REGEX "_win32(_test)?\\.(cpp|c)$")
  endif()
  set(${var} ${_list} PARENT_SCOPE)
endfunction()

# Collects the sources of folders for this platform.
function(skelda_glob_sources out_var)
  set(_all)
  foreach(_dir IN LISTS ARGN)
    file(GLOB _found CONFIGURE_DEPENDS "${_dir}/*.cpp" "${_dir}/*.c")
    list(APPEND _all ${_found})
  endforeach()
  skelda_filter_platform(_all)
  set(${out_var} ${_all} PARENT_SCOPE)
endfunction()
