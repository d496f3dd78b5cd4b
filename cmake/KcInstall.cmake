# SPDX-License-Identifier: Apache-2.0
# What `cmake --install` puts where, by package (component):
#   kartocheck: the two programs, the helper, the schema files, the desktop
#               entry, the icons, the metainfo and the man pages;
#   simulator, serial, pcsc: one CT-API library each, in the private folder.
# No library is installed as libctzav32.so: the person chooses one (the
# settings file or KARTOCHECK_CTAPI), so the simulator is never a silent default.

install(TARGETS kartocheck-cli RUNTIME DESTINATION ${CMAKE_INSTALL_BINDIR} COMPONENT kartocheck)
if(TARGET kartocheck)
  install(TARGETS kartocheck RUNTIME DESTINATION ${CMAKE_INSTALL_BINDIR} COMPONENT kartocheck)
endif()
install(TARGETS kartocheck-ctapi-host RUNTIME DESTINATION ${KC_INSTALL_PRIVATE_LIBDIR} COMPONENT kartocheck)

# One line per shipped terminal library.
install(TARGETS mktsim LIBRARY DESTINATION ${KC_INSTALL_PRIVATE_LIBDIR} COMPONENT simulator)
install(TARGETS ctapi_serial LIBRARY DESTINATION ${KC_INSTALL_PRIVATE_LIBDIR} COMPONENT serial)
if(TARGET ctapi-pcsc)
  install(TARGETS ctapi-pcsc LIBRARY DESTINATION ${KC_INSTALL_PRIVATE_LIBDIR} COMPONENT pcsc)
endif()

set(kc_dist ${PROJECT_SOURCE_DIR}/dist)
set(kc_app_id de.kartocheck.KartoCheck)
install(FILES ${kc_dist}/${kc_app_id}.desktop DESTINATION ${CMAKE_INSTALL_DATADIR}/applications COMPONENT kartocheck)
configure_file(${kc_dist}/${kc_app_id}.metainfo.xml.in ${CMAKE_BINARY_DIR}/${kc_app_id}.metainfo.xml @ONLY)
install(FILES ${CMAKE_BINARY_DIR}/${kc_app_id}.metainfo.xml DESTINATION ${CMAKE_INSTALL_DATADIR}/metainfo COMPONENT kartocheck)
install(FILES ${PROJECT_SOURCE_DIR}/app/pictures/kartocheck.svg
        DESTINATION ${CMAKE_INSTALL_DATADIR}/icons/hicolor/scalable/apps COMPONENT kartocheck)

# The PNG sizes of the icon, rendered from the SVG.
find_program(RSVG_CONVERT rsvg-convert)
if(RSVG_CONVERT)
  foreach(size 16 24 32 48 64 128 256)
    set(png ${CMAKE_BINARY_DIR}/icons/${size}/kartocheck.png)
    add_custom_command(OUTPUT ${png}
      COMMAND ${CMAKE_COMMAND} -E make_directory ${CMAKE_BINARY_DIR}/icons/${size}
      COMMAND ${RSVG_CONVERT} -w ${size} -h ${size} -o ${png} ${PROJECT_SOURCE_DIR}/app/pictures/kartocheck.svg
      DEPENDS ${PROJECT_SOURCE_DIR}/app/pictures/kartocheck.svg VERBATIM)
    list(APPEND kc_icon_pngs ${png})
    install(FILES ${png} DESTINATION ${CMAKE_INSTALL_DATADIR}/icons/hicolor/${size}x${size}/apps COMPONENT kartocheck)
  endforeach()
  add_custom_target(kartocheck_icons ALL DEPENDS ${kc_icon_pngs})
else()
  message(STATUS "rsvg-convert not found: only the SVG icon is installed")
endif()

# Man pages, compressed as Debian wants them.
foreach(page kartocheck.1 kartocheck-cli.1)
  set(gz ${CMAKE_BINARY_DIR}/man/${page}.gz)
  add_custom_command(OUTPUT ${gz}
    COMMAND ${CMAKE_COMMAND} -E make_directory ${CMAKE_BINARY_DIR}/man
    COMMAND gzip -9 -n -c ${kc_dist}/man/${page} > ${gz}
    DEPENDS ${kc_dist}/man/${page})
  list(APPEND kc_man_pages ${gz})
  install(FILES ${gz} DESTINATION ${CMAKE_INSTALL_MANDIR}/man1 COMPONENT kartocheck)
endforeach()
add_custom_target(kartocheck_man_pages ALL DEPENDS ${kc_man_pages})
