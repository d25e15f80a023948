# The sanitizer build instruments every target of the tree; with fuzzing on,
# the libraries also get coverage instrumentation so the fuzzers see into them.
if(CORVELLAN_SANITIZE)
  add_compile_options(-fsanitize=address,undefined -fno-sanitize-recover=all -fno-omit-frame-pointer -O1)
  add_link_options(-fsanitize=address,undefined -fno-sanitize-recover=all)
  if(CORVELLAN_FUZZ)
    add_compile_options(-fsanitize=fuzzer-no-link)
  endif()
endif()
