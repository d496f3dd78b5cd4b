# SPDX-License-Identifier: Apache-2.0
# KC_FUZZ: libFuzzer binaries for the fuzz targets (clang only). The whole
# build is instrumented, so coverage reaches into the libraries the targets
# exercise; the targets alone link the fuzzer's own main.
option(KC_FUZZ "Build the fuzz targets as libFuzzer binaries (clang)" OFF)
set(KC_FUZZ_ENGINE OFF)
# Shared libraries are linked with every symbol resolved, except under the
# fuzz engine: clang leaves the sanitizer runtime to the executable that loads them.
set(KC_NO_UNDEFINED -Wl,--no-undefined)
if(KC_FUZZ)
  if(CMAKE_CXX_COMPILER_ID MATCHES "Clang")
    set(KC_FUZZ_ENGINE ON)
    set(KC_NO_UNDEFINED)
    add_compile_options(-fsanitize=fuzzer-no-link,address,undefined -fno-omit-frame-pointer
                        -fno-sanitize-recover=undefined -g)
    add_link_options(-fsanitize=address,undefined)
  else()
    message(WARNING "KC_FUZZ needs clang; the fuzz targets replay their corpus instead")
  endif()
endif()
