# The library a host embeds: one shared library made of the objects of the
# layers the tests and the program link, with a versioned SONAME. It exports
# only what the public headers declare (cmake/TarveloPublicHeaders.cmake);
# find_package(TarveloInstellingen) gives Tarvelo::Instellingen, and
# pkg-config knows it as tarvelo-instellingen.
include(cmake/TarveloPublicHeaders.cmake)
include(CMakePackageConfigHelpers)

# The Debian packages of the library, named after its SONAME as Debian names them.
set(TARVELO_LIBRARY_PACKAGE libtarveloinstellingen${PROJECT_VERSION_MAJOR})
set(TARVELO_DEV_PACKAGE libtarveloinstellingen-dev)

set(TARVELO_EXPORT_MAP ${CMAKE_BINARY_DIR}/TarveloInstellingen.map)
tarvelo_write_export_map(${TARVELO_EXPORT_MAP})
# The map follows the public headers.
set_property(DIRECTORY APPEND PROPERTY CMAKE_CONFIGURE_DEPENDS ${TARVELO_PUBLIC_HEADERS})

add_library(tarvelo_library SHARED
  $<TARGET_OBJECTS:tarvelo_framework> $<TARGET_OBJECTS:tarvelo_pages>
  $<TARGET_OBJECTS:tarvelo_host> $<TARGET_OBJECTS:tarvelo_app>)
add_library(Tarvelo::Instellingen ALIAS tarvelo_library)
# The host layer's pictures are compiled into objects of their own.
foreach(resources ${tarvelo_host_resources})
  target_sources(tarvelo_library PRIVATE $<TARGET_OBJECTS:${resources}>)
endforeach()
set_target_properties(tarvelo_library PROPERTIES
  OUTPUT_NAME TarveloInstellingen
  EXPORT_NAME Instellingen
  VERSION ${PROJECT_VERSION}
  SOVERSION ${PROJECT_VERSION_MAJOR}
  LINKER_LANGUAGE CXX
  LINK_DEPENDS ${TARVELO_EXPORT_MAP})
target_link_options(tarvelo_library PRIVATE
  "LINKER:--version-script=${TARVELO_EXPORT_MAP}" "LINKER:--no-undefined" "LINKER:--as-needed")
target_link_libraries(tarvelo_library
  PUBLIC Qt6::Core Qt6::Gui Qt6::Widgets Qt6::Sql Qt6::Network
  PRIVATE pugixml::pugixml PkgConfig::SQLITE3 PkgConfig::SODIUM PkgConfig::LIBPQ)
# The headers say concepts and designated initialisers: a host compiles as C++20 too.
target_compile_features(tarvelo_library PUBLIC cxx_std_20)
target_sources(tarvelo_library PUBLIC
  FILE_SET HEADERS BASE_DIRS ${CMAKE_SOURCE_DIR} FILES ${TARVELO_PUBLIC_HEADERS})

set(TARVELO_CMAKE_DIR ${CMAKE_INSTALL_LIBDIR}/cmake/TarveloInstellingen)
install(TARGETS tarvelo_library EXPORT TarveloInstellingenTargets
  LIBRARY DESTINATION ${CMAKE_INSTALL_LIBDIR} COMPONENT bibliotheek NAMELINK_COMPONENT ontwikkeling
  FILE_SET HEADERS DESTINATION ${CMAKE_INSTALL_INCLUDEDIR}/tarvelo COMPONENT ontwikkeling)
install(EXPORT TarveloInstellingenTargets NAMESPACE Tarvelo:: DESTINATION ${TARVELO_CMAKE_DIR}
  COMPONENT ontwikkeling)
configure_package_config_file(cmake/TarveloInstellingenConfig.cmake.in
  ${CMAKE_BINARY_DIR}/TarveloInstellingenConfig.cmake INSTALL_DESTINATION ${TARVELO_CMAKE_DIR})
write_basic_package_version_file(${CMAKE_BINARY_DIR}/TarveloInstellingenConfigVersion.cmake
  COMPATIBILITY SameMajorVersion)
install(FILES ${CMAKE_BINARY_DIR}/TarveloInstellingenConfig.cmake
              ${CMAKE_BINARY_DIR}/TarveloInstellingenConfigVersion.cmake
  DESTINATION ${TARVELO_CMAKE_DIR} COMPONENT ontwikkeling)

# The .pc file names its folders relative to its own place, so that an
# unpacked package works where it lies.
file(RELATIVE_PATH TARVELO_PC_TO_PREFIX
  ${CMAKE_INSTALL_FULL_LIBDIR}/pkgconfig ${CMAKE_INSTALL_PREFIX})
configure_file(cmake/tarvelo-instellingen.pc.in ${CMAKE_BINARY_DIR}/tarvelo-instellingen.pc @ONLY)
install(FILES ${CMAKE_BINARY_DIR}/tarvelo-instellingen.pc
  DESTINATION ${CMAKE_INSTALL_LIBDIR}/pkgconfig COMPONENT ontwikkeling)

# What a host's developer copies: the example host, beside the headers.
install(DIRECTORY examples/minimal-host
  DESTINATION ${CMAKE_INSTALL_DATAROOTDIR}/doc/${TARVELO_DEV_PACKAGE}/examples COMPONENT ontwikkeling)
