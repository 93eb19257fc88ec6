# The shared dialogs: password form and checks, about box, help viewer, message boxes,
# file dialogs.
target_sources(desktopui PRIVATE
  ${CMAKE_CURRENT_LIST_DIR}/contextfitler.cpp ${CMAKE_CURRENT_LIST_DIR}/contextfitler.h
  ${CMAKE_CURRENT_LIST_DIR}/desktopui.qrc
  ${CMAKE_CURRENT_LIST_DIR}/filedialog.cpp ${CMAKE_CURRENT_LIST_DIR}/filedialog.h
  ${CMAKE_CURRENT_LIST_DIR}/folder.cpp ${CMAKE_CURRENT_LIST_DIR}/folder.h
  ${CMAKE_CURRENT_LIST_DIR}/folderlistitem.cpp ${CMAKE_CURRENT_LIST_DIR}/folderlistitem.h
  ${CMAKE_CURRENT_LIST_DIR}/helpbrowser.cpp ${CMAKE_CURRENT_LIST_DIR}/helpbrowser.h
  ${CMAKE_CURRENT_LIST_DIR}/helpdlg.cpp ${CMAKE_CURRENT_LIST_DIR}/helpdlg.h
  ${CMAKE_CURRENT_LIST_DIR}/helpicons.cpp ${CMAKE_CURRENT_LIST_DIR}/helpicons.h
  ${CMAKE_CURRENT_LIST_DIR}/helpopener.cpp ${CMAKE_CURRENT_LIST_DIR}/helpopener.h
  ${CMAKE_CURRENT_LIST_DIR}/messagebox.cpp ${CMAKE_CURRENT_LIST_DIR}/messagebox.h
  ${CMAKE_CURRENT_LIST_DIR}/passwordcheck.cpp ${CMAKE_CURRENT_LIST_DIR}/passwordcheck.h
  ${CMAKE_CURRENT_LIST_DIR}/preabout.cpp ${CMAKE_CURRENT_LIST_DIR}/preabout.h
  ${CMAKE_CURRENT_LIST_DIR}/preaboutbase.cpp ${CMAKE_CURRENT_LIST_DIR}/preaboutbase.h
  ${CMAKE_CURRENT_LIST_DIR}/prepasswordbase.cpp ${CMAKE_CURRENT_LIST_DIR}/prepasswordbase.h
  ${CMAKE_CURRENT_LIST_DIR}/translationchoice.cpp ${CMAKE_CURRENT_LIST_DIR}/translationchoice.h
  ${CMAKE_CURRENT_LIST_DIR}/userprocess.cpp ${CMAKE_CURRENT_LIST_DIR}/userprocess.h
)
target_compile_definitions(desktopui PUBLIC
  TUVORA_PRODUCT_VERSION="${PROJECT_VERSION_MAJOR}.${PROJECT_VERSION_MINOR}")

# The form classes inherit their forms' generated classes, so the generated headers
# are public: uic writes them into a folder of their own, exported with the library,
# rather than into the private folder of the automatic tools.
set(forms_dir ${CMAKE_CURRENT_BINARY_DIR}/forms)
file(MAKE_DIRECTORY ${forms_dir})
foreach(form preaboutbase prepasswordbase)
  add_custom_command(OUTPUT ${forms_dir}/ui_${form}.h
    COMMAND Qt6::uic -o ${forms_dir}/ui_${form}.h ${CMAKE_CURRENT_LIST_DIR}/${form}.ui
    DEPENDS ${CMAKE_CURRENT_LIST_DIR}/${form}.ui
    VERBATIM)
  target_sources(desktopui PRIVATE ${forms_dir}/ui_${form}.h)
endforeach()
set_target_properties(desktopui PROPERTIES AUTOUIC OFF)
target_include_directories(desktopui PUBLIC ${forms_dir})
