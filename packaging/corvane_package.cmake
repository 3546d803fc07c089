# The Debian package. In the build folder, `cpack -G DEB` (or the `package`
# target) makes corvane_<version>_<arch>.deb from the install rules; its
# dependencies come from the libraries the program links (dpkg-shlibdeps).
# dpkg's own triggers refresh the menu, MIME and icon caches for the folders
# the package fills, so it needs no maintainer scripts.

include(GNUInstallDirs)
set(CORVANE_PACKAGE_MAINTAINER "Corvane developers <corvane@nordaxe.invalid>")
set(CORVANE_DOC_DIR ${CMAKE_INSTALL_DATADIR}/doc/corvane)

# Debian wants a copyright file and a compressed changelog in the package's
# documentation folder. The changelog's newest entry names the version; a test
# keeps it in step with the project's.
find_program(GZIP_EXECUTABLE gzip REQUIRED)
set(corvane_changelog ${CMAKE_CURRENT_BINARY_DIR}/packaging/changelog.gz)
add_custom_command(OUTPUT ${corvane_changelog}
  COMMAND ${CMAKE_COMMAND} -E make_directory ${CMAKE_CURRENT_BINARY_DIR}/packaging
  COMMAND ${GZIP_EXECUTABLE} -9n < ${CMAKE_CURRENT_SOURCE_DIR}/packaging/changelog
    > ${corvane_changelog}
  DEPENDS ${CMAKE_CURRENT_SOURCE_DIR}/packaging/changelog)
add_custom_target(corvane_package_docs ALL DEPENDS ${corvane_changelog})
install(FILES ${corvane_changelog} ${CMAKE_CURRENT_SOURCE_DIR}/packaging/copyright
  DESTINATION ${CORVANE_DOC_DIR})
install(FILES ${CMAKE_CURRENT_SOURCE_DIR}/packaging/lintian-overrides
  DESTINATION ${CMAKE_INSTALL_DATADIR}/lintian/overrides RENAME corvane)

set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGE_NAME corvane)
set(CPACK_PACKAGE_VENDOR Nordaxe)
set(CPACK_PACKAGE_VERSION ${PROJECT_VERSION})
set(CPACK_PACKAGE_CONTACT ${CORVANE_PACKAGE_MAINTAINER})
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "viewer for Gerber plot and NC drill files")
set(CPACK_PACKAGE_DESCRIPTION "\
Corvane loads and shows the manufacturing data of a printed circuit board so
that it can be checked by eye: Gerber plot files (RS-274-X and RS-274-D), an
aperture table, an NC drill file and a drill tool table. Every layer is drawn
in its own colour and the drill holes are drawn to scale.

The picture can be zoomed, scrolled, mirrored, measured and printed at a chosen
magnification; a layer can be offset by two clicks. The working set is saved as
a .wrk work file. Headless commands dump a working set, write it as a work file
or export it as a PNG, SVG or PDF picture.")
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
set(CPACK_STRIP_FILES ON)
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_SECTION electronics)
set(CPACK_DEBIAN_PACKAGE_PRIORITY optional)
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
# The package's folders belong to it as root's, readable by all, whatever the
# builder's umask.
set(CPACK_INSTALL_DEFAULT_DIRECTORY_PERMISSIONS
  OWNER_READ OWNER_WRITE OWNER_EXECUTE GROUP_READ GROUP_EXECUTE WORLD_READ WORLD_EXECUTE)
include(CPack)
