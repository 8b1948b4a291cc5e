# Delay-import libraries. A program linked against one of these, before the
# ordinary import libraries, loads the DLL the first time it calls into it
# instead of when it starts (the helper is MinGW's __delayLoadHelper2).
# The definitions are taken from the toolchain's own import library, so
# every function it names is covered, with the i686 decorations.
#
# As a script (cmake -P): NM, IMPORT_LIB, DLL and DEF make the .def file.

if(CMAKE_SCRIPT_MODE_FILE)
  execute_process(COMMAND ${NM} ${IMPORT_LIB} OUTPUT_VARIABLE symbols RESULT_VARIABLE failed)
  if(failed)
    message(FATAL_ERROR "${NM} could not read ${IMPORT_LIB}")
  endif()
  string(REGEX MATCHALL " I __imp_[^\r\n]+" imports "${symbols}")
  set(names "")
  foreach(import IN LISTS imports)
    string(REGEX REPLACE "^ I __imp_" "" name "${import}")
    # i686 names carry the C underscore before their @N decoration.
    if(name MATCHES "@[0-9]+$")
      string(REGEX REPLACE "^_" "" name "${name}")
    endif()
    list(APPEND names "${name}")
  endforeach()
  list(REMOVE_DUPLICATES names)
  list(JOIN names "\n" body)
  file(WRITE "${DEF}" "LIBRARY ${DLL}\nEXPORTS\n${body}\n")
  return()
endif()

set(ZRNX_DELAY_IMPORT_SCRIPT ${CMAKE_CURRENT_LIST_FILE})

# Makes lib<dll>_delay.a in the current binary folder and a target that
# builds it; `out_var` receives the library's path.
function(zrnx_delay_import_library out_var dll)
  string(TOLOWER "${dll}" name)
  execute_process(COMMAND ${CMAKE_CXX_COMPILER} -print-file-name=lib${name}.a
                  OUTPUT_VARIABLE import_lib OUTPUT_STRIP_TRAILING_WHITESPACE)
  if(NOT EXISTS "${import_lib}")
    message(FATAL_ERROR "no import library lib${name}.a in the toolchain")
  endif()
  set(def ${CMAKE_CURRENT_BINARY_DIR}/${name}_delay.def)
  set(lib ${CMAKE_CURRENT_BINARY_DIR}/lib${name}_delay.a)
  add_custom_command(OUTPUT ${lib}
    COMMAND ${CMAKE_COMMAND} -DNM=${CMAKE_NM} -DIMPORT_LIB=${import_lib} -DDLL=${name}.dll -DDEF=${def}
            -P ${ZRNX_DELAY_IMPORT_SCRIPT}
    COMMAND ${CMAKE_DLLTOOL} --kill-at --input-def ${def} --dllname ${name}.dll --output-delaylib ${lib}
    DEPENDS ${import_lib} ${ZRNX_DELAY_IMPORT_SCRIPT}
    COMMENT "Delay-import library for ${name}.dll"
    VERBATIM)
  add_custom_target(zrnx_${name}_delay DEPENDS ${lib})
  set(${out_var} ${lib} PARENT_SCOPE)
endfunction()
