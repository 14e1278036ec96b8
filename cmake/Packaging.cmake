# Installation and the Debian package: `scripts/package` builds
# build/packages/plintor_VERSION_amd64.deb from these rules.
#
# The package installs below /usr, with the configuration as a conffile in /etc/plintor.
# The desktop entry starts /usr/libexec/plintor/plintor-desktop, which runs the wizard
# through pkexec under the polkit action org.plintor.plintor.run; nothing is setuid and no
# binary is given capabilities. The files under packaging/ name these /usr paths, so the
# rules are meant for the package: install with it rather than with `cmake --install`.
include(GNUInstallDirs)

set(PLINTOR_APP_ID org.plintor.Plintor)
set(packaging ${PROJECT_SOURCE_DIR}/packaging)
set(staged ${CMAKE_BINARY_DIR}/packaging)
file(MAKE_DIRECTORY ${staged})

# Files that carry the version.
configure_file(${packaging}/${PLINTOR_APP_ID}.metainfo.xml ${staged}/${PLINTOR_APP_ID}.metainfo.xml @ONLY)
configure_file(${packaging}/changelog.in ${staged}/changelog @ONLY)
configure_file(${packaging}/plintor.1 ${staged}/plintor.1 @ONLY)
configure_file(${packaging}/plintor-printer.1 ${staged}/plintor-printer.1 @ONLY)

# Manual pages and the changelog are installed compressed, without a time stamp, so that
# the package's bytes depend on its sources only.
set(compressed)
foreach(name plintor.1 plintor-printer.1 changelog)
  add_custom_command(OUTPUT ${staged}/${name}.gz
    COMMAND gzip -9 -n -c ${staged}/${name} > ${staged}/${name}.gz
    DEPENDS ${staged}/${name}
    VERBATIM)
  list(APPEND compressed ${staged}/${name}.gz)
endforeach()

# The icon theme's pictures of the program icon, drawn by the wizard's own code.
set(icon_sizes 48 128)
set(icons)
if(PLINTOR_WITH_QT)
  add_executable(plintor-write-icon ${packaging}/WriteIcon.cpp)
  target_link_libraries(plintor-write-icon PRIVATE plintor_qt)
  foreach(size IN LISTS icon_sizes)
    add_custom_command(OUTPUT ${staged}/icon-${size}.png
      COMMAND plintor-write-icon ${staged}/icon-${size}.png ${size}
      DEPENDS plintor-write-icon
      VERBATIM)
    list(APPEND icons ${staged}/icon-${size}.png)
  endforeach()
endif()
add_custom_target(plintor-package-files ALL DEPENDS ${compressed} ${icons})

install(TARGETS plintor plintor-printer RUNTIME DESTINATION ${CMAKE_INSTALL_BINDIR})
install(PROGRAMS ${packaging}/plintor-desktop DESTINATION ${CMAKE_INSTALL_LIBEXECDIR}/plintor)
install(FILES ${PROJECT_SOURCE_DIR}/resources/plintor.ini DESTINATION /etc/plintor)
install(FILES ${packaging}/${PLINTOR_APP_ID}.desktop DESTINATION ${CMAKE_INSTALL_DATADIR}/applications)
install(FILES ${staged}/${PLINTOR_APP_ID}.metainfo.xml DESTINATION ${CMAKE_INSTALL_DATADIR}/metainfo)
install(FILES ${packaging}/org.plintor.plintor.policy DESTINATION ${CMAKE_INSTALL_DATADIR}/polkit-1/actions)
install(FILES ${packaging}/icons/${PLINTOR_APP_ID}.svg
  DESTINATION ${CMAKE_INSTALL_DATADIR}/icons/hicolor/scalable/apps)
foreach(size IN LISTS icon_sizes)
  if(PLINTOR_WITH_QT)
    install(FILES ${staged}/icon-${size}.png RENAME ${PLINTOR_APP_ID}.png
      DESTINATION ${CMAKE_INSTALL_DATADIR}/icons/hicolor/${size}x${size}/apps)
  endif()
endforeach()
install(FILES ${staged}/plintor.1.gz ${staged}/plintor-printer.1.gz DESTINATION ${CMAKE_INSTALL_MANDIR}/man1)
install(FILES ${packaging}/copyright ${staged}/changelog.gz DESTINATION ${CMAKE_INSTALL_DATADIR}/doc/plintor)

# The Debian package.
set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGE_NAME plintor)
set(CPACK_PACKAGE_VERSION ${PROJECT_VERSION})
set(CPACK_PACKAGE_VENDOR "The Plintor developers")
set(CPACK_PACKAGE_CONTACT "Plintor maintainers <maintainers@plintor.invalid>")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "configure the network, wireless and FAX settings of a printer")
set(CPACK_PACKAGE_DESCRIPTION
  "Plintor is a desktop wizard with which the owner of a multifunction printer
configures it over the network or a USB cable: the IPv4 and IPv6 address
settings, the wireless LAN settings with a survey of the access points the
printer hears, the FAX settings and the language of its operation panel.
It finds the printers by SNMP and on USB, and sends the new settings as one
PJL job. The package also holds plintor-printer, a stand-in printer with which
the wizard can be tried without hardware.")
set(CPACK_PACKAGE_DIRECTORY ${CMAKE_BINARY_DIR}/packages)
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
set(CPACK_STRIP_FILES ON)
set(CPACK_INSTALL_DEFAULT_DIRECTORY_PERMISSIONS
  OWNER_READ OWNER_WRITE OWNER_EXECUTE GROUP_READ GROUP_EXECUTE WORLD_READ WORLD_EXECUTE)
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_SECTION utils)
set(CPACK_DEBIAN_PACKAGE_PRIORITY optional)
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
# pkexec starts the wizard from the menu; the wizard runs `ip route` and talks to CUPS.
set(CPACK_DEBIAN_PACKAGE_DEPENDS "pkexec, iproute2")
set(CPACK_DEBIAN_PACKAGE_RECOMMENDS "cups-daemon, qt6-wayland")
file(WRITE ${staged}/conffiles "/etc/plintor/plintor.ini\n")
set(CPACK_DEBIAN_PACKAGE_CONTROL_EXTRA ${staged}/conffiles)
set(CPACK_DEBIAN_PACKAGE_CONTROL_STRICT_PERMISSION ON)
include(CPack)

# The package built, checked, installed, tried and removed again (as root; skipped
# elsewhere, and where a plintor package is installed already).
add_test(NAME package COMMAND ${PROJECT_SOURCE_DIR}/scripts/package-check ${CMAKE_BINARY_DIR})
set_tests_properties(package PROPERTIES LABELS package TIMEOUT 900 SKIP_RETURN_CODE 77)
