# rtv_layer(<target> SOURCES <files...> [PUBLIC <targets...>] [PRIVATE <targets...>] [QT])
#
# One folder of src/ as a static library. A target sees only its own headers and those of
# the targets it links: each target's headers are linked into a folder of their own under
# the build tree, and only that folder is on the include path of whoever links the target.
# PUBLIC names the layers the target's own headers include, which whoever includes them
# needs as well; PRIVATE those only its sources include, which stay out of sight above it.
# So `#include "radio/EepromImage.h"` compiles only where the radio library is linked, or
# exposed by a layer that is, and an include of any other layer fails the build.
# scripts/check-layers.py checks that these lists are exactly what the sources include.
function(rtv_layer target)
  cmake_parse_arguments(LAYER "QT" "" "SOURCES;PUBLIC;PRIVATE" ${ARGN})
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
  target_link_libraries(${target} PUBLIC ${LAYER_PUBLIC} PRIVATE ${LAYER_PRIVATE})
  if(LAYER_QT)
    set_target_properties(${target} PROPERTIES AUTOMOC ON)
    rtv_use_qt_pch(${target})
  endif()
endfunction()
