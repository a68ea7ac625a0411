# cmake -DMSGFMT=... -DPO=LANG.po -DMO=ssudomer-cli.mo -P compile_catalogue.cmake
# Compiles a catalogue with msgfmt's checks (the format directives of each translation
# against its message, the header); any error fails the build and leaves no catalogue.
get_filename_component(folder ${MO} DIRECTORY)
file(MAKE_DIRECTORY ${folder})
execute_process(
  COMMAND ${MSGFMT} --check --statistics --output-file=${MO} ${PO}
  RESULT_VARIABLE status
  ERROR_VARIABLE report)
if(NOT status EQUAL 0)
  file(REMOVE ${MO})
  message(FATAL_ERROR "msgfmt refused ${PO}:\n${report}")
endif()
