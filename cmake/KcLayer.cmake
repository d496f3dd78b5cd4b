# SPDX-License-Identifier: Apache-2.0
# kc_add_layer(<folder> [LINKS <lower folders...>])
# Called from src/<folder>/CMakeLists.txt: the folder's static library
# kartocheck_<folder>, linked to the libraries of the folders below it.
# Headers are spelt "<folder>/file.h". Each folder has an include root of its
# own in the build tree that holds only a link named <folder> to the folder, so
# a file finds the headers of its own folder and of the folders its library
# links, and an include of a higher folder does not compile.
function(kc_add_layer folder)
  cmake_parse_arguments(ARG "" "" "LINKS" ${ARGN})
  set(target kartocheck_${folder})
  add_library(${target} STATIC)
  set(root ${CMAKE_BINARY_DIR}/layer_include/${folder})
  file(MAKE_DIRECTORY ${root})
  file(CREATE_LINK ${CMAKE_CURRENT_SOURCE_DIR} ${root}/${folder} SYMBOLIC)
  target_include_directories(${target} PUBLIC ${root})

  # The folders this one may include, for the include check among the tests.
  set(allowed ${folder})
  foreach(lower IN LISTS ARG_LINKS)
    target_link_libraries(${target} PUBLIC kartocheck_${lower})
    get_property(lower_allowed GLOBAL PROPERTY KC_LAYER_ALLOWED_${lower})
    list(APPEND allowed ${lower_allowed})
  endforeach()
  list(REMOVE_DUPLICATES allowed)
  set_property(GLOBAL PROPERTY KC_LAYER_ALLOWED_${folder} ${allowed})
  set_property(GLOBAL APPEND PROPERTY KC_LAYERS ${folder})
endfunction()
