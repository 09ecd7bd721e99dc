# The reader's libFuzzer target needs clang and its fuzzer runtime (Debian: clang,
# libclang-rt-14-dev). It is built with clang whatever compiles the rest, from the same
# sources, and CTest replays the corpus, the malformed files and the fixtures through it.
# Without clang the target and its test are left out.
find_program(QV_CLANGXX NAMES clang++ clang++-14)
set(QV_FUZZ_FLAGS -std=c++20 -g -O1 -fsanitize=fuzzer,address,undefined -fno-sanitize-recover=undefined)
if(QV_CLANGXX AND NOT DEFINED QV_CLANG_FUZZER_WORKS)
  set(probe ${CMAKE_CURRENT_BINARY_DIR}/fuzz_probe.cpp)
  file(WRITE ${probe} "#include <cstdint>\n#include <cstddef>\nextern \"C\" int LLVMFuzzerTestOneInput(const uint8_t*, size_t) { return 0; }\n")
  execute_process(COMMAND ${QV_CLANGXX} ${QV_FUZZ_FLAGS} ${probe} -o ${CMAKE_CURRENT_BINARY_DIR}/fuzz_probe
                  RESULT_VARIABLE probe_result OUTPUT_QUIET ERROR_QUIET)
  if(probe_result EQUAL 0)
    set(QV_CLANG_FUZZER_WORKS ON CACHE INTERNAL "clang can build libFuzzer targets")
  else()
    set(QV_CLANG_FUZZER_WORKS OFF CACHE INTERNAL "clang can build libFuzzer targets")
  endif()
endif()

if(QV_CLANGXX AND QV_CLANG_FUZZER_WORKS)
  set(fuzzer ${CMAKE_BINARY_DIR}/bin/fuzz_rtf_reader)
  file(GLOB rtf_headers ${PROJECT_SOURCE_DIR}/rtf/*.h)
  add_custom_command(
    OUTPUT ${fuzzer}
    COMMAND ${QV_CLANGXX} ${QV_FUZZ_FLAGS} -I${PROJECT_SOURCE_DIR} ${QV_RTF_SOURCES}
            ${CMAKE_CURRENT_SOURCE_DIR}/fuzz_reader.cpp -o ${fuzzer}
    DEPENDS ${QV_RTF_SOURCES} ${rtf_headers} ${CMAKE_CURRENT_SOURCE_DIR}/fuzz_reader.cpp
    COMMENT "Building the RTF reader's fuzz target with clang"
    VERBATIM)
  add_custom_target(fuzz_rtf_reader ALL DEPENDS ${fuzzer})

  file(GLOB replay ${QV_RTF_CORPUS}/public/* ${QV_RTF_CORPUS}/malformed/* ${QV_RTF_FIXTURES}/*.rtf)
  add_test(NAME rtf_fuzz_replay COMMAND ${fuzzer} -runs=0 ${replay})
  # A file too large for the default 2 GB limit would mean a leak; detection of leaks is off
  # for speed, ASan still checks every access.
  set_tests_properties(rtf_fuzz_replay PROPERTIES TIMEOUT 600
                       ENVIRONMENT "ASAN_OPTIONS=detect_leaks=0:abort_on_error=1")
else()
  message(STATUS "clang with libFuzzer not found: the RTF fuzz target is not built")
endif()
