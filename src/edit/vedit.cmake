# The edit control's own behaviour around the edit engine: its style
# properties and their rules, the Text property and its settings file.
add_library(vexa_vedit STATIC ${CMAKE_CURRENT_LIST_DIR}/vedit_logic.cpp
  ${CMAKE_CURRENT_LIST_DIR}/vedit_properties.cpp
  ${CMAKE_CURRENT_LIST_DIR}/vedit_accessible.cpp)
target_link_libraries(vexa_vedit PUBLIC vexa_common vexa_module vexa_defaults vexa_edit)
