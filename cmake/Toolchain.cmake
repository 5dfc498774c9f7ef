# Compiler cache, warnings and sanitizers shared by every target.
find_program(QX_CCACHE ccache)
if(QX_CCACHE)
  set(CMAKE_C_COMPILER_LAUNCHER ${QX_CCACHE})
  set(CMAKE_CXX_COMPILER_LAUNCHER ${QX_CCACHE})
endif()

add_compile_options(-Wall -Wextra -Wno-unused-parameter)
# CI keeps the build free of warnings (scripts/test.sh turns this on when CI=true).
option(QX_WERROR "Treat compiler warnings as errors" OFF)
if(QX_WERROR)
  add_compile_options(-Werror)
endif()

if(QX_SANITIZE)
  add_compile_options(-fsanitize=address,undefined -fno-omit-frame-pointer -fno-sanitize-recover=undefined)
  add_link_options(-fsanitize=address,undefined)
endif()
