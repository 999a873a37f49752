# Reliability builds.
#
# TARVEDO_SANITIZE: the whole program and its tests under AddressSanitizer and
# UndefinedBehaviorSanitizer. -O1 keeps the run fast enough for CI while the
# reports still point at the right line; -g1 gives file:line without the
# size of full debug info. Every UB report stops the program, so a test
# cannot pass over one.
#
# TARVEDO_FUZZ: libFuzzer targets in tests/fuzz (clang only). Every source
# file is compiled with the fuzzer's coverage hooks; the targets link the
# libFuzzer driver themselves.
option(TARVEDO_SANITIZE "Build everything with AddressSanitizer and UndefinedBehaviorSanitizer" OFF)
option(TARVEDO_FUZZ "Build the libFuzzer targets (clang only)" OFF)
option(TARVEDO_BENCHES "Build the benchmarks" ON)

if(TARVEDO_SANITIZE AND TARVEDO_FUZZ)
  message(FATAL_ERROR "TARVEDO_SANITIZE and TARVEDO_FUZZ are separate builds: configure one build folder for each")
endif()

if(TARVEDO_SANITIZE)
  set(TARVEDO_SANITIZER_FLAGS -fsanitize=address,undefined -fno-sanitize-recover=undefined
                              -fno-omit-frame-pointer -O1 -g1)
  add_compile_options(${TARVEDO_SANITIZER_FLAGS})
  add_link_options(-fsanitize=address,undefined)
endif()

if(TARVEDO_FUZZ)
  if(NOT CMAKE_CXX_COMPILER_ID STREQUAL "Clang")
    message(FATAL_ERROR "TARVEDO_FUZZ needs clang: configure with -DCMAKE_CXX_COMPILER=clang++ -DCMAKE_C_COMPILER=clang")
  endif()
  add_compile_options(-fsanitize=fuzzer-no-link,address,undefined -fno-sanitize-recover=undefined
                      -fno-omit-frame-pointer -O1 -g1)
  add_link_options(-fsanitize=address,undefined)
endif()
