# Compiler settings shared by every target.

find_program(KC_CCACHE ccache)
if(KC_CCACHE)
  # The base directory and the unhashed working directory let a fresh clone in another
  # folder (as CI makes) hit the cache; the sloppiness lets precompiled headers be cached.
  set(_kc_launcher ${CMAKE_COMMAND} -E env
      CCACHE_BASEDIR=${CMAKE_SOURCE_DIR}
      CCACHE_NOHASHDIR=1
      "CCACHE_SLOPPINESS=pch_defines,time_macros,include_file_mtime,include_file_ctime,system_headers"
      ${KC_CCACHE})
  set(CMAKE_CXX_COMPILER_LAUNCHER ${_kc_launcher})
endif()

add_compile_options(-Wall -Wextra -Wno-unused-parameter -Wno-missing-field-initializers)
if(CMAKE_CXX_COMPILER_ID STREQUAL "GNU")
  # Message-map and run-time class tables cast member pointers on purpose.
  add_compile_options(-Wno-cast-function-type)
endif()

if(KC_SANITIZE)
  add_compile_options(-fsanitize=address,undefined -fno-omit-frame-pointer -fno-sanitize-recover=undefined)
  add_link_options(-fsanitize=address,undefined)
endif()
