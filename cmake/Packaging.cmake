# The Debian package: `cpack -G DEB` in a build folder makes neru_<version>_amd64.deb from
# what the install rules put under /usr.
set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGE_NAME neru)
set(CPACK_PACKAGE_VENDOR "The Neru developers")
set(CPACK_PACKAGE_CONTACT "${NERU_PACKAGE_MAINTAINER}")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "Download and study flow and pressure data loggers")
set(CPACK_PACKAGE_INSTALL_DIRECTORY neru)
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
set(CPACK_STRIP_FILES ON)

set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_MAINTAINER "${NERU_PACKAGE_MAINTAINER}")
set(CPACK_DEBIAN_PACKAGE_SECTION science)
set(CPACK_DEBIAN_PACKAGE_PRIORITY optional)
set(CPACK_DEBIAN_PACKAGE_DESCRIPTION "Download and study flow and pressure data loggers
Neru is for water-network engineers: it downloads what a flow or pressure data
logger recorded over a serial port, cuts the download into one file per district
and shows each district as a zoomable graph, a statistics dialog and a table, with
CSV export, copying and printing. neru-cli does the same data work without a
display; neru-logger-sim stands in for a logger on a pseudo-terminal.")
# The libraries the programs link (Qt, the C++ runtime) come from dpkg-shlibdeps.
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
# Qt loads its platform plugins at run time, so shlibdeps cannot see them: libqt6gui6
# carries xcb and only recommends qt6-qpa-plugins, which an install without
# recommends would leave out.
set(CPACK_DEBIAN_PACKAGE_DEPENDS "qt6-qpa-plugins")
# No maintainer scripts: the packages that own the desktop, MIME and icon caches update
# them through their own dpkg triggers when this package's files land.

include(CPack)
