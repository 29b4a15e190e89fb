# SPDX-License-Identifier: MIT
# Where an installed Orvane keeps its parts (GNU layout), and the paths from the programs'
# folder to them: the programs find their data and their private libraries relative to
# themselves, so an installed tree works under any prefix and from a package alike.
include(GNUInstallDirs)

# The mail library is Orvane's own, not a system library: a private folder keeps it out of
# the loader's search path (lib/<multiarch>/orvane with the prefix /usr on Debian).
set(ORVANE_INSTALL_PRIVATE_LIBDIR ${CMAKE_INSTALL_LIBDIR}/orvane)
set(ORVANE_INSTALL_DATADIR ${CMAKE_INSTALL_DATADIR}/orvane)

file(RELATIVE_PATH ORVANE_DATA_FROM_PROGRAM ${CMAKE_INSTALL_FULL_BINDIR}
     ${CMAKE_INSTALL_PREFIX}/${ORVANE_INSTALL_DATADIR})
file(RELATIVE_PATH ORVANE_PRIVATE_LIBS_FROM_PROGRAM ${CMAKE_INSTALL_FULL_BINDIR}
     ${CMAKE_INSTALL_PREFIX}/${ORVANE_INSTALL_PRIVATE_LIBDIR})
