# The Windows installer, build-windows/plintor-setup.exe, made by NSIS (Debian's nsis
# package, which scripts/setup --windows installs) from packaging/windows/plintor.nsi.
# Part of every Windows build where makensis is found; the test windows.installer
# installs and uninstalls it under Wine.
find_program(PLINTOR_MAKENSIS makensis)
if(NOT PLINTOR_MAKENSIS)
  message(STATUS "makensis not found: no installer (Debian package nsis)")
  return()
endif()
set(PLINTOR_INSTALLER ${CMAKE_BINARY_DIR}/plintor-setup.exe)
set(nsi ${PROJECT_SOURCE_DIR}/packaging/windows/plintor.nsi)
set(icon ${PROJECT_SOURCE_DIR}/resources/windows/plintor.ico)
set(config ${PROJECT_SOURCE_DIR}/resources/plintor.ini)
add_custom_command(OUTPUT ${PLINTOR_INSTALLER}
  COMMAND ${PLINTOR_MAKENSIS} -V2 -DVERSION=${PROJECT_VERSION} -DPROGRAM=$<TARGET_FILE:plintor>
          -DCONFIG=${config} -DICON=${icon} -DOUTFILE=${PLINTOR_INSTALLER} ${nsi}
  DEPENDS plintor ${nsi} ${icon} ${config}
  COMMENT "Making the installer plintor-setup.exe"
  VERBATIM)
add_custom_target(installer ALL DEPENDS ${PLINTOR_INSTALLER})
