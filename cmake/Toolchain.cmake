# Compiler cache, warnings and sanitizers shared by every target.
find_program(QX_CCACHE ccache)
if(QX_CCACHE)
  set(CMAKE_C_COMPILER_LAUNCHER ${QX_CCACHE})
  set(CMAKE_CXX_COMPILER_LAUNCHER ${QX_CCACHE})
endif()

add_compile_options(-Wall -Wextra -Wno-unused-parameter)

if(QX_SANITIZE)
  add_compile_options(-fsanitize=address,undefined -fno-omit-frame-pointer -fno-sanitize-recover=undefined)
  add_link_options(-fsanitize=address,undefined)
endif()
