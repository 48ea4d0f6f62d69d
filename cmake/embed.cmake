# mirovel_embed(<target> <symbol> <file>) compiles the bytes of <file> into <target>.
# C++ code sees them as:
#   extern "C" const unsigned char <symbol>[];
#   extern "C" const unsigned long <symbol>_size;
# The file may itself be built (for example a shared object); the dependency is
# recorded so that the target is rebuilt when the file changes.
function(mirovel_embed target symbol file)
  set(asm "${CMAKE_CURRENT_BINARY_DIR}/embed_${symbol}.S")
  file(GENERATE OUTPUT "${asm}" CONTENT
"    .section .rodata.${symbol},\"a\",@progbits
    .global ${symbol}
    .global ${symbol}_size
    .balign 16
${symbol}:
    .incbin \"${file}\"
${symbol}_end:
    .balign 8
${symbol}_size:
    .quad ${symbol}_end - ${symbol}
    .section .note.GNU-stack,\"\",@progbits
")
  target_sources(${target} PRIVATE "${asm}")
  set_source_files_properties("${asm}" PROPERTIES OBJECT_DEPENDS "${file}")
endfunction()
