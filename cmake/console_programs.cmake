# The nine console programs of the suite (each build of a program is one), named once: the
# install rules, the runtime options and the tests that run every program take them from here.
set(TERVAL_CONSOLE_PROGRAMS ostrel vintra ostrel-f ostrel-data ostrel-c planor kaspen rudvik rudvik-h)

# Gives a test program the path of every console program as a definition NAME_PATH (ostrel-f as
# OSTREL_F_PATH), and builds the programs before it.
function(terval_console_program_paths target)
  foreach(program IN LISTS TERVAL_CONSOLE_PROGRAMS)
    string(TOUPPER "${program}" name)
    string(REPLACE "-" "_" name "${name}")
    target_compile_definitions(${target} PRIVATE "${name}_PATH=\"$<TARGET_FILE:${program}>\"")
  endforeach()
  add_dependencies(${target} ${TERVAL_CONSOLE_PROGRAMS})
endfunction()

# Gives a test program the table of the console programs as the definition PROGRAMS: the entries
# {"name", "path"}, separated by commas; and builds the programs before it.
function(terval_console_program_table target)
  set(table "")
  foreach(program IN LISTS TERVAL_CONSOLE_PROGRAMS)
    string(APPEND table "{\"${program}\", \"$<TARGET_FILE:${program}>\"},")
  endforeach()
  target_compile_definitions(${target} PRIVATE "PROGRAMS=${table}")
  add_dependencies(${target} ${TERVAL_CONSOLE_PROGRAMS})
endfunction()
