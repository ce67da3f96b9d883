# Coverage-guided fuzzing with clang's libFuzzer: every library is instrumented for
# the fuzzer without its main, and checked by AddressSanitizer and
# UndefinedBehaviorSanitizer; any undefined behaviour stops the run. The fuzz
# targets themselves link the fuzzer's driver (fuzz/CMakeLists.txt).
if(NOT CMAKE_CXX_COMPILER_ID MATCHES "Clang")
  message(FATAL_ERROR "QZ_FUZZ needs clang (libFuzzer); use the fuzz preset")
endif()
add_compile_options(-fsanitize=fuzzer-no-link,address,undefined -fno-sanitize-recover=all -fno-omit-frame-pointer)
add_link_options(-fsanitize=address,undefined)
