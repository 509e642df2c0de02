# SPDX-License-Identifier: GPL-3.0-or-later
# The install layout of a Debian desktop program and its package: programs in bin/, their
# read-only data in share/rtv612 (found there by the programs, relative to themselves), the
# desktop entry, icons, MIME type, AppStream metadata, man pages and the licence.
set(RTV_INSTALL_DATADIR ${CMAKE_INSTALL_DATADIR}/rtv612)
if(NOT CMAKE_INSTALL_BINDIR STREQUAL "bin" OR NOT CMAKE_INSTALL_DATADIR STREQUAL "share")
  # The programs look for ../share/rtv612 beside their own folder.
  message(FATAL_ERROR "rtv612 installs into bin/ and share/ of its prefix")
endif()

install(TARGETS rtv612 rtv612-clone radiosim RUNTIME DESTINATION ${CMAKE_INSTALL_BINDIR})
install(FILES ${RTV_DATA_FILES} DESTINATION ${RTV_INSTALL_DATADIR})
install(DIRECTORY ${PROJECT_SOURCE_DIR}/data/help DESTINATION ${RTV_INSTALL_DATADIR})

set(RTV_DESKTOP ${PROJECT_SOURCE_DIR}/data/desktop)
install(FILES ${RTV_DESKTOP}/com.vrel.rtv612.desktop
        DESTINATION ${CMAKE_INSTALL_DATADIR}/applications)
install(FILES ${RTV_DESKTOP}/com.vrel.rtv612.metainfo.xml
        DESTINATION ${CMAKE_INSTALL_DATADIR}/metainfo)
install(FILES ${RTV_DESKTOP}/rtv612-mime.xml DESTINATION ${CMAKE_INSTALL_DATADIR}/mime/packages
        RENAME rtv612.xml)
install(FILES ${RTV_DESKTOP}/rtv612.svg
        DESTINATION ${CMAKE_INSTALL_DATADIR}/icons/hicolor/scalable/apps)
install(DIRECTORY ${PROJECT_BINARY_DIR}/hicolor/ DESTINATION ${CMAKE_INSTALL_DATADIR}/icons/hicolor)

# Man pages and the Debian changelog, compressed as Debian wants them.
set(RTV_GZIPPED)
foreach(page rtv612.1 rtv612-clone.1 radiosim.1)
  add_custom_command(OUTPUT ${PROJECT_BINARY_DIR}/man/${page}.gz
    COMMAND ${CMAKE_COMMAND} -E make_directory ${PROJECT_BINARY_DIR}/man
    COMMAND gzip -9nc ${PROJECT_SOURCE_DIR}/data/man/${page} > ${PROJECT_BINARY_DIR}/man/${page}.gz
    DEPENDS ${PROJECT_SOURCE_DIR}/data/man/${page})
  list(APPEND RTV_GZIPPED ${PROJECT_BINARY_DIR}/man/${page}.gz)
  install(FILES ${PROJECT_BINARY_DIR}/man/${page}.gz DESTINATION ${CMAKE_INSTALL_MANDIR}/man1)
endforeach()
add_custom_command(OUTPUT ${PROJECT_BINARY_DIR}/changelog.Debian.gz
  COMMAND gzip -9nc ${PROJECT_SOURCE_DIR}/packaging/changelog.Debian
          > ${PROJECT_BINARY_DIR}/changelog.Debian.gz
  DEPENDS ${PROJECT_SOURCE_DIR}/packaging/changelog.Debian)
list(APPEND RTV_GZIPPED ${PROJECT_BINARY_DIR}/changelog.Debian.gz)
add_custom_target(rtv_gzipped_docs ALL DEPENDS ${RTV_GZIPPED})
install(FILES ${PROJECT_SOURCE_DIR}/packaging/copyright ${PROJECT_BINARY_DIR}/changelog.Debian.gz
        DESTINATION ${CMAKE_INSTALL_DOCDIR})
install(FILES ${PROJECT_SOURCE_DIR}/packaging/lintian-overrides
        DESTINATION ${CMAKE_INSTALL_DATADIR}/lintian/overrides RENAME rtv612)

# cpack -G DEB in the build folder (scripts/check-package.sh): the dependencies come from
# the binaries.
set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGE_NAME rtv612)
set(CPACK_PACKAGE_VENDOR Vrel)
set(CPACK_PACKAGE_CONTACT "Vrel <support@vrel.invalid>")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "clone programmer for RT-V612 marine VHF radios")
set(CPACK_PACKAGE_DESCRIPTION
    "Reads the memory of an RT-V612 radio over its serial or USB cable, shows\n"
    "and edits it as sheets, saves and opens clone files and writes the memory\n"
    "back into the radio. Also rtv612-clone, the clone commands for scripts,\n"
    "and radiosim, a simulated radio.")
string(REPLACE ";" "" CPACK_PACKAGE_DESCRIPTION "${CPACK_PACKAGE_DESCRIPTION}")
set(CPACK_STRIP_FILES ON)
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_RELEASE 1)
set(CPACK_DEBIAN_PACKAGE_SECTION utils)
set(CPACK_DEBIAN_PACKAGE_PRIORITY optional)
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
set(CPACK_DEBIAN_PACKAGE_CONTROL_STRICT_PERMISSION ON)
set(CPACK_DEBIAN_PACKAGE_RECOMMENDS "shared-mime-info, desktop-file-utils")
include(CPack)
