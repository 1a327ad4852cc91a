# vexa_family_library(<target> FILE <exact file name> SOURCES ... [DEF <def file>])
#
# Builds one outside library of the family (converter or keyboard library) as a
# shared library whose file name is exactly <exact file name>, placed in the
# folder that plays the system directory.
function(vexa_family_library target)
  cmake_parse_arguments(ARG "" "FILE;DEF" "SOURCES;LIBS" ${ARGN})
  add_library(${target} SHARED ${ARG_SOURCES})
  target_link_libraries(${target} PRIVATE ${ARG_LIBS})
  get_filename_component(base ${ARG_FILE} NAME_WE)
  get_filename_component(ext ${ARG_FILE} LAST_EXT)
  set_target_properties(${target} PROPERTIES
    PREFIX "" OUTPUT_NAME ${base} SUFFIX ${ext}
    LIBRARY_OUTPUT_DIRECTORY ${VEXA_FAMILY_DIR}
    RUNTIME_OUTPUT_DIRECTORY ${VEXA_FAMILY_DIR}
    C_VISIBILITY_PRESET hidden CXX_VISIBILITY_PRESET hidden)
  if(WIN32)
    # Exports carry their plain names (no @N decoration) so that the module
    # finds them by the entry name alone.
    target_link_options(${target} PRIVATE -Wl,--kill-at)
    if(ARG_DEF)
      target_sources(${target} PRIVATE ${ARG_DEF})
    endif()
    if(CMAKE_SIZEOF_VOID_P EQUAL 4)
      target_link_options(${target} PRIVATE -Wl,--enable-stdcall-fixup)
    endif()
  endif()
endfunction()
