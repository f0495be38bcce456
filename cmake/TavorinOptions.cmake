# Compiler settings shared by every target.
add_compile_options(-Wall -Wextra -Werror)

if(TAVORIN_SANITIZE)
  add_compile_options(-fsanitize=address,undefined -fno-sanitize-recover=undefined
                      -fno-omit-frame-pointer)
  add_link_options(-fsanitize=address,undefined)
endif()

if(TAVORIN_FUZZ)
  if(NOT CMAKE_CXX_COMPILER_ID STREQUAL "Clang")
    message(FATAL_ERROR "TAVORIN_FUZZ needs clang++ (configure with -DCMAKE_CXX_COMPILER=clang++)")
  endif()
  # Every library is instrumented for coverage so that the fuzzer can steer into it.
  add_compile_options(-fsanitize=fuzzer-no-link,address,undefined -fno-omit-frame-pointer)
  add_link_options(-fsanitize=address,undefined)
endif()
