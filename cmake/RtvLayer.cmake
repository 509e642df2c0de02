# rtv_layer(<target> SOURCES <files...> [LINKS <targets...>] [QT])
#
# One folder of src/ as a static library. A target sees only its own headers and those of
# the targets it links: each target's headers are linked into a folder of their own under
# the build tree, and only that folder is on the include path of whoever links the target.
# So `#include "radio/EepromImage.h"` compiles only where the radio library is linked, and
# an include of a layer above fails the build.
function(rtv_layer target)
  cmake_parse_arguments(LAYER "QT" "" "SOURCES;LINKS" ${ARGN})
  file(RELATIVE_PATH folder ${PROJECT_SOURCE_DIR}/src ${CMAKE_CURRENT_SOURCE_DIR})
  set(stage ${PROJECT_BINARY_DIR}/include/${target})
  # Links left from an earlier list of headers would still be seen.
  file(REMOVE_RECURSE ${stage})
  file(MAKE_DIRECTORY ${stage}/${folder})
  foreach(source ${LAYER_SOURCES})
    if(source MATCHES "\\.h$")
      file(CREATE_LINK ${CMAKE_CURRENT_SOURCE_DIR}/${source} ${stage}/${folder}/${source} SYMBOLIC)
    endif()
  endforeach()
  add_library(${target} STATIC ${LAYER_SOURCES})
  target_include_directories(${target} PUBLIC ${stage})
  if(LAYER_LINKS)
    target_link_libraries(${target} PUBLIC ${LAYER_LINKS})
  endif()
  if(LAYER_QT)
    set_target_properties(${target} PROPERTIES AUTOMOC ON)
  endif()
endfunction()
