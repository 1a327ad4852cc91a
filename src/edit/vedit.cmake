# The edit control's own behaviour around the edit engine: its properties and
# their rules, script and font bindings, Text formats and saved defaults.
add_library(vexa_vedit STATIC
  ${CMAKE_CURRENT_LIST_DIR}/vedit_faces.cpp
  ${CMAKE_CURRENT_LIST_DIR}/vedit_text.cpp
  ${CMAKE_CURRENT_LIST_DIR}/vedit_logic.cpp)
target_link_libraries(vexa_vedit PUBLIC vexa_script vexa_keyboard vexa_module vexa_pages)
