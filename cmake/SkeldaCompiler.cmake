# Warnings as errors on both compilers; sanitizers for the Linux checks.
add_compile_options(-Wall -Wextra -Werror)
if(CMAKE_CXX_COMPILER_ID STREQUAL "GNU")
  add_compile_options(-Wno-psabi)
endif()

if(WIN32)
  # The module and programs need no DLL beyond the system's.
  add_link_options(-static -static-libgcc -static-libstdc++)
  add_compile_definitions(WIN32_LEAN_AND_MEAN NOMINMAX _WIN32_WINNT=0x0601)
  # Plain 64-bit doubles, not the x87's 80-bit intermediates: keyframe thinning compares rounded
  # errors and must decide the same way on every build.
  add_compile_options(-msse2 -mfpmath=sse)
endif()

if(SKELDA_SANITIZE)
  string(REPLACE "," ";" _sanitizers "${SKELDA_SANITIZE}")
  foreach(_s IN LISTS _sanitizers)
    add_compile_options(-fsanitize=${_s})
    add_link_options(-fsanitize=${_s})
  endforeach()
  add_compile_options(-fno-omit-frame-pointer -fno-sanitize-recover=all)
endif()

if(SKELDA_BUILD_FUZZ)
  # Coverage for libFuzzer in every object the fuzzers link.
  add_compile_options(-fsanitize=fuzzer-no-link)
endif()
