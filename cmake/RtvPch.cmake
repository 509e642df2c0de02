# SPDX-License-Identifier: GPL-3.0-or-later
# Precompiled headers, with RTV_PCH: the Qt widget headers that most Qt layers include, parsed
# once for all of them (rtv_use_qt_pch), and GoogleTest with Qt Test and the same Qt headers
# once for the widget tests (rtv_use_test_pch).
# Off by default: with debug information and the sanitizers each header is some 190 MB, and
# GCC loading it for every source took longer than parsing the headers it needs (the Qt
# layers' 60 sources took 850 s of compile time, against 530 s without).
# ccache shares these objects between clones too (all hits in a second clone), with
# CCACHE_SLOPPINESS=pch_defines,time_macros,include_file_mtime,include_file_ctime in the
# environment and, with GCC, -fpch-preprocess (set here): the preprocessor output then names
# the header instead of expanding it.
set(RTV_QT_PCH_HEADERS <QAction> <QApplication> <QDialog> <QHBoxLayout> <QIcon> <QLabel>
                       <QLineEdit> <QMenu> <QMenuBar> <QPainter> <QPointer> <QPushButton> <QScreen>
                       <QString> <QTimer> <QVBoxLayout> <QWidget>)
set(RTV_STD_PCH_HEADERS <algorithm> <cstdint> <functional> <map> <memory> <optional> <string>
                        <string_view> <vector>)

function(rtv_pch_preprocess target)
  if(CMAKE_CXX_COMPILER_ID STREQUAL "GNU")
    target_compile_options(${target} PRIVATE -fpch-preprocess)
  endif()
endfunction()

if(RTV_PCH AND NOT RTV_CORE_ONLY)
  # The Qt layers reuse this one's header; it has no code of its own.
  file(WRITE ${PROJECT_BINARY_DIR}/rtv_qt_pch.cpp "")
  add_library(rtv_qt_pch STATIC ${PROJECT_BINARY_DIR}/rtv_qt_pch.cpp)
  target_link_libraries(rtv_qt_pch PUBLIC Qt6::Widgets)
  target_precompile_headers(rtv_qt_pch PRIVATE ${RTV_STD_PCH_HEADERS} ${RTV_QT_PCH_HEADERS})
  rtv_pch_preprocess(rtv_qt_pch)
endif()

function(rtv_use_qt_pch target)
  if(RTV_PCH)
    target_precompile_headers(${target} REUSE_FROM rtv_qt_pch)
    rtv_pch_preprocess(${target})
  endif()
endfunction()

function(rtv_use_test_pch target)
  if(RTV_PCH)
    target_precompile_headers(${target} PRIVATE <gtest/gtest.h> ${RTV_STD_PCH_HEADERS} ${ARGN})
    rtv_pch_preprocess(${target})
  endif()
endfunction()
