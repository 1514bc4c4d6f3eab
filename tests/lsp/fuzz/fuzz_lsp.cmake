# The language server's message handling (included from tests/fuzz/CMakeLists.txt).
if(TARGET vestrel_lsp_lib)
  add_executable(fuzz_lsp ${PROJECT_SOURCE_DIR}/tests/fuzz/fuzz_lsp.cpp)
  target_link_libraries(fuzz_lsp PRIVATE vestrel_lsp_lib)
  target_compile_options(fuzz_lsp PRIVATE -fsanitize=fuzzer)
  target_link_options(fuzz_lsp PRIVATE -fsanitize=fuzzer)
endif()
