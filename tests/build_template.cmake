# Builds a fresh template for the test run.
file(REMOVE_RECURSE ${DIR})
execute_process(COMMAND ${CLI} init-template ${DIR} RESULT_VARIABLE rc)
if(NOT rc EQUAL 0)
  message(FATAL_ERROR "init-template failed: ${rc}")
endif()
