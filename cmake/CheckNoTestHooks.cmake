# cmake -DPROGRAM=<file> -P CheckNoTestHooks.cmake: fails when the program
# holds any symbol of a platform family's test hooks.
execute_process(COMMAND nm -C ${PROGRAM} OUTPUT_VARIABLE symbols RESULT_VARIABLE result)
if(NOT result EQUAL 0)
  message(FATAL_ERROR "nm could not read ${PROGRAM}")
endif()
string(REGEX MATCHALL "[^\n]*::testing::[^\n]*" hooks "${symbols}")
list(LENGTH hooks count)
if(count GREATER 0)
  list(SUBLIST hooks 0 10 shown)
  list(JOIN shown "\n" text)
  message(FATAL_ERROR "${PROGRAM} holds ${count} test hook symbols, such as:\n${text}")
endif()
message(STATUS "${PROGRAM}: no test hook symbols")
