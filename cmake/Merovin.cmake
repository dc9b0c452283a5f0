# Helpers shared by the component folders.

set(MEROVIN_WINE_RUN ${MEROVIN_ROOT}/scripts/wine-run)
# One Wine prefix for the tests of both trees: the 64-bit tree's.
set(MEROVIN_PREFIX ${MEROVIN_X64_BUILD}/wineprefix)

# A module or plug-in DLL with undecorated exports from a .def file; the
# exports are checked against the .def file after every link.
function(merovin_dll target)
  cmake_parse_arguments(A "" "DEF;OUTPUT_NAME;SUFFIX" "SOURCES;LIBS" ${ARGN})
  get_filename_component(A_DEF ${A_DEF} ABSOLUTE BASE_DIR ${CMAKE_CURRENT_SOURCE_DIR})
  add_library(${target} SHARED ${A_SOURCES} ${A_DEF})
  set_target_properties(${target} PROPERTIES PREFIX "")
  if(A_OUTPUT_NAME)
    set_target_properties(${target} PROPERTIES OUTPUT_NAME ${A_OUTPUT_NAME})
  endif()
  if(A_SUFFIX)
    set_target_properties(${target} PROPERTIES SUFFIX ${A_SUFFIX})
  endif()
  target_link_libraries(${target} PRIVATE ${A_LIBS})
  # The runtime's run-once and thread-specific calls go to the library's own
  # Win32 versions (framework/ThreadRuntime.cpp): the thread library's would
  # leave handles and a TLS index on the host's thread each time the library
  # is loaded and freed.
  target_link_libraries(${target} PRIVATE framework_thread_runtime)
  target_link_options(${target} PRIVATE
    -Wl,--wrap=pthread_once,--wrap=pthread_key_create,--wrap=pthread_key_delete,--wrap=pthread_getspecific,--wrap=pthread_setspecific)
  # --kill-at drops the @N decoration of stdcall names on i686.
  target_link_options(${target} PRIVATE -Wl,--kill-at)
  if(MEROVIN_WIDTH EQUAL 32)
    # The .def names carry no @N; let the linker match them to the stdcall symbols.
    target_link_options(${target} PRIVATE -Wl,--enable-stdcall-fixup)
  endif()
  add_custom_command(TARGET ${target} POST_BUILD
    COMMAND ${MEROVIN_ROOT}/scripts/check-exports ${CMAKE_OBJDUMP} $<TARGET_FILE:${target}> ${A_DEF}
    VERBATIM)
endfunction()

# A GoogleTest program run under Wine. ISOLATED programs run in their own
# window station and desktop (focus, input, hooks, menus, dialogs, clipboard);
# SERIAL ones while no other test runs (timing bounds).
function(merovin_test target)
  cmake_parse_arguments(A "ISOLATED;SERIAL" "TIMEOUT" "SOURCES;LIBS" ${ARGN})
  if(NOT A_TIMEOUT)
    set(A_TIMEOUT 120)
  endif()
  add_executable(${target} ${A_SOURCES})
  target_link_libraries(${target} PRIVATE ${A_LIBS} gtest merovin_test_main)
  target_include_directories(${target} PRIVATE ${MEROVIN_ROOT}/tests/support)
  if(A_ISOLATED)
    set(emulator ${MEROVIN_WINE_RUN} --prefix ${MEROVIN_PREFIX} --desk ${CMAKE_BINARY_DIR}/bin/deskrun.exe)
    add_dependencies(${target} deskrun)
  else()
    set(emulator ${MEROVIN_WINE_RUN} --prefix ${MEROVIN_PREFIX})
  endif()
  set_target_properties(${target} PROPERTIES CROSSCOMPILING_EMULATOR "${emulator}")
  set(serial FALSE)
  if(A_SERIAL)
    set(serial TRUE)
  endif()
  gtest_discover_tests(${target}
    DISCOVERY_MODE PRE_TEST
    DISCOVERY_TIMEOUT 60
    PROPERTIES TIMEOUT ${A_TIMEOUT} RUN_SERIAL ${serial})
endfunction()

# A benchmark program, run once by ctest in a short mode (label "bench"): ARGS
# make the run short (a few seconds). The test fails only when the program
# cannot produce its figures (scripts/run-bench), among them each of FIGURES;
# the values are for people to read. It runs in a desktop of its own, so
# windows, focus and keys of tests running beside it do not disturb it.
function(merovin_bench target)
  cmake_parse_arguments(A "" "" "ARGS;FIGURES" ${ARGN})
  set(figures)
  foreach(figure ${A_FIGURES})
    list(APPEND figures --figure ${figure})
  endforeach()
  add_test(NAME Bench.${target}
    COMMAND ${MEROVIN_ROOT}/scripts/run-bench ${figures} --
      ${MEROVIN_WINE_RUN} --prefix ${MEROVIN_PREFIX} --desk ${CMAKE_BINARY_DIR}/bin/deskrun.exe
      $<TARGET_FILE:${target}> ${A_ARGS})
  set_tests_properties(Bench.${target} PROPERTIES LABELS bench TIMEOUT 120)
  add_dependencies(${target} deskrun)
endfunction()

# Embeds the common-controls version 6 manifest (cmake/manifest.xml) in a
# program. Its processorArchitecture is "*": a fixed "x86" would be ignored
# silently by a 64-bit program. It asks to run as the invoker: a 32-bit
# program without a run level gets its writes under Program Files redirected
# to the user's VirtualStore, unseen.
function(merovin_manifest target)
  set(manifest ${MEROVIN_ROOT}/cmake/manifest.xml)
  set(rc ${CMAKE_CURRENT_BINARY_DIR}/${target}_manifest.rc)
  # 1 = CREATEPROCESS_MANIFEST_RESOURCE_ID, 24 = RT_MANIFEST
  file(CONFIGURE OUTPUT ${rc} CONTENT "1 24 \"${manifest}\"\n")
  set_source_files_properties(${rc} PROPERTIES OBJECT_DEPENDS ${manifest})
  target_sources(${target} PRIVATE ${rc})
endfunction()
