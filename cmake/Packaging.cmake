# The Debian package (`bash scripts/package.sh`, or `cpack -G DEB` in a build
# tree configured with CMAKE_INSTALL_PREFIX=/usr).  What it holds is what
# `cmake --install` installs; this file adds the manual pages, the files Debian
# wants in /usr/share/doc/kalorina and the package's control data.
find_program(KALORINA_GZIP gzip REQUIRED)

# Manual pages and the changelog go in compressed, with no name or time stamp in
# the gzip header so that two builds give the same bytes.
set(kalorina_packed ${CMAKE_BINARY_DIR}/packaging)
set(kalorina_packed_files "")
foreach(source kalorina.1 kalorina-cli.1 changelog)
  set(out ${kalorina_packed}/${source}.gz)
  add_custom_command(OUTPUT ${out}
    COMMAND ${CMAKE_COMMAND} -E make_directory ${kalorina_packed}
    COMMAND ${CMAKE_COMMAND} -E copy ${CMAKE_SOURCE_DIR}/packaging/${source} ${kalorina_packed}/${source}
    COMMAND ${KALORINA_GZIP} -n -9 -f ${kalorina_packed}/${source}
    DEPENDS ${CMAKE_SOURCE_DIR}/packaging/${source}
    COMMENT "Compressing ${source}" VERBATIM)
  list(APPEND kalorina_packed_files ${out})
endforeach()
add_custom_target(packaging_files ALL DEPENDS ${kalorina_packed_files})

install(FILES ${kalorina_packed}/kalorina.1.gz ${kalorina_packed}/kalorina-cli.1.gz
  DESTINATION ${CMAKE_INSTALL_MANDIR}/man1)
set(kalorina_docdir ${CMAKE_INSTALL_DATAROOTDIR}/doc/kalorina)
install(FILES packaging/copyright DESTINATION ${kalorina_docdir})
# The version carries no Debian revision (the package is made here, from the
# program's own sources), so Debian names the changelog changelog.gz.
install(FILES ${kalorina_packed}/changelog.gz DESTINATION ${kalorina_docdir})

set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGE_NAME kalorina)
set(CPACK_PACKAGE_VERSION ${PROJECT_VERSION})
set(CPACK_PACKAGE_VENDOR "Kalorina maintainers")
set(CPACK_PACKAGE_CONTACT "Kalorina maintainers <maintainers@users.noreply.c-seed-1de966c4.example>")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "design warm-water floor heating")
set(CPACK_DEBIAN_PACKAGE_DESCRIPTION
"Kalorina designs warm-water floor heating: rooms with their heat loss, floor
heating fields from a manufacturer's catalogue, circuits fed from a manifold
with their hydraulics and balancing valves, printed reports and a bill of
materials.

The package holds the desktop program, kalorina-cli for batch work (sizing,
recalculation, design check, reports and bills as PDF, PNG, RTF and
spreadsheet files), the device catalogue, the Hungarian and English
languages, the help and two example projects.")
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_SECTION science)
set(CPACK_DEBIAN_PACKAGE_PRIORITY optional)
# Depends comes from what the binaries link, as dpkg-shlibdeps finds it.
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
# Reports draw their fonts' metric twins where the named fonts are missing.
set(CPACK_DEBIAN_PACKAGE_RECOMMENDS "fonts-liberation2, fonts-dejavu-core")
set(CPACK_STRIP_FILES ON)
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
# Only what the install rules name, owned by root, with the permissions Debian expects.
set(CPACK_INSTALL_DEFAULT_DIRECTORY_PERMISSIONS
  OWNER_READ OWNER_WRITE OWNER_EXECUTE GROUP_READ GROUP_EXECUTE WORLD_READ WORLD_EXECUTE)
include(CPack)
