# The RTF reader's fuzz target, replayed over the corpus, the malformed files, the fixtures
# and the inputs that fuzzing found faults with (fuzz_seeds).
file(GLOB rtf_headers ${PROJECT_SOURCE_DIR}/rtf/*.h)
file(GLOB replay ${QV_RTF_CORPUS}/public/* ${QV_RTF_CORPUS}/malformed/* ${QV_RTF_FIXTURES}/*.rtf
     ${CMAKE_CURRENT_SOURCE_DIR}/fuzz_seeds/*)
qv_add_fuzz_target(fuzz_rtf_reader
  SOURCES ${QV_RTF_SOURCES} ${CMAKE_CURRENT_SOURCE_DIR}/fuzz_reader.cpp
  DEPENDS ${rtf_headers}
  REPLAY ${replay})
