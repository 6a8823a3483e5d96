# zstd's decoder for the compressed downloads: Debian's libzstd natively, the
# vendored decoder (third_party/zstd/VENDORED.md) for Windows, linked to the
# commands' layer where the download decodes.
if(WIN32)
    set(zstd_lib ${CMAKE_SOURCE_DIR}/third_party/zstd/lib)
    add_library(pellinor_zstd STATIC
        ${zstd_lib}/common/debug.c ${zstd_lib}/common/entropy_common.c
        ${zstd_lib}/common/error_private.c ${zstd_lib}/common/fse_decompress.c
        ${zstd_lib}/common/xxhash.c ${zstd_lib}/common/zstd_common.c
        ${zstd_lib}/decompress/huf_decompress.c ${zstd_lib}/decompress/zstd_ddict.c
        ${zstd_lib}/decompress/zstd_decompress.c ${zstd_lib}/decompress/zstd_decompress_block.c)
    target_include_directories(pellinor_zstd SYSTEM PUBLIC ${zstd_lib})
    # Size over speed: one Huffman decoder and one sequence decoder instead
    # of two each, nothing inlined by force, no error texts (the program
    # names a fault by its code). Even so a 5 MB program decodes in a
    # fraction of a second, and the line takes minutes.
    target_compile_definitions(pellinor_zstd PUBLIC ZSTD_LEGACY_SUPPORT=0 PRIVATE
        ZSTD_DISABLE_ASM HUF_FORCE_DECOMPRESS_X1 ZSTD_FORCE_DECOMPRESS_SEQUENCES_SHORT
        ZSTD_NO_INLINE ZSTD_STRIP_ERROR_STRINGS ZSTD_NO_TRACE XXH_SIZE_OPT=2)
    # No unwind tables: zstd is C and never calls back into the program,
    # so nothing ever unwinds through it.
    target_compile_options(pellinor_zstd PRIVATE -Os -fno-asynchronous-unwind-tables -fno-unwind-tables)
else()
    find_library(PELLINOR_LIBZSTD NAMES zstd REQUIRED)
    find_path(PELLINOR_ZSTD_INCLUDE zstd.h REQUIRED)
    add_library(pellinor_zstd INTERFACE)
    target_link_libraries(pellinor_zstd INTERFACE ${PELLINOR_LIBZSTD})
    target_include_directories(pellinor_zstd SYSTEM INTERFACE ${PELLINOR_ZSTD_INCLUDE})
endif()
target_link_libraries(pellinor_commands PUBLIC pellinor_zstd)
if(WIN32)
    # Size over speed for the code around the decoder too: its time goes to
    # the line, and the exe's size to every download of it.
    set_source_files_properties(src/commands/FrameDecoder.cpp src/commands/SmallerFiles.cpp
        src/commands/FileDownload.cpp TARGET_DIRECTORY pellinor_commands PROPERTIES COMPILE_OPTIONS -Os)
endif()
