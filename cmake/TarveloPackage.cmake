# The Debian packages, made with CPack from the install rules:
#   tarvelo-instellingen          the program an office installs, with its
#                                 desktop entry, icon, AppStream metadata, man
#                                 page, bash completion and /etc/tarvelo
#   libtarveloinstellingen1       the shared library a host loads
#   libtarveloinstellingen-dev    the public headers, the CMake package, the
#                                 pkg-config file and the example host
# The packages' own dependencies are found by dpkg-shlibdeps; what is loaded
# at run time (Qt's database drivers and platform plugins) is named here.
set(TARVELO_PACKAGE_CONTACT "Tarvelo-ontwikkelaars <ontwikkelaars@tarvelo.invalid>"
  CACHE STRING "Maintainer of the Debian packages")

set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGE_NAME tarvelo-instellingen)
set(CPACK_PACKAGE_VENDOR Tarvelo)
set(CPACK_PACKAGE_VERSION ${PROJECT_VERSION})
set(CPACK_PACKAGING_INSTALL_PREFIX ${CMAKE_INSTALL_PREFIX})
set(CPACK_PACKAGE_CONTACT ${TARVELO_PACKAGE_CONTACT})
set(CPACK_STRIP_FILES ON)
set(CPACK_COMPONENTS_ALL programma bibliotheek ontwikkeling)
set(CPACK_DEB_COMPONENT_INSTALL ON)
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_RELEASE 1)
set(CPACK_DEBIAN_COMPRESSION_TYPE xz)
set(CPACK_DEBIAN_PACKAGE_PRIORITY optional)
set(CPACK_DEBIAN_ENABLE_COMPONENT_DEPENDS ON)
# A shlibs file, so that dpkg-shlibdeps finds the library package for a host
# built against it. CPack knows no per-package form of this; only the library
# package holds a shared object with a SONAME.
set(CPACK_DEBIAN_PACKAGE_GENERATE_SHLIBS ON)
set(CPACK_DEBIAN_PACKAGE_GENERATE_SHLIBS_POLICY ">=")

set(CPACK_DEBIAN_PROGRAMMA_PACKAGE_NAME tarvelo-instellingen)
set(CPACK_DEBIAN_PROGRAMMA_PACKAGE_SECTION misc)
set(CPACK_DEBIAN_PROGRAMMA_PACKAGE_SHLIBDEPS ON)
set(CPACK_DEBIAN_PROGRAMMA_PACKAGE_DEPENDS "libqt6sql6-sqlite, qt6-qpa-plugins")
# The program links the library of this build: dpkg-shlibdeps finds it here,
# and the program depends on that same version of its package.
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS_PRIVATE_DIRS ${CMAKE_BINARY_DIR})
set(CPACK_COMPONENT_PROGRAMMA_DEPENDS bibliotheek)
set(CPACK_DEBIAN_PROGRAMMA_PACKAGE_RECOMMENDS "libqt6sql6-psql, qt6-translations-l10n, fonts-dejavu-core")
set(CPACK_DEBIAN_PROGRAMMA_PACKAGE_SUGGESTS "bash-completion")
configure_file(packaging/postrm.in ${CMAKE_BINARY_DIR}/debian/postrm @ONLY
  FILE_PERMISSIONS OWNER_READ OWNER_WRITE OWNER_EXECUTE GROUP_READ GROUP_EXECUTE WORLD_READ WORLD_EXECUTE)
