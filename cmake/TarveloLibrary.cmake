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
  LINK_DEPENDS ${CMAKE_SOURCE_DIR}/cmake/TarveloInstellingen.map)
target_link_options(tarvelo_library PRIVATE "LINKER:--no-undefined" "LINKER:--as-needed"
  "LINKER:--version-script=${CMAKE_SOURCE_DIR}/cmake/TarveloInstellingen.map")
target_link_libraries(tarvelo_library
  PUBLIC Qt6::Core Qt6::Gui Qt6::Widgets Qt6::Sql
  PRIVATE Qt6::Network pugixml::pugixml PkgConfig::SQLITE3 PkgConfig::SODIUM PkgConfig::SECRET ${CMAKE_DL_LIBS})
# The headers say concepts and designated initialisers: a host compiles as C++20 too.
target_compile_features(tarvelo_library PUBLIC cxx_std_20)

# What the compiler exports: the classes and functions of the public headers
# marked TARVELO_EXPORT (TarveloExport.h); every layer is compiled with
# hidden visibility, so nothing else leaves the library. The version header
# and the deprecation macros come with it.
include(GenerateExportHeader)
set(TARVELO_GENERATED ${CMAKE_BINARY_DIR}/generated)
configure_file(cmake/TarveloVersion.h.in ${TARVELO_GENERATED}/TarveloVersion.h @ONLY)
file(READ cmake/TarveloExportExtra.h.in TARVELO_EXPORT_EXTRA)
generate_export_header(tarvelo_library BASE_NAME TARVELO
  EXPORT_FILE_NAME ${TARVELO_GENERATED}/TarveloExport.h
  CUSTOM_CONTENT_FROM_VARIABLE TARVELO_EXPORT_EXTRA)
set_property(DIRECTORY APPEND PROPERTY CMAKE_CONFIGURE_DEPENDS cmake/TarveloExportExtra.h.in)

# The headers as a host includes them: copies under include/tarvelo/ that
# include one another as <tarvelo/...> (cmake/TarveloHeaderCopies.cmake).
set(TARVELO_GENERATED_HEADERS TarveloExport.h TarveloVersion.h)
set(TARVELO_HEADER_COPIES ${CMAKE_BINARY_DIR}/include)
set(copies "")
foreach(header IN LISTS TARVELO_PUBLIC_HEADERS TARVELO_GENERATED_HEADERS)
  list(APPEND copies ${TARVELO_HEADER_COPIES}/tarvelo/${header})
endforeach()
list(TRANSFORM TARVELO_GENERATED_HEADERS PREPEND ${TARVELO_GENERATED}/ OUTPUT_VARIABLE generated_paths)
string(REPLACE ";" "|" header_list "${TARVELO_PUBLIC_HEADERS}")
string(REPLACE ";" "|" generated_list "${TARVELO_GENERATED_HEADERS}")
add_custom_command(OUTPUT ${copies}
  COMMAND ${CMAKE_COMMAND} -DSOURCE=${CMAKE_SOURCE_DIR} -DGENERATED=${TARVELO_GENERATED}
          -DOUTPUT=${TARVELO_HEADER_COPIES} "-DHEADERS=${header_list}" "-DGENERATED_HEADERS=${generated_list}"
          -P ${CMAKE_SOURCE_DIR}/cmake/TarveloHeaderCopies.cmake
  DEPENDS ${TARVELO_PUBLIC_HEADERS} ${generated_paths} cmake/TarveloHeaderCopies.cmake
  COMMENT "Openbare headers zoals een host ze insluit"
  VERBATIM)
add_custom_target(tarvelo_header_copies ALL DEPENDS ${copies})
add_dependencies(tarvelo_library tarvelo_header_copies)
target_include_directories(tarvelo_library INTERFACE
  $<BUILD_INTERFACE:${TARVELO_HEADER_COPIES}> $<INSTALL_INTERFACE:${CMAKE_INSTALL_INCLUDEDIR}>)

set(TARVELO_CMAKE_DIR ${CMAKE_INSTALL_LIBDIR}/cmake/TarveloInstellingen)
install(TARGETS tarvelo_library EXPORT TarveloInstellingenTargets
  LIBRARY DESTINATION ${CMAKE_INSTALL_LIBDIR} COMPONENT bibliotheek NAMELINK_COMPONENT ontwikkeling)
install(DIRECTORY ${TARVELO_HEADER_COPIES}/tarvelo DESTINATION ${CMAKE_INSTALL_INCLUDEDIR}
  COMPONENT ontwikkeling)
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

# What a host's developer reads: the shape of the library and its host part.
install(FILES docs/ARCHITECTURE.md
  DESTINATION ${CMAKE_INSTALL_DATAROOTDIR}/doc/${TARVELO_DEV_PACKAGE} COMPONENT ontwikkeling)
# What a host's developer copies: the example host, beside the headers.
install(DIRECTORY examples/minimal-host
  DESTINATION ${CMAKE_INSTALL_DATAROOTDIR}/doc/${TARVELO_DEV_PACKAGE}/examples COMPONENT ontwikkeling)
