# Install rules (GNUInstallDirs), for `cmake --install` and the Debian package:
#   bin/kubisto                        the program
#   lib/kubisto/                       libvantrel.so and libkubisto-platform.so, private
#   share/kubisto/                     walls, sounds, pictures, icons, help (read-only)
#   share/applications/, metainfo/, mime/packages/, icons/hicolor/, man/man6/, doc/kubisto/,
#   lintian/overrides/
set(KUBISTO_INSTALL_PRIVATE_LIBDIR "lib/kubisto" CACHE STRING "Folder of the private libraries, under the prefix")
set(KUBISTO_INSTALL_SHAREDIR "${CMAKE_INSTALL_DATADIR}/kubisto")

# The program finds its libraries and its read-only files relative to its own folder, so the prefix
# may move (cmake --install --prefix, the package's /usr).
file(RELATIVE_PATH KUBISTO_LIBDIR_FROM_BIN /prefix/${CMAKE_INSTALL_BINDIR} /prefix/${KUBISTO_INSTALL_PRIVATE_LIBDIR})
file(RELATIVE_PATH KUBISTO_SHAREDIR_FROM_BIN /prefix/${CMAKE_INSTALL_BINDIR} /prefix/${KUBISTO_INSTALL_SHAREDIR})

set(KUBISTO_DESKTOP_DIR ${PROJECT_SOURCE_DIR}/assets/desktop)

if(TARGET kubisto)
  target_compile_definitions(kubisto-app PRIVATE KUBISTO_SHAREDIR_FROM_BIN="${KUBISTO_SHAREDIR_FROM_BIN}"
                                                 KUBISTO_LIBDIR_FROM_BIN="${KUBISTO_LIBDIR_FROM_BIN}")
  set_target_properties(kubisto PROPERTIES INSTALL_RPATH "$ORIGIN/${KUBISTO_LIBDIR_FROM_BIN}")
  set_target_properties(vantrel kubisto-platform PROPERTIES INSTALL_RPATH "$ORIGIN")
  install(TARGETS kubisto RUNTIME DESTINATION ${CMAKE_INSTALL_BINDIR})
  # Unversioned private libraries: no development symlinks, nothing to link against.
  install(TARGETS vantrel kubisto-platform LIBRARY DESTINATION ${KUBISTO_INSTALL_PRIVATE_LIBDIR} NAMELINK_SKIP)
  install(DIRECTORY ${PROJECT_SOURCE_DIR}/assets/files/ DESTINATION ${KUBISTO_INSTALL_SHAREDIR})

  install(FILES ${KUBISTO_DESKTOP_DIR}/io.github.kubisto.kubisto.desktop DESTINATION ${CMAKE_INSTALL_DATADIR}/applications)
  install(FILES ${KUBISTO_DESKTOP_DIR}/io.github.kubisto.kubisto.metainfo.xml DESTINATION ${CMAKE_INSTALL_DATADIR}/metainfo)
  install(FILES ${KUBISTO_DESKTOP_DIR}/kubisto.xml DESTINATION ${CMAKE_INSTALL_DATADIR}/mime/packages)
  install(DIRECTORY ${KUBISTO_DESKTOP_DIR}/icons/ DESTINATION ${CMAKE_INSTALL_DATADIR}/icons)
  # The manual page and the changelog compressed as Debian installs them (-n: no name or time in
  # the header, so the bytes depend on the text alone).
  find_program(KUBISTO_GZIP gzip REQUIRED)
  set(docs ${CMAKE_CURRENT_BINARY_DIR}/docs)
  foreach(doc kubisto.6 changelog)
    add_custom_command(OUTPUT ${docs}/${doc}.gz
      COMMAND ${CMAKE_COMMAND} -E make_directory ${docs}
      COMMAND ${KUBISTO_GZIP} -9 -n -c ${KUBISTO_DESKTOP_DIR}/${doc} > ${docs}/${doc}.gz
      DEPENDS ${KUBISTO_DESKTOP_DIR}/${doc} VERBATIM)
  endforeach()
  add_custom_target(kubisto-docs ALL DEPENDS ${docs}/kubisto.6.gz ${docs}/changelog.gz)
  install(FILES ${docs}/kubisto.6.gz DESTINATION ${CMAKE_INSTALL_MANDIR}/man6)
  install(FILES ${docs}/changelog.gz DESTINATION ${CMAKE_INSTALL_DATADIR}/doc/kubisto)
  install(FILES ${PROJECT_SOURCE_DIR}/LICENSE DESTINATION ${CMAKE_INSTALL_DATADIR}/doc/kubisto
          RENAME copyright)
  # Warnings of lintian that the package keeps, each with its reason.
  install(FILES ${KUBISTO_DESKTOP_DIR}/lintian-overrides DESTINATION ${CMAKE_INSTALL_DATADIR}/lintian/overrides
          RENAME kubisto)
endif()
