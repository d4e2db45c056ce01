# pugixml and zstd's decompressor for korvane.exe. Debian builds neither for MinGW, so they are
# built here from Debian's own source archives: fetched once into a cache outside the clone,
# checked against the hashes below before anything of them is used, unpacked into the build
# folder. A fetch that fails stops the build: korvane.exe is never built without Tiled's XML maps.
# Defines the static libraries korvane_pugixml and korvane_zstd.

set(KORVANE_SOURCE_CACHE "$ENV{HOME}/.cache/korvane/src" CACHE PATH
  "Where the third-party source archives are kept between builds")
set(KORVANE_DEBIAN_POOL "http://deb.debian.org/debian/pool/main" CACHE STRING
  "The Debian archive the third-party sources come from")

# Unpacks Debian's archive `file` (from `pool`/`folder`, hashed `sha256`) and sets `out` to the
# folder it holds.
function(korvane_debian_source out folder file sha256 top)
  set(archive ${KORVANE_SOURCE_CACHE}/${file})
  if(EXISTS ${archive})
    file(SHA256 ${archive} held)
    if(NOT held STREQUAL sha256)
      file(REMOVE ${archive})
    endif()
  endif()
  if(NOT EXISTS ${archive})
    set(url ${KORVANE_DEBIAN_POOL}/${folder}/${file})
    file(DOWNLOAD ${url} ${archive}.part STATUS status INACTIVITY_TIMEOUT 60)
    list(GET status 0 code)
    list(GET status 1 why)
    if(code EQUAL 0)
      file(SHA256 ${archive}.part held)
      set(why "it is not the archive expected: its SHA-256 is ${held}")
    endif()
    if(NOT code EQUAL 0 OR NOT held STREQUAL sha256)
      file(REMOVE ${archive}.part)
      message(FATAL_ERROR "korvane.exe cannot be built without ${url} (${why}).")
    endif()
    file(RENAME ${archive}.part ${archive})
  endif()
  set(unpacked ${PROJECT_BINARY_DIR}/third-party/${sha256})
  if(NOT EXISTS ${unpacked}/${top})
    file(REMOVE_RECURSE ${unpacked})
    file(ARCHIVE_EXTRACT INPUT ${archive} DESTINATION ${unpacked})
  endif()
  set(${out} ${unpacked}/${top} PARENT_SCOPE)
endfunction()

korvane_debian_source(KORVANE_PUGIXML_SOURCE p/pugixml pugixml_1.13.orig.tar.gz
  5c5ad5d7caeb791420408042a7d88c2c6180781bf218feca259fd9d840a888e1 pugixml-1.13)
korvane_debian_source(KORVANE_ZSTD_SOURCE libz/libzstd libzstd_1.5.4+dfsg2.orig.tar.xz
  8cf4bbb65e77ec348d052c8d6230eba66d435bddf64c8b5be2fcb16880c19953 zstd-1.5.4)

# Their code is theirs: built without the project's warnings.
add_library(korvane_pugixml STATIC ${KORVANE_PUGIXML_SOURCE}/src/pugixml.cpp)
target_include_directories(korvane_pugixml SYSTEM PUBLIC ${KORVANE_PUGIXML_SOURCE}/src)

# Tiled's layers are only ever decompressed. No assembly: the C decoder is all MinGW needs.
enable_language(C)
set(zstd ${KORVANE_ZSTD_SOURCE}/lib)
add_library(korvane_zstd STATIC
  ${zstd}/common/debug.c ${zstd}/common/entropy_common.c ${zstd}/common/error_private.c
  ${zstd}/common/fse_decompress.c ${zstd}/common/pool.c ${zstd}/common/threading.c
  ${zstd}/common/xxhash.c ${zstd}/common/zstd_common.c
  ${zstd}/decompress/huf_decompress.c ${zstd}/decompress/zstd_ddict.c
  ${zstd}/decompress/zstd_decompress.c ${zstd}/decompress/zstd_decompress_block.c)
target_compile_definitions(korvane_zstd PRIVATE ZSTD_DISABLE_ASM ZSTD_LEGACY_SUPPORT=0)
target_include_directories(korvane_zstd SYSTEM PUBLIC ${zstd})

set_target_properties(korvane_pugixml korvane_zstd PROPERTIES COMPILE_OPTIONS "-w")

# Their licences travel with korvane.exe: scripts/windows.sh packs the folder.
configure_file(${KORVANE_PUGIXML_SOURCE}/LICENSE.md ${PROJECT_BINARY_DIR}/licenses/pugixml.txt
  COPYONLY)
configure_file(${KORVANE_ZSTD_SOURCE}/LICENSE ${PROJECT_BINARY_DIR}/licenses/zstd.txt COPYONLY)
