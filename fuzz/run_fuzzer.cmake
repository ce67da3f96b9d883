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
# A fixed seed: every run of the suite tries the same inputs first, so a failure here is
# a change in the code, not luck; longer runs by hand explore further.
execute_process(COMMAND ${FUZZER} -seed=1 -max_total_time=${SECONDS} -rss_limit_mb=2048 -timeout=10
                        -print_final_stats=1 -artifact_prefix=${WORK}/ ${WORK}/corpus
                RESULT_VARIABLE result)
if(NOT result EQUAL 0)
  message(FATAL_ERROR "the fuzzer stopped with ${result}; the reproducer is in ${WORK}")
endif()
