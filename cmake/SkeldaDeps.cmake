# pugixml: compiled on every build from Debian's source package, which scripts/setup unpacks into
# .deps/pugixml (the version of the Linux package), in its compact mode: a parsed document then
# takes about a fifth of the memory (0.6 times the text of a pushed tracking result instead of
# 3.2 times). Sources include it through message/pugixml.h, which declares the same mode.
set(SKELDA_PUGIXML_SOURCE "${CMAKE_SOURCE_DIR}/.deps/pugixml" CACHE PATH "pugixml source tree")
if(NOT EXISTS "${SKELDA_PUGIXML_SOURCE}/src/pugixml.cpp")
  message(FATAL_ERROR "pugixml sources not found in ${SKELDA_PUGIXML_SOURCE}; run scripts/setup")
endif()
add_library(pugixml STATIC "${SKELDA_PUGIXML_SOURCE}/src/pugixml.cpp")
target_compile_definitions(pugixml PRIVATE PUGIXML_COMPACT)
target_include_directories(pugixml SYSTEM PUBLIC "${SKELDA_PUGIXML_SOURCE}/src")
target_compile_options(pugixml PRIVATE -w)
add_library(pugixml::pugixml ALIAS pugixml)

if(SKELDA_BUILD_TESTS)
  if(WIN32 OR SKELDA_SANITIZE MATCHES "thread")
    # Built from Debian's sources with this build's compiler and flags.
    set(INSTALL_GTEST OFF CACHE BOOL "" FORCE)
    set(gtest_disable_pthreads OFF CACHE BOOL "" FORCE)
    add_subdirectory(/usr/src/googletest ${CMAKE_BINARY_DIR}/googletest EXCLUDE_FROM_ALL SYSTEM)
    foreach(_lib gtest gtest_main gmock)
      if(NOT TARGET GTest::${_lib})
        add_library(GTest::${_lib} ALIAS ${_lib})
      endif()
    endforeach()
  else()
    find_package(GTest REQUIRED)
  endif()
endif()

if(SKELDA_BUILD_BENCH)
  find_package(benchmark REQUIRED)
endif()
