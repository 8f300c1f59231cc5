# Stages the help sources, converts the project files to CP932 and runs chmcmd.
# Called by help/CMakeLists.txt with SOURCE_DIR, STAGE_DIR, CHMCMD, ICONV, OUTPUT.
file(REMOVE_RECURSE ${STAGE_DIR})
file(MAKE_DIRECTORY ${STAGE_DIR})
file(COPY ${SOURCE_DIR}/html DESTINATION ${STAGE_DIR})
foreach(name rovenza.hhp rovenza.hhc rovenza.hhk)
  execute_process(COMMAND ${ICONV} -f UTF-8 -t CP932 ${SOURCE_DIR}/${name}
                  OUTPUT_FILE ${STAGE_DIR}/${name}
                  RESULT_VARIABLE status)
  if(NOT status EQUAL 0)
    message(FATAL_ERROR "${name}: a character has no CP932 form")
  endif()
endforeach()
execute_process(COMMAND ${CHMCMD} --verbosity 1 rovenza.hhp
                WORKING_DIRECTORY ${STAGE_DIR}
                RESULT_VARIABLE status
                OUTPUT_VARIABLE log
                ERROR_VARIABLE log)
if(NOT status EQUAL 0 OR NOT EXISTS ${STAGE_DIR}/rovenza.chm)
  message(FATAL_ERROR "chmcmd failed:\n${log}")
endif()
if(log MATCHES "[Ee]rror|[Ww]arning|not found")
  message(FATAL_ERROR "chmcmd reported problems:\n${log}")
endif()
file(COPY_FILE ${STAGE_DIR}/rovenza.chm ${OUTPUT})
