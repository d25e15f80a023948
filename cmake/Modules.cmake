# Every library: what tests, benchmarks, fuzz targets and the content tools
# link. The shipped program links only the program's libraries, so the
# content writers and their font rasteriser stay out of it.
add_library(corvellan_program_libraries INTERFACE)
add_library(corvellan_all_libraries INTERFACE)
target_link_libraries(corvellan_all_libraries INTERFACE corvellan_program_libraries)
set_property(GLOBAL PROPERTY CORVELLAN_LIBRARIES "")

# The test hooks of every platform family: test, benchmark and fuzz programs
# link this, the shipped program never does. Each hook library is linked
# whole, so that its static initialiser puts the family's hook table in place
# even where the program calls none of its functions.
add_library(corvellan_test_hooks INTERFACE)

function(corvellan_target_options target)
  target_link_libraries(${target} PRIVATE corvellan_warnings)
  target_include_directories(${target} PUBLIC ${PROJECT_SOURCE_DIR})
endfunction()

# corvellan_library(name folder [NOT_IN_PROGRAM] [PUBLIC_DEPS ...] [PRIVATE_DEPS ...] [EXCLUDE files...])
# Builds every source of the folder into one static library. A folder without
# a source is an error unless it is in CORVELLAN_FOLDERS_TO_COME. A library
# NOT_IN_PROGRAM is left out of the shipped program's link.
function(corvellan_library name folder)
  cmake_parse_arguments(ARG "NOT_IN_PROGRAM" "" "PUBLIC_DEPS;PRIVATE_DEPS;EXCLUDE" ${ARGN})
  file(GLOB sources CONFIGURE_DEPENDS ${PROJECT_SOURCE_DIR}/${folder}/*.cpp)
  foreach(skip IN LISTS ARG_EXCLUDE)
    list(REMOVE_ITEM sources ${PROJECT_SOURCE_DIR}/${folder}/${skip})
  endforeach()
  if(NOT sources)
    if(NOT folder IN_LIST CORVELLAN_FOLDERS_TO_COME)
      message(FATAL_ERROR "Library ${name}: ${folder} holds no source file")
    endif()
    return()
  endif()
  add_library(${name} STATIC ${sources})
  corvellan_target_options(${name})
  foreach(dep IN LISTS ARG_PUBLIC_DEPS)
    if(TARGET ${dep} OR dep MATCHES "::")
      target_link_libraries(${name} PUBLIC ${dep})
    endif()
  endforeach()
  foreach(dep IN LISTS ARG_PRIVATE_DEPS)
    target_link_libraries(${name} PRIVATE ${dep})
  endforeach()
  if(ARG_NOT_IN_PROGRAM)
    target_link_libraries(corvellan_all_libraries INTERFACE ${name})
  else()
    target_link_libraries(corvellan_program_libraries INTERFACE ${name})
  endif()
  set_property(GLOBAL APPEND PROPERTY CORVELLAN_LIBRARIES ${name})
endfunction()

# corvellan_hooks(family [DEPS ...]): platform/<family>/testing as the hook
# library platform_<family>_testing, part of corvellan_test_hooks.
function(corvellan_hooks family)
  cmake_parse_arguments(ARG "" "" "DEPS" ${ARGN})
  set(name platform_${family}_testing)
  file(GLOB sources CONFIGURE_DEPENDS ${PROJECT_SOURCE_DIR}/platform/${family}/testing/*.cpp)
  if(NOT sources)
    message(FATAL_ERROR "Hook library ${name}: platform/${family}/testing holds no source file")
  endif()
  add_library(${name} STATIC ${sources})
  corvellan_target_options(${name})
  target_link_libraries(${name} PUBLIC platform_${family} ${ARG_DEPS})
  target_link_libraries(corvellan_test_hooks INTERFACE "$<LINK_LIBRARY:WHOLE_ARCHIVE,${name}>")
endfunction()

function(corvellan_link_existing name scope)
  if(NOT TARGET ${name})
    return()
  endif()
  foreach(dep IN LISTS ARGN)
    if(TARGET ${dep})
      target_link_libraries(${name} ${scope} ${dep})
    endif()
  endforeach()
endfunction()
