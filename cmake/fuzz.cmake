# libFuzzer targets need clang and its fuzzer runtime (Debian: clang, libclang-rt-14-dev). They
# are built with clang whatever compiles the rest, from the same sources, and CTest replays
# seed inputs through them. Without a working clang the targets and their tests are left out.
find_program(QV_CLANGXX NAMES clang++ clang++-14)
set(QV_FUZZ_FLAGS -std=c++20 -g -O1 -fsanitize=fuzzer,address,undefined -fno-sanitize-recover=undefined)
if(QV_CLANGXX AND NOT DEFINED QV_CLANG_FUZZER_WORKS)
  set(probe ${CMAKE_BINARY_DIR}/fuzz_probe.cpp)
  file(WRITE ${probe} "#include <cstdint>\n#include <cstddef>\nextern \"C\" int LLVMFuzzerTestOneInput(const uint8_t*, size_t) { return 0; }\n")
  execute_process(COMMAND ${QV_CLANGXX} ${QV_FUZZ_FLAGS} ${probe} -o ${CMAKE_BINARY_DIR}/fuzz_probe
                  RESULT_VARIABLE probe_result OUTPUT_QUIET ERROR_QUIET)
  if(probe_result EQUAL 0)
    set(QV_CLANG_FUZZER_WORKS ON CACHE INTERNAL "clang can build libFuzzer targets")
  else()
    set(QV_CLANG_FUZZER_WORKS OFF CACHE INTERNAL "clang can build libFuzzer targets")
  endif()
endif()

# qv_add_fuzz_target(name SOURCES ... [DEPENDS ...] [FLAGS ...] [LIBS ...] REPLAY files...)
# builds bin/<name> and a test <name>_replay that runs it once over the replay files.
function(qv_add_fuzz_target name)
  cmake_parse_arguments(F "" "" "SOURCES;DEPENDS;FLAGS;LIBS;REPLAY" ${ARGN})
  if(NOT (QV_CLANGXX AND QV_CLANG_FUZZER_WORKS))
    message(STATUS "clang with libFuzzer not found: ${name} is not built")
    return()
  endif()
  set(fuzzer ${CMAKE_BINARY_DIR}/bin/${name})
  add_custom_command(
    OUTPUT ${fuzzer}
    COMMAND ${QV_CLANGXX} ${QV_FUZZ_FLAGS} -I${PROJECT_SOURCE_DIR} ${F_FLAGS} ${F_SOURCES}
            -o ${fuzzer} ${F_LIBS}
    DEPENDS ${F_SOURCES} ${F_DEPENDS}
    COMMENT "Building the fuzz target ${name} with clang"
    VERBATIM)
  add_custom_target(${name} ALL DEPENDS ${fuzzer})
  add_test(NAME ${name}_replay COMMAND ${fuzzer} -runs=0 ${F_REPLAY})
  # Leak detection is off for speed; ASan still checks every access.
  set_tests_properties(${name}_replay PROPERTIES TIMEOUT 600
                       ENVIRONMENT "ASAN_OPTIONS=detect_leaks=0:abort_on_error=1")
endfunction()
