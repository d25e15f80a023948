add_library(corvellan_warnings INTERFACE)
target_compile_options(corvellan_warnings INTERFACE -Wall -Wextra -Wpedantic -Wnon-virtual-dtor
                       $<$<CXX_COMPILER_ID:GNU>:-Wshadow=local>
                       # g++ 12 reports impossible overlaps inside std::string at -O2
                       # (a known false positive of its -Wrestrict).
                       $<$<CXX_COMPILER_ID:GNU>:-Wno-restrict>
                       $<$<CXX_COMPILER_ID:Clang>:-Wshadow-uncaptured-local>)
if(CORVELLAN_WERROR)
  target_compile_options(corvellan_warnings INTERFACE -Werror)
endif()
