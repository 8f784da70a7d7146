# What `cmake --install` and the Debian package put where: the two programs, the shipped manual
# and default logo (found by the installed program in share/zelk), the desktop entry, the icon,
# the AppStream description and the manual pages.
include(GNUInstallDirs)

install(TARGETS zelk zelk-cli RUNTIME DESTINATION ${CMAKE_INSTALL_BINDIR})
install(FILES data/manual/handleiding.html data/lidbedraglogo.jpg DESTINATION ${CMAKE_INSTALL_DATADIR}/zelk)
install(FILES data/zelk.desktop DESTINATION ${CMAKE_INSTALL_DATADIR}/applications)
install(FILES data/icons/zelk.svg DESTINATION ${CMAKE_INSTALL_DATADIR}/icons/hicolor/scalable/apps)
foreach(size 48 128 256)
  install(FILES data/icons/zelk-${size}.png DESTINATION ${CMAKE_INSTALL_DATADIR}/icons/hicolor/${size}x${size}/apps
    RENAME zelk.png)
endforeach()

configure_file(data/nl.zelk.Zelk.metainfo.xml ${PROJECT_BINARY_DIR}/nl.zelk.Zelk.metainfo.xml @ONLY)
install(FILES ${PROJECT_BINARY_DIR}/nl.zelk.Zelk.metainfo.xml DESTINATION ${CMAKE_INSTALL_DATADIR}/metainfo)

# Manual pages, compressed as Debian wants them; zelk-cli's is written from its own --help.
set(man_dir ${PROJECT_BINARY_DIR}/man)
add_custom_command(OUTPUT ${man_dir}/zelk-cli.1
  COMMAND ${CMAKE_COMMAND} -E make_directory ${man_dir}
  COMMAND ${CMAKE_COMMAND} -DCLI=$<TARGET_FILE:zelk-cli> -DVERSION=${PROJECT_VERSION} -DOUT=${man_dir}/zelk-cli.1
          -P ${PROJECT_SOURCE_DIR}/cmake/manpage.cmake
  DEPENDS zelk-cli ${PROJECT_SOURCE_DIR}/cmake/manpage.cmake
  COMMENT "Handleidingpagina zelk-cli.1")
set(man_pages)
foreach(page zelk-cli.1 zelk.1)
  if(page STREQUAL "zelk.1")
    set(source ${PROJECT_SOURCE_DIR}/data/zelk.1)
  else()
    set(source ${man_dir}/${page})
  endif()
  add_custom_command(OUTPUT ${man_dir}/${page}.gz
    COMMAND ${CMAKE_COMMAND} -E make_directory ${man_dir}
    COMMAND gzip -9n -c ${source} > ${man_dir}/${page}.gz
    DEPENDS ${source})
  list(APPEND man_pages ${man_dir}/${page}.gz)
endforeach()
add_custom_target(manpages ALL DEPENDS ${man_pages})
install(FILES ${man_pages} DESTINATION ${CMAKE_INSTALL_MANDIR}/man1)

# The Debian package's own documents: the changelog (compressed) and the copyright.
set(doc_dir ${CMAKE_INSTALL_DATADIR}/doc/zelk)
add_custom_command(OUTPUT ${PROJECT_BINARY_DIR}/changelog.gz
  COMMAND gzip -9n -c ${PROJECT_SOURCE_DIR}/data/debian/changelog > ${PROJECT_BINARY_DIR}/changelog.gz
  DEPENDS ${PROJECT_SOURCE_DIR}/data/debian/changelog)
add_custom_target(debian_changelog ALL DEPENDS ${PROJECT_BINARY_DIR}/changelog.gz)
install(FILES ${PROJECT_BINARY_DIR}/changelog.gz data/debian/copyright DESTINATION ${doc_dir})
