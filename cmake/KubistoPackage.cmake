# The Debian package, made from the build folder with `cpack -G DEB` (after building the program).
# It holds what `cmake --install` installs, under /usr. Its Depends come from the shared libraries
# the program and its private libraries link (dpkg-shlibdeps), plus what is loaded at run time:
# Qt's platform plugins and a font with Japanese glyphs.
set(CPACK_PACKAGE_NAME kubisto)
set(CPACK_PACKAGE_VENDOR "The Kubisto developers")
set(CPACK_PACKAGE_CONTACT "The Kubisto developers <kubisto@users.noreply.github.com>")
set(CPACK_DEBIAN_PACKAGE_HOMEPAGE "https://github.com/kubisto/kubisto")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "build with coloured blocks in a 3D room")
# Lines of at most 80 characters, as Debian's tools show them.
set(CPACK_PACKAGE_DESCRIPTION "Kubisto is a small 3D building-block toy: add coloured cube blocks
to a grid in a 3D room, pick, recolour, move and delete them, turn the room and
see it from four viewpoints, and save layouts to small .kbs files. It draws
layouts and exports them as 3D models from the command line, and Python scripts
build with it through the included kubisto module.")
set(CPACK_RESOURCE_FILE_LICENSE ${PROJECT_SOURCE_DIR}/LICENSE)
set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
set(CPACK_STRIP_FILES ON)
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
# Not games: that section's programs live in /usr/games, and this one is also a modelling tool.
set(CPACK_DEBIAN_PACKAGE_SECTION graphics)
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
# The private libraries are found where the package puts them, not on the system's library path.
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS_PRIVATE_DIRS ${KUBISTO_BIN_DIR})
# The smallest Japanese font that serves comes first (3.5 MB against 56 MB of fonts-noto-cjk). The
# Python module is built for the system's Python 3.
set(CPACK_DEBIAN_PACKAGE_DEPENDS "qt6-qpa-plugins, fonts-ipafont-gothic | fonts-noto-cjk | fonts-vlgothic")
if(KUBISTO_PYTHON_DEPENDS)
  string(APPEND CPACK_DEBIAN_PACKAGE_DEPENDS ", ${KUBISTO_PYTHON_DEPENDS}")
endif()
# Qt's own Japanese texts (message box buttons, the colour window) for the Japanese interface.
set(CPACK_DEBIAN_PACKAGE_RECOMMENDS "qt6-translations-l10n")
include(CPack)