set(CPACK_DEBIAN_PROGRAMMA_PACKAGE_CONTROL_EXTRA ${CMAKE_BINARY_DIR}/debian/postrm)
set(CPACK_DEBIAN_PACKAGE_CONTROL_STRICT_PERMISSION ON)
set(CPACK_COMPONENT_PROGRAMMA_DESCRIPTION "Instellingen van Quenmarix voor het advieskantoor
Het instellingenvenster van het hypotheekadviesprogramma Quenmarix: de
huisstijl, de kantoorgegevens, de databases en de HDN-berichten, de adviseurs
en hun rechten, de maatschappijen en agentnummers, de adviesrapporten, de
eigen lijsten van het kantoor en de koppelingen met andere diensten.

Met de opdracht tarvelo-instellingen wijzigt, vergrendelt, exporteert en
importeert de beheerder instellingen zonder venster, met dezelfde controles
en wijzigingsgeschiedenis. De beheerder zet instellingen vast voor iedereen
op de computer in /etc/tarvelo.")

set(CPACK_DEBIAN_BIBLIOTHEEK_PACKAGE_NAME ${TARVELO_LIBRARY_PACKAGE})
set(CPACK_DEBIAN_BIBLIOTHEEK_PACKAGE_SECTION libs)
set(CPACK_DEBIAN_BIBLIOTHEEK_PACKAGE_SHLIBDEPS ON)
set(CPACK_DEBIAN_BIBLIOTHEEK_PACKAGE_RECOMMENDS "libqt6sql6-sqlite, qt6-qpa-plugins")
set(CPACK_DEBIAN_BIBLIOTHEEK_PACKAGE_SUGGESTS "libqt6sql6-psql, qt6-translations-l10n")
set(CPACK_COMPONENT_BIBLIOTHEEK_DESCRIPTION "Instellingenbibliotheek van Quenmarix
De gedeelde bibliotheek met de instellingenpagina's, de dialoogvensters en het
instellingenvenster van Quenmarix, die een hostprogramma in zich opneemt.")

set(CPACK_DEBIAN_ONTWIKKELING_PACKAGE_NAME ${TARVELO_DEV_PACKAGE})
set(CPACK_DEBIAN_ONTWIKKELING_PACKAGE_SECTION libdevel)
set(CPACK_COMPONENT_ONTWIKKELING_DEPENDS bibliotheek)
set(CPACK_DEBIAN_ONTWIKKELING_PACKAGE_DEPENDS "qt6-base-dev, libgl-dev")
set(CPACK_DEBIAN_ONTWIKKELING_PACKAGE_RECOMMENDS "cmake, pkg-config")
set(CPACK_COMPONENT_ONTWIKKELING_DESCRIPTION "Instellingenbibliotheek van Quenmarix - ontwikkelbestanden
De openbare headers onder /usr/include/tarvelo (het paginacontract, de
hostobjecten die een host invult, het paginaregister en het
instellingenvenster), het CMake-pakket TarveloInstellingen met het doel
Tarvelo::Instellingen, het pkg-config-bestand tarvelo-instellingen en een
voorbeeldhost om over te nemen.")

# Every package names its copyright and its changes where Debian looks.
foreach(component IN ITEMS programma bibliotheek ontwikkeling)
  string(TOUPPER ${component} upper)
  set(doc ${CMAKE_INSTALL_DATAROOTDIR}/doc/${CPACK_DEBIAN_${upper}_PACKAGE_NAME})
  install(FILES packaging/copyright DESTINATION ${doc} COMPONENT ${component})
  install(FILES ${CMAKE_BINARY_DIR}/debian/changelog.Debian.gz DESTINATION ${doc} COMPONENT ${component})
endforeach()
add_custom_command(OUTPUT ${CMAKE_BINARY_DIR}/debian/changelog.Debian.gz
  COMMAND sh -c "gzip -9n -c \"$1\" > \"$2\"" sh ${CMAKE_SOURCE_DIR}/packaging/changelog
          ${CMAKE_BINARY_DIR}/debian/changelog.Debian.gz
  DEPENDS packaging/changelog
  VERBATIM)
add_custom_target(tarvelo_changelog ALL DEPENDS ${CMAKE_BINARY_DIR}/debian/changelog.Debian.gz)

# What CPack cannot say itself (cmake/TarveloDebianFinish.cmake): the ldconfig
# trigger, the true installed size and the symbols file.
set(TARVELO_SYMBOLS_FILE ${CMAKE_SOURCE_DIR}/packaging/${TARVELO_LIBRARY_PACKAGE}.symbols)
configure_file(cmake/TarveloDebianFinish.cmake ${CMAKE_BINARY_DIR}/TarveloDebianFinish.cmake @ONLY)
set(CPACK_POST_BUILD_SCRIPTS ${CMAKE_BINARY_DIR}/TarveloDebianFinish.cmake)

include(CPack)
