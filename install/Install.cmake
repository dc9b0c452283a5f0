# The deliverables of this tree as one target, the demo's target, and the
# install layout: `cmake --install <tree> --prefix dist` for each tree puts the
# files a user copies into the file manager's plug-in folder side by side,
# stripped, with a commented sample Merovin.ini (scripts/dist.sh does both).

# What a user gets from this tree: the 64-bit tree the engine and the 64-bit
# modules, the 32-bit tree the 32-bit modules and programs. The 64-bit tree's
# programs are twins for the tests and stay out of the layout.
if(MEROVIN_WIDTH EQUAL 64)
  set(merovin_shipped Merovin numbra TCPathfan Horalet)
  set(merovin_built ${merovin_shipped} Merovcall MerovSet)
else()
  set(merovin_shipped numbra TCPathfan Horalet Merovcall MerovSet)
  set(merovin_built ${merovin_shipped})
endif()

add_custom_target(deliverables)
foreach(t ${merovin_built})
  if(TARGET ${t})
    add_dependencies(deliverables ${t})
  endif()
endforeach()
# The demo runs the stand-in host with the deliverables and nothing else.
if(TARGET tchost)
  add_custom_target(demo)
  add_dependencies(demo deliverables tchost)
endif()

set(merovin_installed)
foreach(t ${merovin_shipped})
  if(TARGET ${t})
    install(TARGETS ${t} RUNTIME DESTINATION . LIBRARY DESTINATION .
      ARCHIVE DESTINATION lib COMPONENT linkers EXCLUDE_FROM_ALL)
    list(APPEND merovin_installed $<TARGET_FILE_NAME:${t}>)
  endif()
endforeach()
install(FILES ${CMAKE_CURRENT_LIST_DIR}/Merovin.ini DESTINATION .)
# The drive menu's icon library ("CustomDLIcons") sits beside the engine.
if(MEROVIN_WIDTH EQUAL 64 AND TARGET mvdl)
  install(TARGETS mvdl LIBRARY DESTINATION .)
endif()
# Release binaries carry no symbols or debug sections, with or without --strip.
foreach(f ${merovin_installed})
  install(CODE "execute_process(COMMAND \"${CMAKE_STRIP}\" --strip-all \"\${CMAKE_INSTALL_PREFIX}/${f}\" COMMAND_ERROR_IS_FATAL ANY)")
endforeach()
