# cmake -DNM=<nm> -DBINARY=<program> -P NoTestHooks.cmake
# Fails when the program holds any of the windowing layer's test hooks.
execute_process(COMMAND ${NM} -C ${BINARY} OUTPUT_VARIABLE symbols RESULT_VARIABLE failed)
if(failed)
  message(FATAL_ERROR "${NM} could not list the symbols of ${BINARY}")
endif()
# Without its own symbols the program would pass for want of evidence.
if(NOT symbols MATCHES "lumagrove::platform::ShowMessageBox")
  message(FATAL_ERROR "${BINARY} lists none of its own symbols; nothing can be told from it")
endif()
string(REGEX MATCHALL "[^\n]*lumagrove::platform::testing::[^\n]*" hooks "${symbols}")
if(hooks)
  list(JOIN hooks "\n" listed)
  message(FATAL_ERROR "${BINARY} holds test hooks:\n${listed}")
endif()
