# SPDX-License-Identifier: MIT
# The Linux back-ends of the activity log and the alert channels: the local clock and
# locale, the system log, systemd-logind over D-Bus, libcanberra, and the loader of the
# mail library.
find_package(PkgConfig REQUIRED)
pkg_check_modules(ORVANE_SYSTEMD REQUIRED IMPORTED_TARGET libsystemd)
pkg_check_modules(ORVANE_CANBERRA REQUIRED IMPORTED_TARGET libcanberra)

add_library(orvane_platform_linux_monitor STATIC
    canberrasound.cpp
    linuxlogclock.cpp
    logindpower.cpp
    sendmaillibrary.cpp
    syslogeventlog.cpp
)
target_link_libraries(orvane_platform_linux_monitor
    PUBLIC orvane_monitor orvane_file_descriptor
    PRIVATE PkgConfig::ORVANE_SYSTEMD PkgConfig::ORVANE_CANBERRA ${CMAKE_DL_LIBS}
)
# An installed program finds the mail library in its private library folder, relative to itself.
target_compile_definitions(orvane_platform_linux_monitor
    PRIVATE ORVANE_PRIVATE_LIBS_FROM_PROGRAM="${ORVANE_PRIVATE_LIBS_FROM_PROGRAM}")
