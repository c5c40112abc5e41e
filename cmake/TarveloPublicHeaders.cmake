# The public interface of the library: the headers a host includes, installed
# under include/tarvelo/ as they lie in the source tree, so that they include
# one another as they do here. They hold the page contract and the control
# model a page is made of, the host objects a host implements, the settings
# objects, the page registry and the settings window. Every other header is
# private: it is not installed, and the library exports no symbol of it.
set(TARVELO_PUBLIC_HEADERS
  # the page contract and the page registry
  framework/page/SettingsPage.h
  framework/page/Bindings.h
  framework/page/RowLayout.h
  framework/page/PageRegistry.h
  framework/page/SettingPresentation.h
  pages/AllPages.h
  # the control model pages and dialogs are made of
  framework/forms/AddressControl.h
  framework/forms/CheckBox.h
  framework/forms/Colour.h
  framework/forms/ContainerLayout.h
  framework/forms/ComboBox.h
  framework/forms/CommandButton.h
  framework/forms/Control.h
  framework/forms/Dialog.h
  framework/forms/EmbeddedForm.h
  framework/forms/Event.h
  framework/forms/Font.h
  framework/forms/Form.h
  framework/forms/Frame.h
  framework/forms/Image.h
  framework/forms/Label.h
  framework/forms/Line.h
  framework/forms/ListBox.h
  framework/forms/ListView.h
  framework/forms/ProgressBar.h
  framework/forms/RowKeys.h
  framework/forms/TextBox.h
  framework/forms/UserControl.h
  framework/forms/YesNo.h
  # guarded procedures and their error report
  framework/errors/ErrorReport.h
  framework/errors/Procedures.h
  framework/errors/ReportTexts.h
  framework/errors/RuntimeError.h
  # the host objects a host implements, and the services it hands the pages
  framework/host/Advies.h
  framework/host/AdviserRecords.h
  framework/host/Application.h
  framework/host/ChangeEntry.h
  framework/host/ComponentFactory.h
  framework/host/Connection.h
  framework/host/Database.h
  framework/host/Maatschappij.h
  framework/host/OfficeChange.h
  framework/host/ProcedureTrace.h
  framework/host/SettingsHost.h
  framework/listsort/ListSortState.h
  framework/registry/Registry.h
  framework/registry/RegistryNames.h
  framework/registry/RegistryStore.h
  framework/status/StatusReporter.h
  framework/ui/Ui.h
  framework/ui/ScriptedUi.h
  # the settings objects, Setup and GlobalSetup, and their blocks
  framework/host/Settings.h
  framework/host/SettingsObject.h
  framework/settings/AbonnementSettings.h
  framework/settings/AdviceTextSettings.h
  framework/settings/AutorisatieSettings.h
  framework/settings/AutosaveSettings.h
  framework/settings/CalculationSettings.h
  framework/settings/ClientProfileSettings.h
  framework/settings/CompanyChoiceSettings.h
  framework/settings/CurrentAdviserSettings.h
  framework/settings/DocumentSettings.h
  framework/settings/FdnSettings.h
  framework/settings/HdnSettings.h
  framework/settings/HerinneringSettings.h
  framework/settings/HouseStyleSettings.h
  framework/settings/ImportExportSettings.h
  framework/settings/InkoopcombinatieSettings.h
  framework/settings/IntegrationSettings.h
  framework/settings/MaintenanceSettings.h
  framework/settings/NotarisSettings.h
  framework/settings/OfficeSettings.h
  framework/settings/OnderwerpenSettings.h
  framework/settings/OnlineInventorySettings.h
  framework/settings/OverviewSettings.h
  framework/settings/ProxySettings.h
  framework/settings/RecordList.h
  framework/settings/SearchScreenSettings.h
  framework/settings/TariefSettings.h
  framework/settings/UpdateSettings.h
  # building blocks of a host's office database: the connection over Qt Sql
  # and the tables the pages read and write
  host/database/SqlConnection.h
  host/office/OfficeSchema.h
  # the settings window and the Ui of a Qt Widgets program
  app/HostSettingsWindow.h
  app/QtUi.h
)

# Writes a linker version script that exports what the public headers declare
# and makes every other symbol local: the classes and structs declared at
# namespace scope (their members, type information, virtual tables and
# thunks; not the types inside them, such as the lambdas of their templates
# instantiated for private pages), the functions declared there, and the
# namespaces inside tarvelo.
function(tarvelo_write_export_map output)
  set(patterns "")
  foreach(header IN LISTS TARVELO_PUBLIC_HEADERS)
    file(READ "${CMAKE_SOURCE_DIR}/${header}" text)
    # A semicolon would split CMake's lists: it is read as ` here. One empty
    # line between lines, so that each match may take its line's end.
    string(REPLACE ";" "`" text "${text}")
    string(REPLACE "\n" "\n\n" text "\n${text}")
    string(REGEX MATCHALL "\n(class|struct)[ \t]+[A-Za-z_][A-Za-z0-9_]*[^`\n]*\n" heads "${text}")
    foreach(head IN LISTS heads)
      string(REGEX REPLACE "^\n(class|struct)[ \t]+([A-Za-z_][A-Za-z0-9_]*).*" "\\2" name "${head}")
      list(APPEND patterns
        "tarvelo::${name}::*" "typeinfo?for?tarvelo::${name}" "typeinfo?name?for?tarvelo::${name}"
        "vtable?for?tarvelo::${name}" "VTT?for?tarvelo::${name}"
        "non-virtual?thunk?to?tarvelo::${name}::*" "virtual?thunk?to?tarvelo::${name}::*")
    endforeach()
    string(REGEX MATCHALL "\nnamespace[ \t]+[A-Za-z_][A-Za-z0-9_:]*[ \t]*{" spaces "${text}")
    foreach(space IN LISTS spaces)
      string(REGEX REPLACE "^\nnamespace[ \t]+([A-Za-z0-9_:]*).*" "\\1" name "${space}")
      string(REGEX REPLACE "^tarvelo(::)?" "" name "${name}")
      if(name)
        list(APPEND patterns "tarvelo::${name}::*" "typeinfo?for?tarvelo::${name}::*"
             "typeinfo?name?for?tarvelo::${name}::*" "vtable?for?tarvelo::${name}::*")
      endif()
    endforeach()
    string(REGEX MATCHALL "\n[A-Za-z_][^`\n(]*[ *&][A-Za-z_][A-Za-z0-9_]*\\([^`\n]*\\)`\n" functions "${text}")
    foreach(function IN LISTS functions)
      if(function MATCHES "^\n(inline|template|using|typedef|return|friend|static|class|struct|enum|Q_)")
        continue()
      endif()
      string(REGEX REPLACE "^\n[^`\n(]*[ *&]([A-Za-z_][A-Za-z0-9_]*)\\(.*" "\\1" name "${function}")
      list(APPEND patterns "tarvelo::${name}?*")
    endforeach()
  endforeach()
  list(REMOVE_DUPLICATES patterns)
  list(JOIN patterns ";\n      " lines)
  file(CONFIGURE OUTPUT "${output}" CONTENT "{\n  global:\n    extern \"C++\" {\n      @lines@;\n    };\n  local: *;\n};\n" @ONLY)
endfunction()
