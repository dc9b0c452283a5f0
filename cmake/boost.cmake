# The Boost headers (Boost.Regex is header-only from 1.76 on), installed by
# scripts/setup.sh. Only the boost/ folder goes on the cross compiler's
# include path: the build tree gets a folder holding a link named "boost" to
# MEROVIN_BOOST_HEADERS, so the host's other headers in /usr/include never
# reach the mingw build.
if(TARGET boost_headers)
  return()
endif()

set(MEROVIN_BOOST_HEADERS /usr/include/boost CACHE PATH "The Boost headers' boost/ folder")
set(boost_version_file ${MEROVIN_BOOST_HEADERS}/version.hpp)
if(NOT EXISTS ${boost_version_file} OR NOT EXISTS ${MEROVIN_BOOST_HEADERS}/regex.hpp)
  message(FATAL_ERROR "Boost headers not found in ${MEROVIN_BOOST_HEADERS}: run scripts/setup.sh")
endif()
file(STRINGS ${boost_version_file} boost_version_line REGEX "^#define BOOST_VERSION [0-9]+")
string(REGEX REPLACE "^#define BOOST_VERSION ([0-9]+).*" "\\1" boost_version "${boost_version_line}")
if(boost_version LESS 107600)
  message(FATAL_ERROR "Boost ${boost_version} in ${MEROVIN_BOOST_HEADERS} is too old (1.76 or later needed): run scripts/setup.sh")
endif()

set(MEROVIN_BOOST_INCLUDE_DIR ${CMAKE_BINARY_DIR}/boost-include)
file(MAKE_DIRECTORY ${MEROVIN_BOOST_INCLUDE_DIR})
file(CREATE_LINK ${MEROVIN_BOOST_HEADERS} ${MEROVIN_BOOST_INCLUDE_DIR}/boost SYMBOLIC)

add_library(boost_headers INTERFACE)
target_include_directories(boost_headers SYSTEM INTERFACE ${MEROVIN_BOOST_INCLUDE_DIR})
