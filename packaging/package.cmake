# The Debian package: `make package` (or `cmake --build build --target
# package`) writes build/osprey_<version>-1_<arch>.deb with
#   <prefix>/lib/osprey/   osprey, its module link osprey-panel, the switch list
#                          osprey-switches, osprey-export, osprey-config,
#                          osprey-sim and its switch osprey.sim, the message
#                          files errmsg/ and the help document
#   <prefix>/bin/          osprey (a start script), osprey-switches,
#                          osprey-export, osprey-config, osprey-sim
#   <prefix>/share/        man pages, the desktop entry, the icon, the README
#   /etc/korvan/           the registry stand-in naming all of that, and the
#                          folder Conf/ for the per-switch INI files
# The program's and the simulator's own rules are in shell/, export/, config/ and sim/.
# scripts/package-check.sh unpacks the package and runs it.
if(NOT OSPREY_BUILD_GUI OR NOT TARGET osprey OR NOT TARGET osprey-export OR NOT TARGET osprey-config
   OR NOT TARGET osprey-sim OR NOT TARGET osprey-switches)
  message(STATUS "package: needs the program, the switch list, the export, osprey-config and the simulator")
  return()
endif()
include(GNUInstallDirs)

set(OSPREY_PACKAGE_PREFIX /usr)
set(OSPREY_PACKAGE_PROGRAM_DIR ${OSPREY_PACKAGE_PREFIX}/${OSPREY_INSTALL_DIR})
set(OSPREY_MODULE_OID "1.3.6.1.4.1.${OSPREY_ENT}.10.48.1")
file(RELATIVE_PATH OSPREY_BIN_TO_PROGRAM /${CMAKE_INSTALL_BINDIR} /${OSPREY_INSTALL_DIR})
set(generated ${CMAKE_BINARY_DIR}/packaging)

