# What an office's desktop and shell know of the program: its desktop entry
# and icon, its AppStream metadata, a man page made from its --help, and bash
# completion of its commands, settings and pages. The machine's folder of the
# product, where the program keeps the machine hive, comes with it.
set(TARVELO_APP_ID nl.tarvelo.Instellingen)
set(TARVELO_MACHINE_FOLDER ${CMAKE_INSTALL_FULL_SYSCONFDIR}/tarvelo)
string(TIMESTAMP TARVELO_RELEASE_DATE "%Y-%m-%d" UTC)

install(TARGETS tarvelo-instellingen RUNTIME DESTINATION ${CMAKE_INSTALL_BINDIR} COMPONENT programma)
install(DIRECTORY DESTINATION ${TARVELO_MACHINE_FOLDER} COMPONENT programma)
install(FILES packaging/${TARVELO_APP_ID}.desktop
  DESTINATION ${CMAKE_INSTALL_DATAROOTDIR}/applications COMPONENT programma)
install(FILES packaging/${TARVELO_APP_ID}.svg
  DESTINATION ${CMAKE_INSTALL_DATAROOTDIR}/icons/hicolor/scalable/apps COMPONENT programma)
configure_file(packaging/${TARVELO_APP_ID}.metainfo.xml.in ${CMAKE_BINARY_DIR}/${TARVELO_APP_ID}.metainfo.xml @ONLY)
install(FILES ${CMAKE_BINARY_DIR}/${TARVELO_APP_ID}.metainfo.xml
  DESTINATION ${CMAKE_INSTALL_DATAROOTDIR}/metainfo COMPONENT programma)

# The man page says what --help says.
add_executable(tarvelo_help_to_man tools/HelpToMan.cpp)
target_link_libraries(tarvelo_help_to_man PRIVATE Qt6::Core)
set(TARVELO_MAN_PAGE ${CMAKE_BINARY_DIR}/tarvelo-instellingen.1)
add_custom_command(OUTPUT ${TARVELO_MAN_PAGE}.gz
  COMMAND tarvelo_help_to_man $<TARGET_FILE:tarvelo-instellingen> ${TARVELO_MAN_PAGE}
          ${PROJECT_VERSION} ${TARVELO_RELEASE_DATE} ${TARVELO_MACHINE_FOLDER}
  COMMAND sh -c "gzip -9n -c \"$1\" > \"$1.gz\"" sh ${TARVELO_MAN_PAGE}
  DEPENDS tarvelo_help_to_man tarvelo-instellingen
  COMMENT "Man-pagina uit tarvelo-instellingen --help"
  VERBATIM)

# The completion knows the settings and pages as the library declares them.
add_executable(tarvelo_completion_words tools/CompletionWords.cpp)
target_link_libraries(tarvelo_completion_words PRIVATE tarvelo_library)
set(TARVELO_COMPLETION ${CMAKE_BINARY_DIR}/completion/tarvelo-instellingen)
add_custom_command(OUTPUT ${TARVELO_COMPLETION}
  COMMAND ${CMAKE_COMMAND} -E make_directory ${CMAKE_BINARY_DIR}/completion
  COMMAND tarvelo_completion_words ${CMAKE_SOURCE_DIR}/packaging/tarvelo-instellingen.bash.in ${TARVELO_COMPLETION}
  DEPENDS tarvelo_completion_words packaging/tarvelo-instellingen.bash.in
  COMMENT "Voltooiing voor bash met de namen van de instellingen"
  VERBATIM)

add_custom_target(tarvelo_documents ALL DEPENDS ${TARVELO_MAN_PAGE}.gz ${TARVELO_COMPLETION})
install(FILES ${TARVELO_MAN_PAGE}.gz DESTINATION ${CMAKE_INSTALL_MANDIR}/man1 COMPONENT programma)
install(FILES ${TARVELO_COMPLETION}
  DESTINATION ${CMAKE_INSTALL_DATAROOTDIR}/bash-completion/completions COMPONENT programma)
