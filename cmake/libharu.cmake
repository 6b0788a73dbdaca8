# zlib and the Haru PDF library for the PDF engine: built once per build tree by
# scripts/build-libharu.sh from Debian's source packages.
set(ZLIB_PREFIX ${THIRD_PARTY_DIR}/zlib)
set(LIBHARU_PREFIX ${THIRD_PARTY_DIR}/libharu)
if(NOT EXISTS ${LIBHARU_PREFIX}/lib/libhpdf.a OR NOT EXISTS ${ZLIB_PREFIX}/lib/libz.a)
  execute_process(
    COMMAND bash ${CMAKE_SOURCE_DIR}/scripts/build-libharu.sh ${THIRD_PARTY_DIR}
            ${CMAKE_TOOLCHAIN_FILE}
    RESULT_VARIABLE libharu_result)
  if(NOT libharu_result EQUAL 0)
    message(FATAL_ERROR "building zlib and libharu failed")
  endif()
endif()

add_library(zlib STATIC IMPORTED GLOBAL)
set_target_properties(zlib PROPERTIES
  IMPORTED_LOCATION ${ZLIB_PREFIX}/lib/libz.a
  INTERFACE_INCLUDE_DIRECTORIES ${ZLIB_PREFIX}/include)

add_library(libharu STATIC IMPORTED GLOBAL)
set_target_properties(libharu PROPERTIES
  IMPORTED_LOCATION ${LIBHARU_PREFIX}/lib/libhpdf.a
  INTERFACE_INCLUDE_DIRECTORIES ${LIBHARU_PREFIX}/include
  INTERFACE_LINK_LIBRARIES zlib)