# --- commands on the path --------------------------------------------------------
configure_file(${CMAKE_CURRENT_LIST_DIR}/osprey.sh.in ${generated}/osprey @ONLY)
install(PROGRAMS ${generated}/osprey DESTINATION ${CMAKE_INSTALL_BINDIR})
foreach(command osprey-switches osprey-export osprey-config osprey-sim)
  install(CODE "
    file(MAKE_DIRECTORY \"\$ENV{DESTDIR}\${CMAKE_INSTALL_PREFIX}/${CMAKE_INSTALL_BINDIR}\")
    file(CREATE_LINK ${OSPREY_BIN_TO_PROGRAM}/${command}
         \"\$ENV{DESTDIR}\${CMAKE_INSTALL_PREFIX}/${CMAKE_INSTALL_BINDIR}/${command}\" SYMBOLIC)")
endforeach()

# osprey-browser and its six link names beside the program are installed by
# browser/CMakeLists.txt; scripts/package-check.sh checks them.


# --- man pages, desktop entry, icon, README -----------------------------------------
set(manuals osprey osprey-switches osprey-export osprey-config osprey-sim)
set(manualFiles)
foreach(manual IN LISTS manuals)
  set(source ${CMAKE_SOURCE_DIR}/docs/man/${manual}.1)
  set(packed ${generated}/man/${manual}.1.gz)
  add_custom_command(OUTPUT ${packed}
    COMMAND ${CMAKE_COMMAND} -E make_directory ${generated}/man
    COMMAND ${CMAKE_COMMAND} -E copy ${source} ${generated}/man/${manual}.1
    COMMAND gzip -9nf ${generated}/man/${manual}.1
    DEPENDS ${source}
    VERBATIM)
  list(APPEND manualFiles ${packed})
endforeach()
install(FILES ${manualFiles} DESTINATION ${CMAKE_INSTALL_MANDIR}/man1)

# The icon is drawn at build time (packaging/osprey-icon.cpp).
add_executable(osprey-icon ${CMAKE_CURRENT_LIST_DIR}/osprey-icon.cpp)
target_link_libraries(osprey-icon PRIVATE Qt6::Gui)
set_target_properties(osprey-icon PROPERTIES RUNTIME_OUTPUT_DIRECTORY ${generated})
set(iconSizes 48 128 256)
set(iconArguments)
set(iconFiles)
foreach(size IN LISTS iconSizes)
  list(APPEND iconArguments ${size} ${generated}/icons/${size}/osprey.png)
  list(APPEND iconFiles ${generated}/icons/${size}/osprey.png)
endforeach()
add_custom_command(OUTPUT ${iconFiles}
  COMMAND ${CMAKE_COMMAND} -E make_directory ${generated}/icons/48 ${generated}/icons/128 ${generated}/icons/256
  COMMAND osprey-icon ${iconArguments}
  DEPENDS osprey-icon
  VERBATIM)
add_custom_target(osprey-package-files ALL DEPENDS ${manualFiles} ${iconFiles})
foreach(size IN LISTS iconSizes)
  install(FILES ${generated}/icons/${size}/osprey.png
          DESTINATION ${CMAKE_INSTALL_DATADIR}/icons/hicolor/${size}x${size}/apps)
endforeach()
install(FILES ${CMAKE_CURRENT_LIST_DIR}/osprey.desktop DESTINATION ${CMAKE_INSTALL_DATADIR}/applications)
install(FILES ${CMAKE_SOURCE_DIR}/README.md DESTINATION ${CMAKE_INSTALL_DOCDIR})

# --- the registry stand-in (package only) --------------------------------------------
# Not put into /etc by a plain `cmake --install`: only the package carries it.
configure_file(${CMAKE_CURRENT_LIST_DIR}/registry.ini.in ${generated}/registry.ini @ONLY)
install(FILES ${generated}/registry.ini DESTINATION /etc/korvan COMPONENT system EXCLUDE_FROM_ALL)
install(DIRECTORY DESTINATION /etc/korvan/Conf COMPONENT system EXCLUDE_FROM_ALL)
file(WRITE ${generated}/conffiles "/etc/korvan/registry.ini\n")

# --- CPack --------------------------------------------------------------------
set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGE_NAME osprey)
set(CPACK_PACKAGE_VERSION ${PROJECT_VERSION})
set(CPACK_PACKAGING_INSTALL_PREFIX ${OSPREY_PACKAGE_PREFIX})
set(CPACK_PACKAGE_CONTACT "Osprey manager developers <osprey-dev@example.org>")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "manager for the Korvan Osprey managed Ethernet switch")
# The summary is the description's first line; CPack indents the rest.
set(CPACK_PACKAGE_DESCRIPTION
"A desktop program that shows the switch's front panel with its live LEDs and
opens a window for every page of its settings and tables, over SNMPv1, v2c
and v3; osprey-switches, the list of switches it is opened from, with their
communities and passwords in the desktop keyring; osprey-export, which writes
the same pages to standard output without a window; osprey-config, which keeps
the switch's settings as a file, compares and restores them; and osprey-sim,
an SNMP agent that behaves like the switch.")
set(CPACK_DEBIAN_PACKAGE_SECTION net)
set(CPACK_DEBIAN_PACKAGE_PRIORITY optional)
set(CPACK_DEBIAN_PACKAGE_RELEASE 1)
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
# The libraries the programs link (dpkg-shlibdeps), and Qt's platform plugins,
# which the program loads at run time.
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
# The switch list keeps communities and passwords in the desktop's Secret
# Service keyring (libqt6keychain1 itself comes from dpkg-shlibdeps).
set(CPACK_DEBIAN_PACKAGE_DEPENDS "qt6-qpa-plugins")
set(CPACK_DEBIAN_PACKAGE_RECOMMENDS "fonts-dejavu-core, gnome-keyring | kwalletmanager | keepassxc")
set(CPACK_DEBIAN_PACKAGE_SUGGESTS "snmp")
set(CPACK_DEBIAN_PACKAGE_CONTROL_EXTRA ${generated}/conffiles)
# Every install rule (the program's and the package's own) in one package.
set(CPACK_COMPONENTS_ALL Unspecified system)
set(CPACK_DEB_COMPONENT_INSTALL ON)
set(CPACK_COMPONENTS_GROUPING ALL_COMPONENTS_IN_ONE)
set(CPACK_STRIP_FILES ON)
include(CPack)
