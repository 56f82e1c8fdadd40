# The Debian package, built by CPack from the install rules
# (scripts/package.sh; cpack -G DEB in a build folder):
# orvelle_<version>_<arch>.deb installing into /usr.
set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGE_NAME orvelle)
set(CPACK_PACKAGE_VERSION ${PROJECT_VERSION})
set(CPACK_PACKAGE_VENDOR "The Orvelle developers")
set(CPACK_PACKAGE_CONTACT "${ORVELLE_MAINTAINER}")
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
set(CPACK_STRIP_FILES ON)
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "viewer of Japan's 1:2500 digital maps (数値地図2500)")
# The extended description; CPack puts the summary before it, a space before
# each line and " ." for the empty one.
set(CPACK_DEBIAN_PACKAGE_DESCRIPTION "Orvelle opens the vector maps that the Geospatial Information Authority of
Japan (GSI) publishes as 数値地図2500 (空間データ基盤): mesh description
files, municipality LZH archives and folders of meshes, read into one map.
It draws roads, railways, water, buildings, blocks and names at every scale,
shows attribute details and the address at the map centre, searches the
attribute texts, finds addresses and coordinates, searches routes along the
roads, prints, and exports to GeoPackage, Shapefile, GeoJSON, KML or PostGIS.

The package holds the viewer orvelle, the command-line tool orvelle-cli
for scripts, orvelle-synth (synthetic test data), a small sample map and
GSI's datum grids TKY2JGD and touhokutaiheiyouoki2011.")

set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)  # orvelle_0.1.0_amd64.deb
set(CPACK_DEBIAN_PACKAGE_SECTION science)
set(CPACK_DEBIAN_PACKAGE_PRIORITY optional)
set(CPACK_DEBIAN_PACKAGE_HOMEPAGE "${PROJECT_HOMEPAGE_URL}")
set(CPACK_DEBIAN_PACKAGE_MAINTAINER "${ORVELLE_MAINTAINER}")
# The libraries the binaries link, with their versions, from dpkg-shlibdeps;
# then what they open at run time: PROJ's database, a Japanese font (the
# drawings are checked with Noto CJK) and Qt's Japanese translations. (Qt's
# SVG icon engine, for the window icon, comes with libqt6svg6, which
# orvelle-cli links.)
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
set(CPACK_DEBIAN_PACKAGE_DEPENDS "proj-data, fonts-noto-cjk | fonts-japanese-gothic, qt6-translations-l10n")
set(CPACK_DEBIAN_PACKAGE_SUGGESTS "bash-completion")
set(CPACK_DEBIAN_PACKAGE_CONTROL_STRICT_PERMISSION ON)
include(CPack)
