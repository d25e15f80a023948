# cmake -DPROGRAM=<file> -P CheckNoContentTools.cmake: fails when the program
# holds any of the content writers or needs the font engine that only the
# content tools use.
execute_process(COMMAND nm -C ${PROGRAM} OUTPUT_VARIABLE symbols RESULT_VARIABLE result)
if(NOT result EQUAL 0)
  message(FATAL_ERROR "nm could not read ${PROGRAM}")
endif()
string(REGEX MATCHALL "[^\n]*(corvellan::content::|FT_Init_FreeType)[^\n]*" found "${symbols}")
list(LENGTH found count)
if(count GREATER 0)
  list(SUBLIST found 0 10 shown)
  list(JOIN shown "\n" text)
  message(FATAL_ERROR "${PROGRAM} holds ${count} content symbols, such as:\n${text}")
endif()
execute_process(COMMAND ldd ${PROGRAM} OUTPUT_VARIABLE libraries RESULT_VARIABLE result)
if(result EQUAL 0 AND libraries MATCHES "libfreetype")
  message(FATAL_ERROR "${PROGRAM} needs libfreetype")
endif()
message(STATUS "${PROGRAM}: no content writer, no font engine")
