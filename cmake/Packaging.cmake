# Installation layout (FHS under CMAKE_INSTALL_PREFIX) and the Debian package (`make package`).
include(GNUInstallDirs)

set(VELMOR_PACKAGING_DIR ${CMAKE_SOURCE_DIR}/packaging)

install(DIRECTORY Help/ DESTINATION ${CMAKE_INSTALL_DATADIR}/velmor/Help)
install(DIRECTORY exercises/ DESTINATION ${CMAKE_INSTALL_DATADIR}/velmor/exercises
        PATTERN .gitattributes EXCLUDE)
# The sample settings; Velmor copies it into ~/.config/velmor/ on first use.
install(FILES velmor.ini DESTINATION ${CMAKE_INSTALL_DATADIR}/velmor)

install(FILES ${VELMOR_PACKAGING_DIR}/velmor.desktop
        DESTINATION ${CMAKE_INSTALL_DATADIR}/applications)
install(FILES ${VELMOR_PACKAGING_DIR}/com.dravik.velmor.metainfo.xml
        DESTINATION ${CMAKE_INSTALL_DATADIR}/metainfo)
foreach(size 48 128 256)
    install(FILES ${VELMOR_PACKAGING_DIR}/icons/velmor-${size}.png
            DESTINATION ${CMAKE_INSTALL_DATADIR}/icons/hicolor/${size}x${size}/apps
            RENAME velmor.png)
endforeach()
install(FILES ${VELMOR_PACKAGING_DIR}/icons/velmor.svg
        DESTINATION ${CMAKE_INSTALL_DATADIR}/icons/hicolor/scalable/apps)

# Manual pages are installed compressed; -n keeps the archive the same from build to build.
set(velmor_man ${CMAKE_BINARY_DIR}/velmor.1.gz)
add_custom_command(OUTPUT ${velmor_man}
    COMMAND gzip -9 -n -c ${VELMOR_PACKAGING_DIR}/velmor.1 > ${velmor_man}
    DEPENDS ${VELMOR_PACKAGING_DIR}/velmor.1 VERBATIM)
add_custom_target(velmor_man ALL DEPENDS ${velmor_man})
install(FILES ${velmor_man} DESTINATION ${CMAKE_INSTALL_MANDIR}/man1)

set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGE_NAME velmor)
set(CPACK_PACKAGE_VENDOR "Dravik Software")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "desktop matrix calculator")
string(CONCAT CPACK_PACKAGE_DESCRIPTION
    "Key matrices into a grid, name them and keep them in a list: add, subtract, multiply, "
    "scale, transpose and invert them, take the adjoint, the determinant and the trace.\n"
    "Lists are saved to and read from plain-text matrix data files.")
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
set(CPACK_STRIP_FILES ON)
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT) # velmor_<version>_<arch>.deb
set(CPACK_DEBIAN_PACKAGE_MAINTAINER "Dravik Software <velmor@dravik.invalid>")
set(CPACK_DEBIAN_PACKAGE_SECTION math)
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
include(CPack)

# The installed tree, checked file by file in a scratch root as the package would lay it out.
add_test(NAME install_tree
    COMMAND ${CMAKE_COMMAND} -DBUILD_DIR=${CMAKE_BINARY_DIR}
            -DROOT=${CMAKE_BINARY_DIR}/install-check -P ${CMAKE_SOURCE_DIR}/cmake/CheckInstall.cmake)
set_tests_properties(install_tree PROPERTIES LABELS install TIMEOUT 120)
