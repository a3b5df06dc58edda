# AddressSanitizer and UndefinedBehaviorSanitizer for every target from here down: the
# program's build and the benchmarks' project, which builds the program's libraries too.
include_guard(GLOBAL)
option(OMBRAZIO_SANITIZE "Build with AddressSanitizer and UndefinedBehaviorSanitizer" OFF)
if(OMBRAZIO_SANITIZE)
  add_compile_options(-fsanitize=address,undefined -fno-omit-frame-pointer -fno-sanitize-recover=undefined)
  add_link_options(-fsanitize=address,undefined)
endif()
