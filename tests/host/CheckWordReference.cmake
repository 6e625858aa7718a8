# Fails when the committed word reference differs from what vexscript writes now.
# Regenerate it with: cmake --build <build dir> --target word-reference
execute_process(COMMAND ${VEXSCRIPT} --word-reference
                OUTPUT_FILE ${OUTPUT} RESULT_VARIABLE status)
if(NOT status EQUAL 0)
    message(FATAL_ERROR "vexscript --word-reference failed with status ${status}")
endif()
execute_process(COMMAND ${CMAKE_COMMAND} -E compare_files ${REFERENCE} ${OUTPUT}
                RESULT_VARIABLE different)
if(different)
    message(FATAL_ERROR "docs/words.md is out of date: regenerate it with "
                        "'cmake --build <build dir> --target word-reference'")
endif()
