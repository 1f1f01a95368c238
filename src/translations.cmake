# The program's translations: every resources/texts/tovalin_<lang>.ts except the
# English catalogue (the texts in the code are English) is compiled into
# <program folder>/translations/tovalin_<lang>.qm, where the program looks for it.
find_package(Qt6 REQUIRED COMPONENTS LinguistTools)
include(GNUInstallDirs)

file(GLOB _tovalin_ts CONFIGURE_DEPENDS ${CMAKE_SOURCE_DIR}/resources/texts/tovalin_*.ts)
list(FILTER _tovalin_ts EXCLUDE REGEX "tovalin_en\\.ts$")
set_source_files_properties(${_tovalin_ts} PROPERTIES OUTPUT_LOCATION ${TOVALIN_BIN_DIR}/translations)
qt_add_lrelease(tovalin TS_FILES ${_tovalin_ts} QM_FILES_OUTPUT_VARIABLE TOVALIN_QM_FILES)
install(FILES ${TOVALIN_QM_FILES} DESTINATION ${CMAKE_INSTALL_DATADIR}/tovalin/translations)
