# The JPEG codec: built once per build tree by scripts/build-libjpeg.sh from Debian's source package.
set(LIBJPEG_PREFIX ${THIRD_PARTY_DIR}/libjpeg)
if(NOT EXISTS ${LIBJPEG_PREFIX}/lib/libjpeg.a)
  execute_process(
    COMMAND bash ${CMAKE_SOURCE_DIR}/scripts/build-libjpeg.sh ${THIRD_PARTY_DIR}
            ${CMAKE_TOOLCHAIN_FILE}
    RESULT_VARIABLE libjpeg_result)
  if(NOT libjpeg_result EQUAL 0)
    message(FATAL_ERROR "building libjpeg failed")
  endif()
endif()

add_library(libjpeg STATIC IMPORTED GLOBAL)
set_target_properties(libjpeg PROPERTIES
  IMPORTED_LOCATION ${LIBJPEG_PREFIX}/lib/libjpeg.a
  INTERFACE_INCLUDE_DIRECTORIES ${LIBJPEG_PREFIX}/include)
