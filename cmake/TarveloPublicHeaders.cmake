# The public interface of the library: the headers a host includes, installed
# under include/tarvelo/ as they lie in the source tree and included as
# <tarvelo/framework/page/SettingsPage.h> (cmake/TarveloHeaderCopies.cmake).
# They hold the page contract and the control
# model a page is made of, the host objects a host implements, the settings
# objects, the page registry and the settings window. Every other header is
# private: it is not installed. The library exports what these headers mark
# TARVELO_EXPORT; a class or function without the mark stays inside it.
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
  framework/host/HostFunctions.h
  framework/host/Connection.h
  framework/host/Database.h
  framework/host/Maatschappij.h
  framework/host/OfficeChange.h
  framework/host/OfficeTables.h
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
  # the file-based registry store: one hive in one file
  host/registry/SqliteRegistryStore.h
  # the settings window and the Ui of a Qt Widgets program
  app/HostSettingsWindow.h
  app/QtUi.h
)
