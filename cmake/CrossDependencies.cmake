# What a cross build (the Windows build with mingw-w64) takes from the build machine:
# packages that are the same for every target, so nothing is downloaded.
#   nlohmann-json: header-only. Only its own folder goes on the include path, never the
#     build machine's whole /usr/include, whose C library headers would hide mingw's.
#   GoogleTest: Debian's libgtest-dev ships its sources in /usr/src/googletest; they are
#     built here with the cross compiler.

set(VESTREL_HOST_HEADERS ${PROJECT_BINARY_DIR}/host-headers)
file(MAKE_DIRECTORY ${VESTREL_HOST_HEADERS})
if(NOT EXISTS ${VESTREL_HOST_HEADERS}/nlohmann)
  file(CREATE_LINK /usr/include/nlohmann ${VESTREL_HOST_HEADERS}/nlohmann SYMBOLIC)
endif()
file(WRITE ${VESTREL_HOST_HEADERS}/nlohmann_jsonConfig.cmake
  "if(NOT TARGET nlohmann_json::nlohmann_json)\n"
  "  add_library(nlohmann_json::nlohmann_json INTERFACE IMPORTED)\n"
  "  set_target_properties(nlohmann_json::nlohmann_json PROPERTIES INTERFACE_INCLUDE_DIRECTORIES \"${VESTREL_HOST_HEADERS}\")\n"
  "endif()\n")
# The version of the headers, read from the headers themselves.
file(GLOB_RECURSE VESTREL_JSON_HEADERS /usr/include/nlohmann/*.hpp)
foreach(header IN LISTS VESTREL_JSON_HEADERS)
  file(STRINGS ${header} VESTREL_JSON_MAJOR REGEX "#define NLOHMANN_JSON_VERSION_MAJOR [0-9]+")
  if(VESTREL_JSON_MAJOR MATCHES "MAJOR ([0-9]+)")
    set(VESTREL_JSON_MAJOR ${CMAKE_MATCH_1})
    break()
  endif()
endforeach()
if(NOT VESTREL_JSON_MAJOR)
  message(FATAL_ERROR "nlohmann-json headers not found in /usr/include/nlohmann (nlohmann-json3-dev)")
endif()
file(WRITE ${VESTREL_HOST_HEADERS}/nlohmann_jsonConfigVersion.cmake
  "set(PACKAGE_VERSION ${VESTREL_JSON_MAJOR})\n"
  "if(PACKAGE_FIND_VERSION_MAJOR EQUAL ${VESTREL_JSON_MAJOR})\n"
  "  set(PACKAGE_VERSION_COMPATIBLE TRUE)\n"
  "endif()\n")
set(nlohmann_json_DIR ${VESTREL_HOST_HEADERS} CACHE PATH "nlohmann-json headers of the build machine" FORCE)

if(VESTREL_TESTS)
  set(BUILD_GMOCK OFF CACHE BOOL "" FORCE)
  set(INSTALL_GTEST OFF CACHE BOOL "" FORCE)
  add_subdirectory(/usr/src/googletest ${PROJECT_BINARY_DIR}/googletest EXCLUDE_FROM_ALL)
  # Its own CMakeLists name the targets GTest::gtest and GTest::gtest_main.
endif()
