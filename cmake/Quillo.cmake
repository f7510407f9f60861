# Build helpers shared by all modules: which tree this is, sanitizers, GoogleTest, test and
# resource helpers.

if(WIN32)
  enable_language(RC)
  set(QUILLO_HOST OFF)
  if(CMAKE_SIZEOF_VOID_P EQUAL 8)
    set(QUILLO_WIN64 ON)
    set(QUILLO_WIN32 OFF)
    set(QUILLO_ARCH win64)
  else()
    set(QUILLO_WIN64 OFF)
    set(QUILLO_WIN32 ON)
    set(QUILLO_ARCH win32)
  endif()
  # Windows 7 API level; the programs probe newer functions at run time.
  add_compile_definitions(WINVER=0x0601 _WIN32_WINNT=0x0601 NOMINMAX)
else()
  set(QUILLO_HOST ON)
  set(QUILLO_WIN32 OFF)
  set(QUILLO_WIN64 OFF)
  set(QUILLO_ARCH host)
  # The functional core is tested natively under the sanitizers.
  add_compile_options(-fsanitize=address,undefined -fno-omit-frame-pointer -fno-sanitize-recover=all)
  add_link_options(-fsanitize=address,undefined)
endif()

# QUILLO_FUZZ (preset fuzz, clang): the host tree instrumented for libFuzzer; it holds the
# functional cores and the fuzz targets only (no unit tests, no GoogleTest).
option(QUILLO_FUZZ "Build the libFuzzer targets (host tree, clang)" OFF)
if(QUILLO_FUZZ)
  if(NOT QUILLO_HOST OR NOT CMAKE_CXX_COMPILER_ID STREQUAL "Clang")
    message(FATAL_ERROR "QUILLO_FUZZ needs the host tree built with clang (preset fuzz)")
  endif()
  add_compile_options(-fsanitize=fuzzer-no-link)
endif()

set(QUILLO_VERSION_TEXT "5.3.3")
set(QUILLO_VERSION_COMMAS "5,3,3,0")

# GoogleTest from Debian's sources (/usr/src/googletest), built for whichever target this tree has.
if(NOT QUILLO_FUZZ)
  set(BUILD_GMOCK OFF CACHE BOOL "" FORCE)
  set(INSTALL_GTEST OFF CACHE BOOL "" FORCE)
  set(gtest_disable_pthreads OFF CACHE BOOL "" FORCE)
  add_subdirectory(/usr/src/googletest ${CMAKE_BINARY_DIR}/googletest EXCLUDE_FROM_ALL)
  include(GoogleTest)
endif()

# quillo_test(<name> SOURCES <files...> [LIBS <libs...>])
# One GoogleTest executable; its cases become ctest tests (under Wine in the Windows trees).
function(quillo_test name)
  if(QUILLO_FUZZ)
    return()  # the fuzz tree builds no unit tests
  endif()
  cmake_parse_arguments(T "" "" "SOURCES;LIBS" ${ARGN})
  add_executable(${name} ${T_SOURCES})
  target_link_libraries(${name} PRIVATE ${T_LIBS} GTest::gtest_main)
  if(WIN32)
    target_link_options(${name} PRIVATE -static)
  endif()
  gtest_discover_tests(${name}
    TEST_PREFIX "${QUILLO_ARCH}."
    DISCOVERY_MODE PRE_TEST
    DISCOVERY_TIMEOUT 120
    PROPERTIES LABELS ${QUILLO_ARCH} TIMEOUT 300)
endfunction()

# quillo_version_resource(<target> <description> <file name> [APP|DLL])
# Adds the version resource (file version 5.3.3) to a shipped binary.
function(quillo_version_resource target description filename kind)
  set(QV_DESCRIPTION "${description}")
  set(QV_FILENAME "${filename}")
  get_filename_component(QV_NAME "${filename}" NAME_WE)
  if(kind STREQUAL "DLL")
    set(QV_FILETYPE "VFT_DLL")
  else()
    set(QV_FILETYPE "VFT_APP")
  endif()
  set(out "${CMAKE_CURRENT_BINARY_DIR}/${target}_version.rc")
  configure_file("${PROJECT_SOURCE_DIR}/cmake/version.rc.in" "${out}" @ONLY)
  target_sources(${target} PRIVATE "${out}")
endfunction()

# quillo_shipped(<target>): a release binary as it goes into dist/ (stripped, static runtimes).
function(quillo_shipped target)
  target_link_options(${target} PRIVATE -static -s)
endfunction()
