# cmake -DXGETTEXT=... -DSOURCE_DIR=... -DVERSION=... -DOUTPUT=file.pot -P extract_messages.cmake
# Extracts the command line's messages: the English texts given to Tr(), those given to
# Format() being C format strings ("%s", "%1$s"). Used by the target ssudomer-cli-messages
# and by the test that the catalogues cover the code.
file(GLOB sources RELATIVE ${SOURCE_DIR} ${SOURCE_DIR}/src/cli/*.cpp)
list(SORT sources)
execute_process(
  COMMAND ${XGETTEXT} --language=C++ --from-code=UTF-8 --keyword= --keyword=Tr
          --flag=Format:1:c-format --add-comments=Translators: --add-location=file
          --package-name=ssudomer-cli --package-version=${VERSION}
          --msgid-bugs-address=dev@ssudomer.ru --output=${OUTPUT} ${sources}
  WORKING_DIRECTORY ${SOURCE_DIR}
  RESULT_VARIABLE status
  ERROR_VARIABLE report)
if(NOT status EQUAL 0)
  message(FATAL_ERROR "xgettext failed:\n${report}")
endif()
