# The console programs, their C++ runtime, and what `cmake --install` puts where: the programs
# into the binary folder, the example networks with their README into share/terval/examples,
# and the windowed program with its desktop entry.
set(TERVAL_CONSOLE_PROGRAMS ostrel vintra ostrel-f ostrel-data ostrel-c planor kaspen rudvik rudvik-h)

if(TERVAL_STATIC_RUNTIME AND NOT TERVAL_SANITIZE AND NOT TERVAL_FUZZ)
  foreach(program IN LISTS TERVAL_CONSOLE_PROGRAMS)
    target_link_options(${program} PRIVATE -static-libstdc++ -static-libgcc)
  endforeach()
endif()

install(TARGETS ${TERVAL_CONSOLE_PROGRAMS} RUNTIME DESTINATION ${CMAKE_INSTALL_BINDIR})
install(DIRECTORY examples/ DESTINATION ${CMAKE_INSTALL_DATADIR}/terval/examples)
if(TERVAL_KAVON)
  install(TARGETS kavon RUNTIME DESTINATION ${CMAKE_INSTALL_BINDIR})
  install(FILES windows_adjustment/kavon.desktop DESTINATION ${CMAKE_INSTALL_DATADIR}/applications)
endif()

if(TERVAL_TESTS)
  add_test(NAME install.prefix_run
           COMMAND bash ${CMAKE_CURRENT_SOURCE_DIR}/cmake/install_test.sh ${CMAKE_BINARY_DIR} ${TERVAL_KAVON})
endif()
