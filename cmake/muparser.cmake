# muParser 2.3.3 as a static wide-character library, built from the sources
# that scripts/setup.sh unpacks into the cache. The calculator's patch is
# applied at build time to a copy of the sources inside the build tree; the
# cache itself is never changed.
if(TARGET muparser)
  return()
endif()

set(MUPARSER_SOURCE_DIR ${MEROVIN_CACHE}/muparser)
set(MUPARSER_PATCH ${MEROVIN_ROOT}/modules/calculator/muparser-power.patch)
set(MUPARSER_COPY_DIR ${CMAKE_BINARY_DIR}/muparser-patched)

if(NOT EXISTS ${MUPARSER_SOURCE_DIR}/src/muParserBase.cpp)
  message(FATAL_ERROR "muParser sources not found in ${MUPARSER_SOURCE_DIR}: run scripts/setup.sh")
endif()

# patch comes with dpkg-dev, which the set-up script installs.
find_program(MEROVIN_PATCH_PROGRAM patch REQUIRED)

# The library's own test, DLL interface and integer parser are not built.
set(muparser_names muParser muParserBase muParserBytecode muParserCallback
  muParserError muParserTokenReader)
set(muparser_originals)
set(muparser_sources)
foreach(name ${muparser_names})
  list(APPEND muparser_originals ${MUPARSER_SOURCE_DIR}/src/${name}.cpp)
  list(APPEND muparser_sources ${MUPARSER_COPY_DIR}/src/${name}.cpp)
endforeach()
file(GLOB muparser_headers ${MUPARSER_SOURCE_DIR}/include/*.h)

add_custom_command(
  OUTPUT ${muparser_sources} ${MUPARSER_COPY_DIR}/patched.stamp
  COMMAND ${CMAKE_COMMAND} -E rm -rf ${MUPARSER_COPY_DIR}
  COMMAND ${CMAKE_COMMAND} -E make_directory ${MUPARSER_COPY_DIR}
  COMMAND ${CMAKE_COMMAND} -E copy_directory ${MUPARSER_SOURCE_DIR}/src ${MUPARSER_COPY_DIR}/src
  COMMAND ${CMAKE_COMMAND} -E copy_directory ${MUPARSER_SOURCE_DIR}/include ${MUPARSER_COPY_DIR}/include
  COMMAND ${MEROVIN_PATCH_PROGRAM} --batch --forward --silent -p1 -d ${MUPARSER_COPY_DIR} -i ${MUPARSER_PATCH}
  COMMAND ${CMAKE_COMMAND} -E touch ${MUPARSER_COPY_DIR}/patched.stamp
  DEPENDS ${MUPARSER_PATCH} ${muparser_originals} ${muparser_headers}
  COMMENT "Copying and patching muParser"
  VERBATIM)

add_library(muparser STATIC ${muparser_sources})
target_include_directories(muparser SYSTEM PUBLIC ${MUPARSER_COPY_DIR}/include)
target_compile_definitions(muparser PUBLIC MUPARSER_STATIC _UNICODE UNICODE)
target_compile_options(muparser PRIVATE -w -O2)
