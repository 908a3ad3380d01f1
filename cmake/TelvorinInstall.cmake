# Installing on Linux (cmake --install, the Debian package): the tool on PATH,
# the provider, its modules and the stand-in Outlook in a private folder where
# the tool and the provider find them by a path relative to their own, so an
# installed tree needs no build tree and no environment variables; the README,
# the examples and the man pages.

set(private_libraries telvorin_mapi telvorin_mapi_smtp telvorin_mapi_dialog
    telvorin_standin_outlook_module)
install(TARGETS telvorin RUNTIME DESTINATION ${CMAKE_INSTALL_BINDIR})
# Loaded by path, never linked against: no development link.
install(TARGETS ${private_libraries} LIBRARY DESTINATION ${TELVORIN_PRIVATE_LIBDIR} NAMELINK_SKIP)
install(FILES ${CMAKE_LIBRARY_OUTPUT_DIRECTORY}/${TELVORIN_AUTOMATION_REGISTRATION}
        DESTINATION ${TELVORIN_PRIVATE_LIBDIR})

set(docdir ${CMAKE_INSTALL_DATAROOTDIR}/doc/telvorin)
install(FILES README.md DESTINATION ${docdir})
install(FILES docs/send-dialog.png DESTINATION ${docdir}/docs)
install(DIRECTORY examples/ DESTINATION ${docdir}/examples)

# Man pages, from their scdoc sources, compressed as Debian keeps them; the
# date in them is the last commit's, so that two builds give the same pages.
find_program(TELVORIN_SCDOC scdoc)
if(NOT TELVORIN_SCDOC)
  message(STATUS "scdoc missing: the man pages are not built")
  return()
endif()
execute_process(COMMAND git log -1 --format=%ct WORKING_DIRECTORY ${PROJECT_SOURCE_DIR}
                OUTPUT_VARIABLE source_date OUTPUT_STRIP_TRAILING_WHITESPACE ERROR_QUIET)
if(NOT source_date)
  set(source_date 0)
endif()
set(pages)
foreach(page telvorin.1 telvorin-mapi.ini.5)
  set(source ${PROJECT_SOURCE_DIR}/docs/man/${page}.scd)
  set(output ${CMAKE_BINARY_DIR}/man/${page}.gz)
  add_custom_command(OUTPUT ${output}
    COMMAND ${CMAKE_COMMAND} -E make_directory ${CMAKE_BINARY_DIR}/man
    COMMAND sh -c "SOURCE_DATE_EPOCH=${source_date} '${TELVORIN_SCDOC}' < '${source}' | gzip -9n > '${output}'"
    DEPENDS ${source}
    COMMENT "Man page ${page}"
    VERBATIM)
  list(APPEND pages ${output})
  string(REGEX MATCH "[0-9]$" section ${page})
  install(FILES ${output} DESTINATION ${CMAKE_INSTALL_MANDIR}/man${section})
endforeach()
add_custom_target(man_pages ALL DEPENDS ${pages})
