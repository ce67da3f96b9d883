# Runs one fuzz target for SECONDS from a fresh copy of its seed corpus in WORK; any
# crash, leak, undefined behaviour, timeout or memory blow-up fails the test and
# leaves its reproducer in WORK.
file(REMOVE_RECURSE ${WORK})
file(MAKE_DIRECTORY ${WORK}/corpus)
if(EXISTS ${CORPUS})
  file(GLOB seeds ${CORPUS}/*)
  if(seeds)
    file(COPY ${seeds} DESTINATION ${WORK}/corpus)
  endif()
endif()
execute_process(COMMAND ${FUZZER} -max_total_time=${SECONDS} -rss_limit_mb=2048 -timeout=10
                        -print_final_stats=1 -artifact_prefix=${WORK}/ ${WORK}/corpus
                RESULT_VARIABLE result)
if(NOT result EQUAL 0)
  message(FATAL_ERROR "the fuzzer stopped with ${result}; the reproducer is in ${WORK}")
endif()
