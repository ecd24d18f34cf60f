# The console programs, their C++ runtime, and what `cmake --install` puts where: the programs
# into the binary folder, their manual pages into section 1, the example networks with their
# README and the point-database lister into share/terval, this README into the documentation
# folder, and the windowed program with its manual page, desktop entry and icon.
if(TERVAL_STATIC_RUNTIME AND NOT TERVAL_SANITIZE AND NOT TERVAL_FUZZ)
  foreach(program IN LISTS TERVAL_CONSOLE_PROGRAMS)
    target_link_options(${program} PRIVATE -static-libstdc++ -static-libgcc)
  endforeach()
endif()

install(TARGETS ${TERVAL_CONSOLE_PROGRAMS} RUNTIME DESTINATION ${CMAKE_INSTALL_BINDIR})
install(DIRECTORY examples/ DESTINATION ${CMAKE_INSTALL_DATADIR}/terval/examples)
install(PROGRAMS tools/point_database.py DESTINATION ${CMAKE_INSTALL_DATADIR}/terval)
install(FILES README.md DESTINATION ${CMAKE_INSTALL_DOCDIR})

# One page for each program; the builds of a program share its page under their own names.
set(terval_manual_pages
  "spatial_adjustment/ostrel.1:ostrel vintra ostrel-f ostrel-data ostrel-c"
  "plane_adjustment/planor.1:planor"
  "spatial_deformation/kaspen.1:kaspen"
  "plane_deformation/rudvik.1:rudvik rudvik-h")
foreach(entry IN LISTS terval_manual_pages)
  string(REPLACE ":" ";" entry "${entry}")
  list(GET entry 0 page)
  list(GET entry 1 names)
  string(REPLACE " " ";" names "${names}")
  foreach(name IN LISTS names)
    install(FILES ${page} DESTINATION ${CMAKE_INSTALL_MANDIR}/man1 RENAME ${name}.1)
  endforeach()
endforeach()

if(TERVAL_KAVON)
  install(TARGETS kavon RUNTIME DESTINATION ${CMAKE_INSTALL_BINDIR})
  install(FILES windows_adjustment/kavon.1 DESTINATION ${CMAKE_INSTALL_MANDIR}/man1)
  install(FILES windows_adjustment/kavon.desktop DESTINATION ${CMAKE_INSTALL_DATADIR}/applications)
  install(FILES windows_adjustment/kavon.svg DESTINATION ${CMAKE_INSTALL_DATADIR}/icons/hicolor/scalable/apps)
endif()

if(TERVAL_TESTS)
  add_test(NAME install.prefix_run
           COMMAND bash ${CMAKE_CURRENT_SOURCE_DIR}/cmake/install_test.sh ${CMAKE_BINARY_DIR} ${TERVAL_KAVON}
                   ${TERVAL_CONSOLE_PROGRAMS})
endif()
