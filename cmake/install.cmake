# SPDX-License-Identifier: MIT
# cmake --install and the Debian package of the Linux build. The layout (GNU, from
# installdirs.cmake), with the prefix /usr as the package preset has it:
#   bin/orvane, bin/orvane-report
#   lib/<multiarch>/orvane/libsendmail_lib.so       the mail library, private
#   libexec/orvane/                                  helper programs
#   share/orvane/readme.txt                          the information page's text
#   share/applications, share/icons/hicolor, share/metainfo, share/man/man1
#   lib/systemd/system/orvane-prometheus.{service,timer}

install(TARGETS orvane orvane-report RUNTIME DESTINATION ${CMAKE_INSTALL_BINDIR})
install(TARGETS sendmail_lib LIBRARY DESTINATION ${ORVANE_INSTALL_PRIVATE_LIBDIR})

# Programs that need file capabilities to read disks for an ordinary user: a program's
# CMakeLists adds "TARGET=CAPABILITIES", the capabilities written as getcap prints them, with
#   set_property(GLOBAL APPEND PROPERTY ORVANE_CAPABILITY_PROGRAMS "orvane-x=cap_sys_rawio=ep")
# Each is installed into libexec/orvane, and the package's post-install step runs setcap on
# it; the package test checks that the installed program carries them.
get_property(ORVANE_CAPABILITY_PROGRAMS GLOBAL PROPERTY ORVANE_CAPABILITY_PROGRAMS)
set(ORVANE_PACKAGE_PREFIX ${CMAKE_INSTALL_PREFIX})
set(ORVANE_CAPABILITY_LINES "")
foreach(entry IN LISTS ORVANE_CAPABILITY_PROGRAMS)
    string(FIND "${entry}" "=" equals)
    string(SUBSTRING "${entry}" 0 ${equals} target)
    math(EXPR equals "${equals} + 1")
    string(SUBSTRING "${entry}" ${equals} -1 capabilities)
    install(TARGETS ${target} RUNTIME DESTINATION ${CMAKE_INSTALL_LIBEXECDIR}/orvane)
    string(APPEND ORVANE_CAPABILITY_LINES
           "${ORVANE_PACKAGE_PREFIX}/${CMAKE_INSTALL_LIBEXECDIR}/orvane/$<TARGET_FILE_NAME:${target}> ${capabilities}\n")
endforeach()

install(FILES dist/readme.txt DESTINATION ${ORVANE_INSTALL_DATADIR})
install(FILES dist/orvane.desktop DESTINATION ${CMAKE_INSTALL_DATADIR}/applications)
install(FILES dist/org.orvane.orvane.metainfo.xml DESTINATION ${CMAKE_INSTALL_DATADIR}/metainfo)
install(DIRECTORY assets/icons/hicolor DESTINATION ${CMAKE_INSTALL_DATADIR}/icons)
install(FILES dist/man/orvane.1 dist/man/orvane-report.1 DESTINATION ${CMAKE_INSTALL_MANDIR}/man1)

# The Prometheus output every 5 minutes (disabled until the administrator enables the timer).
set(ORVANE_TEXTFILE_WRITER ${CMAKE_INSTALL_FULL_LIBEXECDIR}/orvane/orvane-prometheus-textfile)
configure_file(dist/systemd/orvane-prometheus.service.in ${PROJECT_BINARY_DIR}/dist/orvane-prometheus.service @ONLY)
install(PROGRAMS dist/systemd/orvane-prometheus-textfile DESTINATION ${CMAKE_INSTALL_LIBEXECDIR}/orvane)
install(FILES ${PROJECT_BINARY_DIR}/dist/orvane-prometheus.service dist/systemd/orvane-prometheus.timer
        DESTINATION lib/systemd/system)

# The Debian package: cpack -G DEB in a build configured with the package preset.
configure_file(packaging/debian/postinst.in ${PROJECT_BINARY_DIR}/debian/postinst.in @ONLY)
file(GENERATE OUTPUT ${PROJECT_BINARY_DIR}/debian/postinst INPUT ${PROJECT_BINARY_DIR}/debian/postinst.in
     FILE_PERMISSIONS OWNER_READ OWNER_WRITE OWNER_EXECUTE GROUP_READ GROUP_EXECUTE WORLD_READ WORLD_EXECUTE)
file(GENERATE OUTPUT ${PROJECT_BINARY_DIR}/debian/capabilities.txt CONTENT "${ORVANE_CAPABILITY_LINES}")

set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGE_NAME orvane)
set(CPACK_PACKAGE_VENDOR Orvane)
set(ORVANE_PACKAGE_MAINTAINER "Orvane developers <orvane@localhost>" CACHE STRING "Maintainer of the Debian package")
set(CPACK_PACKAGE_CONTACT "${ORVANE_PACKAGE_MAINTAINER}")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "watch the health and the temperature of the computer's disks")
# The long description below the summary; CPack indents it as the control file wants.
set(CPACK_DEBIAN_PACKAGE_DESCRIPTION
    "Orvane lists the ATA disks with model, temperature and an OK/BAD verdict from their \
S.M.A.R.T. data, warns before a disk gets too hot (mail, sound, hibernation) and logs what it does. \
orvane-report prints the same reports as tables, JSON or Prometheus metrics for node_exporter's \
textfile collector.")
set(CPACK_PACKAGING_INSTALL_PREFIX ${ORVANE_PACKAGE_PREFIX})
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_SECTION admin)
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
# Without Qt's Wayland plugin the window still opens through XWayland.
set(CPACK_DEBIAN_PACKAGE_RECOMMENDS "qt6-wayland")
set(CPACK_DEBIAN_PACKAGE_SUGGESTS "prometheus-node-exporter")
if(ORVANE_CAPABILITY_PROGRAMS)
    set(CPACK_DEBIAN_PACKAGE_DEPENDS "libcap2-bin")
endif()
set(CPACK_STRIP_FILES ON)
set(CPACK_DEBIAN_PACKAGE_CONTROL_EXTRA ${PROJECT_BINARY_DIR}/debian/postinst ${PROJECT_SOURCE_DIR}/packaging/debian/prerm
                                       ${PROJECT_SOURCE_DIR}/packaging/debian/postrm)
set(CPACK_DEBIAN_PACKAGE_CONTROL_STRICT_PERMISSION ON)
include(CPack)
