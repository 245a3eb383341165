# CPack settings for the Debian package. Updating the desktop, MIME, icon and
# manual databases needs no maintainer scripts: the packages that own them
# (desktop-file-utils, shared-mime-info, hicolor-icon-theme, man-db) watch
# those folders with dpkg triggers.
set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGE_NAME ${MNM_DESKTOP_ID})
set(CPACK_PACKAGE_VERSION ${MNM_VERSION_TEXT}) # the programs' own
set(CPACK_PACKAGE_VENDOR "Orvendel")
set(CPACK_PACKAGE_CONTACT "Morvane Node Manager developers <morvane-node-manager@orvendel.invalid>")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "configuration tool for telemetry radio nodes")
# Lines as the control file shows them (CPack indents them).
set(CPACK_PACKAGE_DESCRIPTION "Edits the configuration of telemetry radio nodes (.mnc files), and
receives it from and sends it to the nodes over a serial port.
Contains the desktop program and mnm, the command-line tool for scripts
and fleet provisioning, with a built-in virtual node to try both
without hardware.")
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_SECTION electronics)
set(CPACK_DEBIAN_PACKAGE_PRIORITY optional)
set(CPACK_STRIP_FILES ON)

# CPack needs `file` beside dpkg-shlibdeps to find the programs among the files.
find_program(MNM_DPKG_SHLIBDEPS dpkg-shlibdeps)
find_program(MNM_FILE_TYPE file)
if(MNM_DPKG_SHLIBDEPS AND MNM_FILE_TYPE)
  set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
else()
  # Otherwise the runtime libraries the programs link, by name.
  set(mnm_runtime_packages libc6 libstdc++6 libgcc-s1 libqt6core6)
  if(TARGET morvane-node-manager)
    list(APPEND mnm_runtime_packages libqt6gui6 libqt6widgets6 libqt6svg6)
  endif()
  list(JOIN mnm_runtime_packages ", " CPACK_DEBIAN_PACKAGE_DEPENDS)
endif()
if(TARGET morvane-node-manager)
  # Native Wayland windows; without it the program runs through XWayland.
  set(CPACK_DEBIAN_PACKAGE_RECOMMENDS qt6-wayland)
endif()

include(CPack)
