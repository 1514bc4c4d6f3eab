# Installation layout and the Debian package (`make package`, CPack).
#
# The executables live together in lib/vestrel/ with the default Vestrel.ini, which both
# of them read from the folder of the running executable; bin/ holds symbolic links to
# them. The desktop entry, icon and MIME type let a file manager open .prg sources in
# the workbench; the man pages, the manual and the examples go to share/.
set(VESTREL_PROGRAM_DIR lib/vestrel)
set(VESTREL_DOC_DIR share/doc/vestrel)

set(vestrel_programs vestrelc)
if(TARGET vestrel)
  list(APPEND vestrel_programs vestrel)
endif()
if(TARGET vestrel-lsp)
  list(APPEND vestrel_programs vestrel-lsp)
endif()
install(TARGETS ${vestrel_programs} RUNTIME DESTINATION ${VESTREL_PROGRAM_DIR})
install(FILES ${PROJECT_SOURCE_DIR}/packaging/Vestrel.ini DESTINATION ${VESTREL_PROGRAM_DIR})
foreach(program IN LISTS vestrel_programs)
  install(CODE "
    set(bin \"\$ENV{DESTDIR}\${CMAKE_INSTALL_PREFIX}/bin\")
    file(MAKE_DIRECTORY \"\${bin}\")
    file(CREATE_LINK ../${VESTREL_PROGRAM_DIR}/${program} \"\${bin}/${program}\" SYMBOLIC)")
endforeach()

# Man pages, with the version of this build, compressed as Debian keeps them.
string(TIMESTAMP VESTREL_MAN_DATE "%Y-%m-%d" UTC)
set(vestrel_man_pages vestrelc)
if(TARGET vestrel)
  list(APPEND vestrel_man_pages vestrel)
endif()
set(vestrel_man_files)
foreach(page IN LISTS vestrel_man_pages)
  configure_file(${PROJECT_SOURCE_DIR}/docs/man/${page}.1.in ${CMAKE_BINARY_DIR}/man/${page}.1 @ONLY)
  add_custom_command(OUTPUT ${CMAKE_BINARY_DIR}/man/${page}.1.gz
    COMMAND gzip -9nkf ${CMAKE_BINARY_DIR}/man/${page}.1
    DEPENDS ${CMAKE_BINARY_DIR}/man/${page}.1
    COMMENT "Compressing the man page ${page}(1)")
  list(APPEND vestrel_man_files ${CMAKE_BINARY_DIR}/man/${page}.1.gz)
endforeach()
add_custom_target(vestrel_man_pages ALL DEPENDS ${vestrel_man_files})
install(FILES ${vestrel_man_files} DESTINATION share/man/man1)

if(TARGET vestrel)
  install(FILES ${PROJECT_SOURCE_DIR}/packaging/vestrel.desktop DESTINATION share/applications)
  install(FILES ${PROJECT_SOURCE_DIR}/packaging/vestrel.svg DESTINATION share/icons/hicolor/scalable/apps)
  install(FILES ${PROJECT_SOURCE_DIR}/packaging/vestrel-mime.xml DESTINATION share/mime/packages RENAME vestrel.xml)
endif()
install(DIRECTORY ${PROJECT_SOURCE_DIR}/docs/manual/ DESTINATION ${VESTREL_DOC_DIR}/manual)
install(DIRECTORY ${PROJECT_SOURCE_DIR}/examples/ DESTINATION ${VESTREL_DOC_DIR}/examples)
install(FILES ${PROJECT_SOURCE_DIR}/README.md DESTINATION ${VESTREL_DOC_DIR})

set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGE_NAME vestrel)
set(CPACK_PACKAGE_VERSION ${PROJECT_VERSION})
set(CPACK_PACKAGE_VENDOR "Vestrel")
set(CPACK_PACKAGE_CONTACT "Vestrel developers <vestrel@localhost>")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "Korvel to Dravo IL translator and workbench")
set(CPACK_PACKAGE_DESCRIPTION
  "Translates programs of the Korvel controller language into Dravo IL projects.\nThe package holds the Qt workbench vestrel, the command-line translator vestrelc,\ntheir man pages and the user manual (in Russian).")
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
set(CPACK_STRIP_FILES ON)
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_SECTION devel)
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
set(CPACK_DEBIAN_PACKAGE_RECOMMENDS "shared-mime-info, desktop-file-utils")
set(CPACK_OUTPUT_FILE_PREFIX ${CMAKE_BINARY_DIR}/package)
include(CPack)
