# Translates every program of examples/ with vestrelc and fails when one of them gives
# any message, notice or non-zero exit: the examples must stay clean programs.
# Called with -DVESTRELC=<path> -DEXAMPLES=<folder>.
file(GLOB programs "${EXAMPLES}/*.prg")
list(LENGTH programs count)
if(count LESS 10)
  message(FATAL_ERROR "expected at least ten example programs in ${EXAMPLES}, found ${count}")
endif()
set(failed 0)
foreach(program IN LISTS programs)
  execute_process(COMMAND "${VESTRELC}" --check --quiet "${program}"
    RESULT_VARIABLE rc OUTPUT_VARIABLE out ERROR_VARIABLE err)
  if(NOT rc EQUAL 0 OR NOT out STREQUAL "" OR NOT err STREQUAL "")
    message(SEND_ERROR "${program}: exit ${rc}\n${out}${err}")
    set(failed 1)
  endif()
endforeach()
if(failed)
  message(FATAL_ERROR "some examples do not translate cleanly")
endif()
message(STATUS "${count} examples translate without a message")
